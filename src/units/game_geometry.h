// Integer points and rectangles in world or window pixels (x to the right, y downwards).
// Rectangles include both edges.
#pragma once

namespace units {

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// True when the rectangles share at least one pixel (touching edges count).
inline bool RectsIntersect(const Rect& a, const Rect& b) {
  const int left = a.left > b.left ? a.left : b.left;
  const int right = a.right < b.right ? a.right : b.right;
  const int top = a.top > b.top ? a.top : b.top;
  const int bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
  return left <= right && top <= bottom;
}

}  // namespace units
