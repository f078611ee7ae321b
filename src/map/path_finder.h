// The detour search that steers a unit around what blocks it: a local, greedy walk over points
// one collision box apart in the four axis directions, always trying the point nearest to the
// destination first, giving up after kMaxDetourPoints points. The caller says which points are
// free (the map and the other units); the search knows nothing of units.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace map {

struct DetourPoint {
  int x = 0;
  int y = 0;
  bool operator==(const DetourPoint&) const = default;
};

inline constexpr std::size_t kMaxDetourPoints = 128;

struct DetourRequest {
  DetourPoint start;  // the unit's centre, on a free spot
  DetourPoint dest;
  int stepX = 0;  // collision box width and height
  int stepY = 0;
};

// True when a unit centred on the point would stand free.
using DetourPointTest = std::function<bool(DetourPoint)>;

// The waypoints from start to dest: start first, dest last, at most kMaxDetourPoints points (a
// path cut at the cap has dest in place of its last point); nothing when no way was found. The
// last leg toward dest is a straight line that is not tested, and a dead end drops only its own
// last point, so a path may keep a point of an abandoned branch.
std::optional<std::vector<DetourPoint>> FindDetour(const DetourRequest& request, const DetourPointTest& isFree);

}  // namespace map
