// Which Windows messages of the main window reach the engine, and how: input, menu commands and
// close requests keep their numbers; their parameters are the low 32 bits Windows gives, as the
// other backends build them.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace platform::win32 {

inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmMButtonDblClk = 0x0209;

// The engine's message for one window message, or nothing when the window handles it alone.
// WM_CHAR's wParam must already be the Windows-1252 byte (see CharFromUtf16).
std::optional<Message> EngineMessage(uint32_t id, uint64_t wParam, int64_t lParam);

// WM_CHAR of a Unicode window carries UTF-16; the engine's texts are Windows-1252. Characters
// without a Windows-1252 form become '?'.
uint64_t CharFromUtf16(uint64_t wParam);

}  // namespace platform::win32
