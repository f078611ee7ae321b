// Points, rectangles and distances of the shared geometry helpers.
#include <gtest/gtest.h>

#include <climits>

#include "units/game_geometry.h"

namespace {

using units::Point;
using units::Rect;

TEST(Geometry, CentringKeepsTheSizeAndAnOddSideLosesAPixel) {
  const struct {
    Rect rect;
    Point on;
    Rect expected;
  } cases[] = {{{0, 0, 63, 63}, {100, 200}, {69, 169, 131, 231}},
               {{10, 10, 20, 30}, {0, 0}, {-5, -10, 5, 10}},
               {{5, 5, 5, 5}, {-3, 7}, {-3, 7, -3, 7}}};
  for (const auto& c : cases) {
    Rect rect = c.rect;
    units::CentreRectOnPoint(rect, c.on);
    EXPECT_EQ(rect, c.expected);
  }
}

TEST(Geometry, IntersectionAndContainmentIncludeTheEdges) {
  const struct {
    Rect a, b;
    bool intersect;
  } cases[] = {{{0, 0, 10, 10}, {10, 10, 20, 20}, true},  // the shared corner pixel
               {{0, 0, 10, 10}, {11, 0, 20, 10}, false},
               {{0, 0, 10, 10}, {0, 11, 10, 20}, false},
               {{0, 0, 100, 100}, {40, 40, 50, 50}, true},  // one inside the other
               {{-20, -20, -10, -10}, {-10, -10, 0, 0}, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(units::RectsIntersect(c.a, c.b), c.intersect);
    EXPECT_EQ(units::RectsIntersect(c.b, c.a), c.intersect);
  }
  const Rect box{0, 0, 10, 10};
  EXPECT_TRUE(units::PointInRect(box, {10, 10}));
  EXPECT_TRUE(units::PointInRect(box, {0, 5}));
  EXPECT_FALSE(units::PointInRect(box, {11, 5}));
  EXPECT_FALSE(units::PointInRect(box, {5, -1}));

  Rect moved = box;
  units::OffsetRect(moved, 3, -4);
  EXPECT_EQ(moved, (Rect{3, -4, 13, 6}));
  Point point{1, 2};
  units::OffsetPoint(point, -1, 8);
  EXPECT_EQ(point, (Point{0, 10}));
}

TEST(Geometry, DistancesTruncateAndSquaredDistancesWrapInsteadOfOverflowing) {
  EXPECT_EQ(units::Distance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(units::Distance({0, 0}, {1, 1}), 1);
  EXPECT_EQ(units::Distance({10, 10}, {10, 10}), 0);
  EXPECT_EQ(units::Distance({-3, 0}, {0, -4}), 5);
  EXPECT_GT(units::Distance({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}), 2000000000);
  EXPECT_EQ(units::SquaredDistance({0, 0}, {3, 4}), 25u);
  EXPECT_EQ(units::SquaredDistance({0, 0}, {65536, 0}), 0u);  // 2^32 wraps to 0
  EXPECT_EQ(units::Magnitude(INT_MIN), INT_MAX);
  EXPECT_EQ(units::Magnitude(-7), 7);
}

}  // namespace
