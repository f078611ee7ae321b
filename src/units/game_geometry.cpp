#include "units/game_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace units {

void OffsetRect(Rect& rect, int dx, int dy) {
  rect.left += dx;
  rect.right += dx;
  rect.top += dy;
  rect.bottom += dy;
}

void OffsetPoint(Point& point, int dx, int dy) {
  point.x += dx;
  point.y += dy;
}

void CentreRectOnPoint(Rect& rect, Point point) {
  const int halfWidth = (rect.right - rect.left) / 2;
  const int halfHeight = (rect.bottom - rect.top) / 2;
  rect = {point.x - halfWidth, point.y - halfHeight, point.x + halfWidth, point.y + halfHeight};
}

bool PointInRect(const Rect& rect, Point point) {
  return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y && point.y <= rect.bottom;
}

uint32_t SquaredDistance(Point p, Point q) {
  // Unsigned arithmetic wraps where signed would overflow.
  const uint32_t dx = static_cast<uint32_t>(q.x) - static_cast<uint32_t>(p.x);
  const uint32_t dy = static_cast<uint32_t>(q.y) - static_cast<uint32_t>(p.y);
  return dx * dx + dy * dy;
}

int Distance(Point p, Point q) {
  const float dx = static_cast<float>(q.x) - static_cast<float>(p.x);
  const float dy = static_cast<float>(q.y) - static_cast<float>(p.y);
  // Points far apart on a 32-bit plane are further apart than an int holds.
  const float distance = std::sqrt(dx * dx + dy * dy);
  return distance < 2147483520.0f ? static_cast<int>(distance) : 2147483520;
}

std::string_view DirectionName(Direction direction) {
  static constexpr std::array<std::string_view, kDirectionCount> kNames = {
      "Left", "Right", "Up", "Down", "LeftUp", "LeftDown", "RightUp", "RightDown"};
  const int index = static_cast<int>(direction);
  return index >= 0 && index < kDirectionCount ? kNames[static_cast<std::size_t>(index)] : std::string_view();
}

}  // namespace units
