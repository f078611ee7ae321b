#include "platform/font_height.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform::fonts {

int FontHeightForPoints(int points) {
  constexpr int kScreenDpi = 96;
  constexpr int kPointsPerInch = 72;
  // Multiply-divide rounding: to nearest, halves away from zero.
  const int64_t scaled = static_cast<int64_t>(points) * kScreenDpi;
  const int64_t magnitude = ((scaled < 0 ? -scaled : scaled) + kPointsPerInch / 2) / kPointsPerInch;
  const int64_t pixels = std::min<int64_t>(magnitude, std::numeric_limits<int>::max());
  return static_cast<int>(scaled < 0 ? pixels : -pixels);
}

}  // namespace platform::fonts
