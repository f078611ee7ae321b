// Points, rectangles and distances of the shared geometry helpers.
#include <gtest/gtest.h>

#include <climits>

#include "units/game_geometry.h"

namespace {

using units::Rect;

TEST(Geometry, CentringIntersectionAndDistances) {
  Rect rect{0, 0, 63, 63};
  units::CentreRectOnPoint(rect, {100, 200});
  EXPECT_EQ(rect, (Rect{69, 169, 131, 231})) << "an odd side loses a pixel";

  const struct {
    Rect a, b;
    bool intersect;
  } pairs[] = {{{0, 0, 10, 10}, {10, 10, 20, 20}, true},  // the shared corner pixel
               {{0, 0, 10, 10}, {11, 0, 20, 10}, false},
               {{0, 0, 10, 10}, {0, 11, 10, 20}, false},
               {{0, 0, 100, 100}, {40, 40, 50, 50}, true}};
  for (const auto& c : pairs) {
    EXPECT_EQ(units::RectsIntersect(c.a, c.b), c.intersect);
    EXPECT_EQ(units::RectsIntersect(c.b, c.a), c.intersect);
  }
  EXPECT_TRUE(units::PointInRect({0, 0, 10, 10}, {10, 10}));
  EXPECT_FALSE(units::PointInRect({0, 0, 10, 10}, {11, 5}));

  EXPECT_EQ(units::Distance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(units::Distance({0, 0}, {1, 1}), 1);
  EXPECT_GT(units::Distance({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}), 2000000000) << "no overflow";
  EXPECT_EQ(units::SquaredDistance({0, 0}, {65536, 0}), 0u) << "2^32 wraps";
  EXPECT_EQ(units::Magnitude(INT_MIN), INT_MAX);
}

}  // namespace
