// Surface pixels and the six rectangle blits, checked against the per-pixel rules written out
// channel by channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "gfx/blit_rows.h"

namespace {

constexpr uint32_t kKey = 0xBF7BC7, kShadow = 0x5F3D63;
enum class Op { Draw, Keyed, Blended, KeyedBlended, KeyedShadow, KeyedShadowBlended };

// (s * a + d * (256 - a)) >> 8 channel by channel; a = 128 gives the half (s + d) >> 1.
uint32_t MixRef(uint32_t s, uint32_t d, uint32_t a) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((((s >> shift) & 255) * a + ((d >> shift) & 255) * (256 - a)) >> 8) << shift;
  return out;
}
uint32_t PixelRef(Op op, uint32_t s, uint32_t d, int percent) {
  const uint32_t a = std::clamp(percent, 0, 100) * 256 / 100;  // exact: percents are 1/25 steps of 256
  const uint32_t shaded = s == kShadow ? MixRef(s, d, 128) : s;
  switch (op) {
    case Op::Draw: return s;
    case Op::Keyed: return s == kKey ? d : s;
    case Op::Blended: return MixRef(s, d, a);
    case Op::KeyedBlended: return s == kKey ? d : MixRef(s, d, a);
    case Op::KeyedShadow: return s == kShadow ? shaded : s == kKey ? d : s;
    case Op::KeyedShadowBlended: return s == kKey ? d : MixRef(shaded, d, a);
  }
  return 0;
}
uint32_t RandomPixel(std::mt19937& rng) {  // keys, shadows, extremes and anything
  const uint32_t notable[] = {kKey, kShadow, 0xFFFFFF, 0, 0xFF000000 | kKey};
  return rng() % 4 == 0 ? notable[rng() % 5] : static_cast<uint32_t>(rng());
}

void Apply(Op op, CBitmapSurface& dst, int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy,
           int percent, uint32_t key = kKey) {
  switch (op) {
    case Op::Draw: return dst.Draw(x, y, w, h, src, sx, sy);
    case Op::Keyed: return dst.DrawKeyed(x, y, w, h, src, sx, sy, key);
    case Op::Blended: return dst.DrawBlended(x, y, w, h, src, sx, sy, percent);
    case Op::KeyedBlended: return dst.DrawKeyedBlended(x, y, w, h, src, sx, sy, percent, key);
    case Op::KeyedShadow: return dst.DrawKeyedShadow(x, y, w, h, src, sx, sy, key, kShadow);
    case Op::KeyedShadowBlended: return dst.DrawKeyedShadowBlended(x, y, w, h, src, sx, sy, key, kShadow, percent);
  }
}

TEST(BlitArithmetic, KnownValues) {
  struct Case {
    Op op;
    uint32_t s, d;
    int percent;
    uint32_t want;
    uint32_t key = kKey;
  };
  // The pixel rule's own numbers; the random rectangles below hold every blit to that rule.
  const Case cases[] = {
      // White over black at 60 %: (255 * a) >> 8 with the truncated weight 153.
      {Op::Blended, 0xFFFFFF, 0, 60, 0x989898},
      // Shadow: half of shadow and destination, mixed in the blended form; when the key equals
      // the shadow colour the shadow wins in one blit and the key in the other.
      {Op::KeyedShadow, kShadow, 0x204060, 0, 0x3F3E61},
      {Op::KeyedShadowBlended, kShadow, 0x204060, 50, 0x2F3F60},
      {Op::KeyedShadow, kShadow, 0x204060, 0, 0x3F3E61, kShadow},
      {Op::KeyedShadowBlended, kShadow, 0x204060, 100, 0x204060, kShadow},
  };
  for (const Case& c : cases) {
    CBitmapSurface src, dst;  // 9 pixels wide: through the vector loops and the scalar tail
    ASSERT_TRUE(src.Create(9, 1) && dst.Create(9, 1));
    src.Clear(c.s);
    dst.Clear(c.d);
    Apply(c.op, dst, 0, 0, 9, 1, src, 0, 0, c.percent, c.key);
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(dst.GetPixel(x, 0), c.want) << std::hex << int(c.op) << " " << c.s << " " << c.percent << " x " << x;
  }
}

// Random rectangles (negative positions, source overruns, empty and oversized) for every
// operation: the destination must equal the pixel rule applied to exactly the rectangle pixels
// inside both surfaces, and stay untouched elsewhere.
TEST(BlitClipping, EveryOperationMatchesThePixelRule) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo + 1)); };
  auto fill = [&](CBitmapSurface& s, int w, int h) {
    ASSERT_TRUE(s.Create(w, h));
    for (int i = 0; i < w * h; ++i) s.SetPixel(i % w, i / w, RandomPixel(rng));
  };
  for (int round = 0; round < 600; ++round) {
    const Op op = static_cast<Op>(round % 6);
    CBitmapSurface src, dst, before;
    const int sw = pick(1, 24), sh = pick(1, 24), dw = pick(1, 24), dh = pick(1, 24);
    fill(src, sw, sh);
    fill(dst, dw, dh);
    before.CreateCopy(dst);
    const int x = pick(-30, 30), y = pick(-30, 30), w = pick(-2, 40), h = pick(-2, 40);
    const int sx = pick(-30, 30), sy = pick(-30, 30), percent = pick(-20, 120);
    Apply(op, dst, x, y, w, h, src, sx, sy, percent);
    for (int j = 0; j < dh; ++j) {
      for (int i = 0; i < dw; ++i) {
        const int u = i - x + sx, v = j - y + sy;
        const bool inside = i - x >= 0 && i - x < w && j - y >= 0 && j - y < h && u >= 0 && u < sw && v >= 0 && v < sh;
        const uint32_t old = before.GetPixel(i, j);
        ASSERT_EQ(dst.GetPixel(i, j), inside ? PixelRef(op, src.GetPixel(u, v), old, percent) : old)
            << "round " << round << " at " << i << "," << j;
      }
    }
  }
}

TEST(BlitClipping, ExtremeArgumentsInvalidSurfacesAndSelfDrawing) {
  CBitmapSurface src, dst, invalid;
  ASSERT_TRUE(src.Create(4, 4) && dst.Create(6, 1));
  src.Clear(1);
  for (int x = 0; x < 6; ++x) dst.SetPixel(x, 0, 10u + x);
  dst.Draw(-2147483647, -5, 2147483647, 2147483647, src, 2147483647, 0);
  dst.Draw(0, 0, 4, 4, invalid, 0, 0);
  invalid.Draw(0, 0, 4, 4, src, 0, 0);
  EXPECT_EQ(dst.GetPixel(0, 0), 10u);
  dst.Draw(1, 0, 5, 1, dst, 0, 0);  // reads the picture as it was before the call
  EXPECT_EQ(dst.GetPixel(5, 0), 14u);
}

// The SSE2 and AVX2 loops must agree bit for bit with the portable ones at every
// width (scalar heads and tails included).
TEST(BlitRows, VectorAndPortableLoopsAgree) {
  const int best = static_cast<int>(gfx::BestVectorLevel());
  if (best == 0) GTEST_SKIP() << "no vector loops in this build";
  std::mt19937 rng(12345);
  const int weights[] = {0, 128, 153, 256};
  for (int run = 0; run < 6 * 4 * 37; ++run) {  // every operation, weight and width 1..37
    const int w = 1 + run % 37;
    gfx::BlitParams params{static_cast<gfx::BlitOp>(run % 6), kKey, kShadow, weights[run / 6 % 4]};
    std::vector<uint32_t> src(w * 3u), dst(w * 3u);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = RandomPixel(rng), dst[i] = RandomPixel(rng);
    std::vector<uint32_t> portable = dst;
    gfx::BlitRect(params, portable.data(), w, src.data(), w, w, 3, gfx::VectorLevel::None);
    for (int level = 1; level <= best; ++level) {
      std::vector<uint32_t> vec = dst;
      gfx::BlitRect(params, vec.data(), w, src.data(), w, w, 3, static_cast<gfx::VectorLevel>(level));
      ASSERT_EQ(vec, portable) << "run " << run << " level " << level;
    }
  }
}

TEST(BitmapSurface, ScaleGrayscaleAndSizeCap) {
  CBitmapSurface s;
  EXPECT_FALSE(s.Create(65536, 65536));
  ASSERT_TRUE(s.Create(33, 33));
  for (int i = 0; i < 33 * 33; ++i) s.SetPixel(i % 33, i / 33, static_cast<uint32_t>(i));
  s.Scale(50, 50);  // every second pixel of every second row
  ASSERT_EQ(std::make_pair(s.GetWidth(), s.GetHeight()), std::make_pair(17, 17));
  EXPECT_EQ(s.GetPixel(5, 16), 32u * 33 + 10);
  EXPECT_EQ(s.GetPixel(16, 0), 32u);
  s.SetPixel(0, 0, 0xFFFFFFFF);  // white with a fourth byte
  s.SetPixel(1, 0, 0x00FF0000);
  s.SetPixel(2, 0, 0x00102030);
  s.Grayscale();
  EXPECT_EQ(s.GetPixel(0, 0), 0x00FEFEFEu);
  EXPECT_EQ(s.GetPixel(1, 0), 0x004B4B4Bu);  // 76 * 255 >> 8
  EXPECT_EQ(s.GetPixel(2, 0), 0x001C1C1Cu);  // (76 * 16 + 150 * 32 + 29 * 48) >> 8
}

}  // namespace
