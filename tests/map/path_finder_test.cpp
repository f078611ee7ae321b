// The detour search on its own: points one step apart, the nearest free one first, the cap of
// 128 points and the failures, with the free test standing in for the map and the units.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "map/path_finder.h"

namespace {

using map::DetourPoint;
using map::FindDetour;

std::vector<DetourPoint> Column(int x, int fromY, int toY, int step) {
  std::vector<DetourPoint> points;
  for (int y = fromY; y <= toY; y += step) points.push_back({x, y});
  return points;
}

TEST(PathFinder, ADestinationWithinOneStepGivesStartThenDestination) {
  int tests = 0;
  auto free = [&](DetourPoint) { ++tests; return true; };
  const auto path = FindDetour({{100, 100}, {130, 90}, 32, 32}, free);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, (std::vector<DetourPoint>{{100, 100}, {130, 90}}));
  EXPECT_EQ(tests, 0) << "no candidate is needed";
}

TEST(PathFinder, AWallOpenAtOneEndIsFollowedPointByPointTowardItsNearerEnd) {
  // Row y = 10 is walled from far left up to x = 40; the destination lies beyond it, right of
  // the opening at x = 50.
  auto free = [](DetourPoint p) { return !(p.y == 10 && p.x < 50); };
  const auto path = FindDetour({{0, 0}, {60, 100}, 10, 10}, free);
  ASSERT_TRUE(path);
  std::vector<DetourPoint> expected = {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}};
  for (const DetourPoint& p : Column(50, 0, 90, 10)) expected.push_back(p);
  expected.push_back({60, 100});
  EXPECT_EQ(*path, expected);
}

TEST(PathFinder, NoFreeCandidateOrAZeroStepFails) {
  EXPECT_FALSE(FindDetour({{0, 0}, {500, 0}, 10, 10}, [](DetourPoint) { return false; }));
  EXPECT_FALSE(FindDetour({{0, 0}, {500, 0}, 0, 0}, [](DetourPoint) { return true; }));
}

TEST(PathFinder, AFarDestinationIsCutAt128PointsWithTheLastReplacedByIt) {
  const auto path = FindDetour({{0, 0}, {0, 10000}, 10, 10}, [](DetourPoint) { return true; });
  ASSERT_TRUE(path);
  ASSERT_EQ(path->size(), map::kMaxDetourPoints);
  EXPECT_EQ(path->front(), (DetourPoint{0, 0}));
  EXPECT_EQ((*path)[126], (DetourPoint{0, 1260}));
  EXPECT_EQ(path->back(), (DetourPoint{0, 10000}));
  // Reached exactly at the cap: the destination still takes the last place.
  const auto exact = FindDetour({{0, 0}, {0, 1275}, 10, 10}, [](DetourPoint) { return true; });
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->size(), map::kMaxDetourPoints);
  EXPECT_EQ(exact->back(), (DetourPoint{0, 1275}));
}

TEST(PathFinder, ADeadEndDropsOnlyItsOwnPointAndTheSearchBacksOut) {
  // A pocket: from (0, 0) the only ways are right to (10, 0), a dead end, and up to (0, -10),
  // from which the way leads left and down around a wall to the destination below.
  const std::set<std::pair<int, int>> open = {{0, 0},    {10, 0},   {0, -10},  {-10, -10},
                                              {-20, -10}, {-20, 0}, {-20, 10}, {-20, 20}};
  auto free = [&](DetourPoint p) { return open.count({p.x, p.y}) != 0; };
  const auto path = FindDetour({{0, 0}, {-10, 30}, 10, 10}, free);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, (std::vector<DetourPoint>{
                       {0, 0}, {0, -10}, {-10, -10}, {-20, -10}, {-20, 0}, {-20, 10}, {-20, 20}, {-10, 30}}))
      << "the nearer dead end (10, 0) was tried first and left no trace";
}

}  // namespace
