// The detour search on its own: points one step apart, the nearest free one first, the cap of
// 128 points and the failures, with the free test standing in for the map and the units. Walls,
// dead ends and ties on distance are met in the random mazes, against the search written plainly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

#include "map/path_finder.h"

namespace {

using map::DetourPoint;
using map::FindDetour;

TEST(PathFinder, ADestinationWithinOneStepGivesStartThenDestination) {
  int tests = 0;
  auto free = [&](DetourPoint) {
    ++tests;
    return true;
  };
  const auto path = FindDetour({{100, 100}, {130, 90}, 32, 32}, free);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, (std::vector<DetourPoint>{{100, 100}, {130, 90}}));
  EXPECT_EQ(tests, 0) << "no candidate is needed";
}

TEST(PathFinder, NoFreeCandidateOrAZeroStepFails) {
  EXPECT_FALSE(FindDetour({{0, 0}, {500, 0}, 10, 10}, [](DetourPoint) { return false; }));
  EXPECT_FALSE(FindDetour({{0, 0}, {500, 0}, 0, 0}, [](DetourPoint) { return true; }));
}

// A destination reached exactly at the cap still takes the last place (far ones, cut at the cap,
// are met in the random mazes).
TEST(PathFinder, ADestinationReachedAtThe128thPointTakesItsPlace) {
  const auto path = FindDetour({{0, 0}, {0, 1275}, 10, 10}, [](DetourPoint) { return true; });
  ASSERT_TRUE(path);
  ASSERT_EQ(path->size(), map::kMaxDetourPoints);
  EXPECT_EQ((*path)[126], (DetourPoint{0, 1260}));
  EXPECT_EQ(path->back(), (DetourPoint{0, 1275}));
}

// The search written plainly, scanning its stack and path for points it already holds: the
// finder must give exactly its answers, whatever bookkeeping makes it fast.
std::optional<std::vector<DetourPoint>> PlainDetour(const map::DetourRequest& r, const map::DetourPointTest& isFree) {
  struct Entry {
    DetourPoint point;
    uint32_t distance;
    bool usable;
  };
  auto distance = [&](DetourPoint p) {
    const uint32_t dx = static_cast<uint32_t>(r.dest.x) - static_cast<uint32_t>(p.x);
    const uint32_t dy = static_cast<uint32_t>(r.dest.y) - static_cast<uint32_t>(p.y);
    return dx * dx + dy * dy;
  };
  std::vector<Entry> stack = {{r.start, distance(r.start), true}};
  std::vector<DetourPoint> path;
  for (;;) {
    const DetourPoint cur = stack.back().point;
    stack.pop_back();
    path.push_back(cur);
    if (std::abs(r.dest.x - cur.x) <= r.stepX && std::abs(r.dest.y - cur.y) <= r.stepY) break;
    if (path.size() == map::kMaxDetourPoints) break;
    std::vector<Entry> next;
    for (DetourPoint p : {DetourPoint{cur.x - r.stepX, cur.y}, DetourPoint{cur.x + r.stepX, cur.y},
                          DetourPoint{cur.x, cur.y - r.stepY}, DetourPoint{cur.x, cur.y + r.stepY}}) {
      next.push_back({p, distance(p), isFree(p)});
    }
    for (std::size_t i = 0; i + 1 < next.size(); ++i) {
      for (std::size_t j = i + 1; j < next.size(); ++j) {
        if (next[i].usable && next[j].usable && next[i].distance < next[j].distance) std::swap(next[i], next[j]);
      }
    }
    bool pushed = false;
    for (Entry& e : next) {
      const bool held = std::any_of(stack.begin(), stack.end(), [&](const Entry& s) { return s.point == e.point; }) ||
                        std::find(path.begin(), path.end(), e.point) != path.end();
      if (held) e.usable = false;
    }
    for (const Entry& e : next) {
      if (!e.usable) continue;
      stack.push_back(e);
      pushed = true;
    }
    if (!pushed) path.pop_back();
    if (stack.empty()) return std::nullopt;
  }
  if (path.size() == map::kMaxDetourPoints) {
    path.back() = r.dest;
  } else {
    path.push_back(r.dest);
  }
  return path;
}

// The finder tests a candidate only when its answer matters, and each point once: it never asks
// more than the plain search does. One table kept across searches must not carry a point
// from one search into the next.
TEST(PathFinder, GivesThePlainSearchsAnswerInRandomMazesWithNoMoreTests) {
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % below;
  };
  map::DetourScratch kept;
  for (int trial = 0; trial < 8000; ++trial) {
    // Square steps and one-pixel steps make more candidates tie on distance.
    const int stepX = 1 + static_cast<int>(next(trial % 3 == 0 ? 2 : 24));
    const int stepY = trial % 4 == 0 ? stepX : 1 + static_cast<int>(next(24));
    const uint32_t wallSeed = next(1000000), density = next(75);
    // A blocked point is decided by its coordinates alone, so both searches see the same maze.
    auto free = [&](DetourPoint p) {
      const uint32_t h = (static_cast<uint32_t>(p.x) * 73856093u) ^ (static_cast<uint32_t>(p.y) * 19349663u) ^ wallSeed;
      return (h * 2654435761u >> 16) % 100 >= density;
    };
    map::DetourRequest request{{static_cast<int>(next(2000)) - 1000, static_cast<int>(next(2000)) - 1000},
                               {static_cast<int>(next(8000)) - 4000, static_cast<int>(next(8000)) - 4000},
                               stepX,
                               stepY};
    // Every other destination lies on the lattice of steps, where candidates tie on distance.
    if (trial % 2 == 1) {
      request.dest = {request.start.x + (static_cast<int>(next(81)) - 40) * stepX,
                      request.start.y + (static_cast<int>(next(81)) - 40) * stepY};
    }
    // Far destinations wrap the squared distances.
    if (trial % 10 == 9) request.dest.x += 300000;
    int finderTests = 0, plainTests = 0, finderRepeats = 0;
    std::set<std::pair<int, int>> asked;
    auto countedForFinder = [&](DetourPoint p) {
      ++finderTests;
      finderRepeats += asked.insert({p.x, p.y}).second ? 0 : 1;
      return free(p);
    };
    auto countedForPlain = [&](DetourPoint p) { return ++plainTests, free(p); };
    EXPECT_EQ(FindDetour(request, countedForFinder, trial % 2 == 0 ? &kept : nullptr),
              PlainDetour(request, countedForPlain))
        << "trial " << trial;
    EXPECT_LE(finderTests, plainTests) << "trial " << trial;
    EXPECT_EQ(finderRepeats, 0) << "trial " << trial;
  }
}

}  // namespace
