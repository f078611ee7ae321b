#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "gfx/bitmap_surface.h"

namespace {

// Independent per-pixel reference: centre-aligned source position, edge pixels repeated,
// bilinear (tent) or Catmull-Rom weights in double precision, each channel rounded and clamped.
double Kernel(int mode, double d) {
  d = std::fabs(d);
  if (mode == 1) return d < 1 ? 1 - d : 0;
  if (d <= 1) return 1.5 * d * d * d - 2.5 * d * d + 1;
  if (d < 2) return -0.5 * d * d * d + 2.5 * d * d - 4 * d + 2;
  return 0;
}

uint32_t Reference(const CBitmapSurface& src, int mode, int w, int h, int x, int y) {
  const double u = (x + 0.5) * src.GetWidth() / w - 0.5;
  const double v = (y + 0.5) * src.GetHeight() / h - 0.5;
  double sum[3] = {0, 0, 0};
  for (int sy = static_cast<int>(std::floor(v)) - 2; sy <= std::floor(v) + 2; ++sy) {
    for (int sx = static_cast<int>(std::floor(u)) - 2; sx <= std::floor(u) + 2; ++sx) {
      const double weight = Kernel(mode, sx - u) * Kernel(mode, sy - v);
      const uint32_t p = src.GetPixel(sx, sy);  // clamps to the edge
      for (int c = 0; c < 3; ++c) sum[c] += weight * ((p >> (8 * c)) & 0xFF);
    }
  }
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) out |= static_cast<uint32_t>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (8 * c);
  return out;
}

TEST(Resample, BilinearAndBicubicMatchAReferenceWithinRounding) {
  struct Case {
    int width, height, percentX, percentY, wantWidth, wantHeight;
  };
  const Case cases[] = {
      {7, 5, 200, 300, 14, 15}, {9, 9, 333, 125, 30, 11},  // enlargements
      {33, 33, 50, 50, 17, 17}, {40, 12, 30, 75, 12, 9},   // reductions
      {16, 10, 150, 60, 24, 6}, {1, 3, 400, 100, 4, 3},    // one of each
  };
  std::mt19937 rng(7);
  for (int mode : {1, 2}) {
    for (const Case& c : cases) {
      CBitmapSurface src;
      ASSERT_TRUE(src.Create(c.width, c.height));
      // Random pixels with hard edges, so that the bicubic kernel overshoots and must clamp.
      for (int i = 0; i < c.width * c.height; ++i)
        src.SetPixel(i % c.width, i / c.width, (rng() & 1) ? rng() : 0xFF00FF00u);
      src.SetResampleMode(mode);
      CBitmapSurface scaled;  // the copy keeps the mode
      scaled.CreateCopy(src);
      scaled.Scale(c.percentX, c.percentY);
      ASSERT_EQ(std::make_pair(scaled.GetWidth(), scaled.GetHeight()), std::make_pair(c.wantWidth, c.wantHeight));
      for (int y = 0; y < c.wantHeight; ++y) {
        for (int x = 0; x < c.wantWidth; ++x) {
          const uint32_t got = scaled.GetPixel(x, y), want = Reference(src, mode, c.wantWidth, c.wantHeight, x, y);
          EXPECT_EQ(got >> 24, 0u);
          for (int ch = 0; ch < 3; ++ch) {
            const int g = (got >> (8 * ch)) & 0xFF, r = (want >> (8 * ch)) & 0xFF;
            ASSERT_LE(std::abs(g - r), 1)
                << "mode " << mode << " " << c.width << "x" << c.height << " at " << x << "," << y << " channel " << ch;
          }
        }
      }
    }
  }
}

}  // namespace
