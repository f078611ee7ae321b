// The program's own icon, drawn in code: a small tiled map under a woven thread.
#pragma once

#include <cstdint>
#include <vector>

namespace app {

inline constexpr int kWindowIconSize = 32;

// kWindowIconSize x kWindowIconSize pixels 0xAARRGGBB, rows top-down.
std::vector<uint32_t> WindowIconPixels();

}  // namespace app
