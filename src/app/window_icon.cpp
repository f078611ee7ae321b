#include "app/window_icon.h"

#include <cstdlib>

namespace app {

std::vector<uint32_t> WindowIconPixels() {
  constexpr int n = kWindowIconSize;
  constexpr uint32_t kOpaque = 0xFF000000;
  constexpr uint32_t kFrame = 0x1B3A4B, kTileA = 0x3F8F6B, kTileB = 0x57A97F, kGrout = 0x24543F;
  constexpr uint32_t kThread = 0xE8C15A, kThreadEdge = 0x9C7A2A;
  std::vector<uint32_t> pixels(static_cast<std::size_t>(n) * n, 0);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      uint32_t colour;
      bool corner = (x == 0 || x == n - 1) && (y == 0 || y == n - 1);
      if (corner) continue;  // rounded corners stay transparent
      if (x == 0 || y == 0 || x == n - 1 || y == n - 1) {
        colour = kFrame;
      } else if ((x - 1) % 10 == 0 || (y - 1) % 10 == 0) {
        colour = kGrout;  // a 3 x 3 grid of tiles
      } else {
        colour = (((x - 1) / 10 + (y - 1) / 10) % 2 == 0) ? kTileA : kTileB;
      }
      // A thread woven across the tiles, from the top-left to the bottom-right.
      int d = std::abs(x - y);
      if (d <= 1)
        colour = kThread;
      else if (d == 2)
        colour = kThreadEdge;
      pixels[static_cast<std::size_t>(y) * n + x] = kOpaque | colour;
    }
  }
  return pixels;
}

}  // namespace app
