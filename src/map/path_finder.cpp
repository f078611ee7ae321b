#include "map/path_finder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace map {
namespace {

// Wrapping unsigned arithmetic: far points compare as the unit's own rules compare them.
uint32_t SquaredDistance(DetourPoint p, DetourPoint q) {
  const uint32_t dx = static_cast<uint32_t>(q.x) - static_cast<uint32_t>(p.x);
  const uint32_t dy = static_cast<uint32_t>(q.y) - static_cast<uint32_t>(p.y);
  return dx * dx + dy * dy;
}

struct Candidate {
  DetourPoint point;
  uint32_t distance = 0;
  bool usable = false;
};

bool WithinOneStep(DetourPoint cur, DetourPoint dest, int stepX, int stepY) {
  return std::llabs(int64_t{dest.x} - cur.x) <= stepX && std::llabs(int64_t{dest.y} - cur.y) <= stepY;
}

bool Holds(const std::vector<Candidate>& entries, DetourPoint point) {
  return std::any_of(entries.begin(), entries.end(), [point](const Candidate& e) { return e.point == point; });
}

bool Holds(const std::vector<DetourPoint>& points, DetourPoint point) {
  return std::find(points.begin(), points.end(), point) != points.end();
}

// Left, right, up, down of cur, each with its distance to dest and whether it is free.
std::array<Candidate, 4> Expand(DetourPoint cur, const DetourRequest& request, const DetourPointTest& isFree) {
  const DetourPoint points[4] = {{cur.x - request.stepX, cur.y},
                                 {cur.x + request.stepX, cur.y},
                                 {cur.x, cur.y - request.stepY},
                                 {cur.x, cur.y + request.stepY}};
  std::array<Candidate, 4> candidates;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    candidates[i] = {points[i], SquaredDistance(points[i], request.dest), isFree(points[i])};
  }
  return candidates;
}

// Usable candidates end up farthest first, so that pushing them in order leaves the nearest on
// top; unusable ones keep their places.
void OrderFarthestFirst(std::array<Candidate, 4>& candidates) {
  for (std::size_t i = 0; i + 1 < candidates.size(); ++i) {
    for (std::size_t j = i + 1; j < candidates.size(); ++j) {
      if (candidates[i].usable && candidates[j].usable && candidates[i].distance < candidates[j].distance) {
        std::swap(candidates[i], candidates[j]);
      }
    }
  }
}

}  // namespace

std::optional<std::vector<DetourPoint>> FindDetour(const DetourRequest& request, const DetourPointTest& isFree) {
  std::vector<Candidate> stack;  // last in, first out; at most 3 pushes per expansion
  std::vector<DetourPoint> path;
  stack.reserve(3 * kMaxDetourPoints + 1);
  path.reserve(kMaxDetourPoints);
  stack.push_back({request.start, SquaredDistance(request.start, request.dest), true});
  for (;;) {
    const DetourPoint cur = stack.back().point;
    stack.pop_back();
    path.push_back(cur);
    if (WithinOneStep(cur, request.dest, request.stepX, request.stepY)) break;
    if (path.size() == kMaxDetourPoints) break;
    std::array<Candidate, 4> candidates = Expand(cur, request, isFree);
    OrderFarthestFirst(candidates);
    bool pushed = false;
    for (Candidate& candidate : candidates) {
      if (Holds(stack, candidate.point) || Holds(path, candidate.point)) candidate.usable = false;
    }
    for (const Candidate& candidate : candidates) {
      if (!candidate.usable) continue;
      stack.push_back(candidate);
      pushed = true;
    }
    if (!pushed) path.pop_back();  // a dead end gives up its own point only
    if (stack.empty()) return std::nullopt;
  }
  if (path.size() == kMaxDetourPoints) {
    path.back() = request.dest;
  } else {
    path.push_back(request.dest);
  }
  return path;
}

}  // namespace map
