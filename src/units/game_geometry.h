// Integer points and rectangles in world or window pixels (x to the right, y downwards), and the
// few helpers units, the path finder and the engine share. Rectangles are (left, top, right,
// bottom) and include both edges.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace units {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

// The bounds the unit geometry holds its inputs to where they enter (cast files, scripts, the
// unit's setters): positions and destinations within +-kCoordinateLimit on each axis; frame
// sides, speeds and collision box coordinates within kSizeLimit. A sum or difference of a few such
// values then stays far inside int, so no rectangle, centre or step of a unit can overflow.
inline constexpr int kCoordinateLimit = 500'000'000;
inline constexpr int kSizeLimit = 100'000;
inline int ClampCoordinate(int value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }
inline Point ClampPoint(Point point) { return {ClampCoordinate(point.x), ClampCoordinate(point.y)}; }

// The absolute value, defined for the most negative int too (it becomes the largest).
inline int Magnitude(int value) { return value >= 0 ? value : (value == INT32_MIN ? INT32_MAX : -value); }

void OffsetRect(Rect& rect, int dx, int dy);
void OffsetPoint(Point& point, int dx, int dy);
// Keeps the size (halves truncated, so an odd width or height loses one pixel) and puts the
// middle on the point.
void CentreRectOnPoint(Rect& rect, Point point);
bool PointInRect(const Rect& rect, Point point);
// Saturates into int: offsets between far-apart points and huge damage must not wrap.
inline int ClampToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
// (centre - half, centre + half) on each axis, held inside int for far-off units. Inline: a line
// of sight asks it for every probe.
inline Rect RectAround(Point centre, int64_t halfWidth, int64_t halfHeight) {
  return {ClampToInt(centre.x - halfWidth), ClampToInt(centre.y - halfHeight), ClampToInt(centre.x + halfWidth),
          ClampToInt(centre.y + halfHeight)};
}
// Whether the rectangle holds no pixel (right below left or bottom above top).
inline bool IsEmpty(const Rect& rect) { return rect.right < rect.left || rect.bottom < rect.top; }
// The smallest rectangle holding both; an empty one counts as nothing.
inline Rect Hull(const Rect& a, const Rect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
// True when the rectangles share at least one pixel (touching edges and corners count). Inline:
// the bots' searches and rays call it for every player and every unit in reach.
inline bool RectsIntersect(const Rect& a, const Rect& b) {
  return std::max(a.left, b.left) <= std::min(a.right, b.right) &&
         std::max(a.top, b.top) <= std::min(a.bottom, b.bottom);
}
// Squared distance in wrapping 32-bit arithmetic; only for comparisons.
uint32_t SquaredDistance(Point p, Point q);
// Euclidean distance in single precision, truncated toward zero.
int Distance(Point p, Point q);

// How a bot moves, with the numbers the state dump shows: it stands, roams its zone, or chases
// a player it has seen.
enum class MoveType : int { Static = 0, Wander = 1, Chase = 2 };

// What a bot section that leaves a key out gets: distances in pixels, and random rates (a rate
// of N acts once in N chances).
struct BotDefaults {
  static constexpr int kMaxDistance = 300;     // how far it strays after a player
  static constexpr int kFireDistance = 300;    // how near a player must be to be fired at
  static constexpr int kVisionDistance = 600;  // how far it sees
  static constexpr int kRandom = 1;            // sword, fire and vision rates
  static constexpr int kZoneHalfSide = 300;    // the zone round its position without zone keys
};

// The eight walking directions, in the order of their numbers.
enum class Direction : int { Left, Right, Up, Down, LeftUp, LeftDown, RightUp, RightDown };
inline constexpr int kDirectionCount = 8;
// "Left", "Right", "Up", ... ; the names of the animations that walk that way.
std::string_view DirectionName(Direction direction);
// The order in which sprite sheets and unit sections give the walking animations: the i-th row
// or frame range walks the i-th way.
inline constexpr std::array<Direction, kDirectionCount> kAnimationOrder = {
    Direction::Up,        Direction::Down,     Direction::RightUp, Direction::LeftUp,
    Direction::RightDown, Direction::LeftDown, Direction::Right,   Direction::Left};

}  // namespace units
