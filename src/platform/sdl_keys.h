// SDL keys as the Windows virtual-key codes the engine reads.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

namespace platform::sdl {

inline constexpr uint32_t kVkShift = 16;
inline constexpr uint32_t kVkControl = 17;
inline constexpr uint32_t kVkMenu = 18;  // Alt

// The virtual-key code of a key, 0 for a key that has none.
uint32_t VirtualKey(const SDL_Keysym& key);

// lParam of WM_KEYDOWN/WM_KEYUP: repeat count 1, previous-state bit for repeats and releases,
// transition bit for releases.
int64_t KeyLParam(bool down, bool repeat);

}  // namespace platform::sdl
