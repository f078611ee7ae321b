#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "gfx/blit_rows.h"

namespace {

constexpr uint32_t kKey = 0xBF7BC7;
constexpr uint32_t kShadow = 0x5F3D63;

enum class Op { Draw, Keyed, Blended, KeyedBlended, KeyedShadow, KeyedShadowBlended };

// The per-pixel rules written channel by channel, straight from their definitions.
uint32_t PerChannel(uint32_t s, uint32_t d, auto f) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) out |= f((s >> shift) & 255, (d >> shift) & 255) << shift;
  return out;
}
uint32_t MixRef(uint32_t s, uint32_t d, uint32_t a) {
  return PerChannel(s, d, [a](uint32_t x, uint32_t y) { return (x * a + y * (256 - a)) >> 8; });
}
uint32_t HalfRef(uint32_t s, uint32_t d) {
  return PerChannel(s, d, [](uint32_t x, uint32_t y) { return (x + y) >> 1; });
}
// percent / 100 * 256 truncated; exact in integers since the fractions are 1/25 steps.
uint32_t WeightRef(int percent) { return static_cast<uint32_t>(std::clamp(percent, 0, 100) * 256 / 100); }
uint32_t PixelRef(Op op, uint32_t s, uint32_t d, int percent) {
  const uint32_t a = WeightRef(percent);
  switch (op) {
    case Op::Draw: return s;
    case Op::Keyed: return s == kKey ? d : s;
    case Op::Blended: return MixRef(s, d, a);
    case Op::KeyedBlended: return s == kKey ? d : MixRef(s, d, a);
    case Op::KeyedShadow: return s == kShadow ? HalfRef(s, d) : s == kKey ? d : s;
    case Op::KeyedShadowBlended:
      return s == kKey ? d : MixRef(s == kShadow ? HalfRef(s, d) : s, d, a);
  }
  return 0;
}

void Apply(Op op, CBitmapSurface& dst, int x, int y, int w, int h, const CBitmapSurface& src,
           int sx, int sy, int percent) {
  switch (op) {
    case Op::Draw: return dst.Draw(x, y, w, h, src, sx, sy);
    case Op::Keyed: return dst.DrawKeyed(x, y, w, h, src, sx, sy, kKey);
    case Op::Blended: return dst.DrawBlended(x, y, w, h, src, sx, sy, percent);
    case Op::KeyedBlended: return dst.DrawKeyedBlended(x, y, w, h, src, sx, sy, percent, kKey);
    case Op::KeyedShadow: return dst.DrawKeyedShadow(x, y, w, h, src, sx, sy, kKey, kShadow);
    case Op::KeyedShadowBlended:
      return dst.DrawKeyedShadowBlended(x, y, w, h, src, sx, sy, kKey, kShadow, percent);
  }
}

uint32_t OnePixel(Op op, uint32_t s, uint32_t d, int percent) {
  CBitmapSurface src, dst;
  src.Create(1, 1);
  src.Clear(s);
  dst.Create(1, 1);
  dst.Clear(d);
  Apply(op, dst, 0, 0, 1, 1, src, 0, 0, percent);
  return dst.GetPixel(0, 0);
}

uint32_t Grey(uint32_t c) { return (c << 16) | (c << 8) | c; }

TEST(BlitArithmetic, KnownValues) {
  // White over black: (255 * a) >> 8 with the truncated weights 0, 128, 153, 192, 256.
  const std::pair<int, uint32_t> whiteOverBlack[] = {{0, 0}, {50, 127}, {60, 152}, {75, 191}, {100, 255}, {250, 255}, {-40, 0}};
  for (auto [percent, channel] : whiteOverBlack) EXPECT_EQ(OnePixel(Op::Blended, 0xFFFFFF, 0, percent), Grey(channel)) << percent;
  // The fourth byte is cleared by a mix, even at 100 % and 0 %.
  EXPECT_EQ(OnePixel(Op::Blended, 0xAA123456, 0x55654321, 100), 0x00123456u);
  EXPECT_EQ(OnePixel(Op::Blended, 0xAA123456, 0x55654321, 0), 0x00654321u);
  // Shadow black over white and over black.
  EXPECT_EQ(OnePixel(Op::KeyedShadow, kShadow, 0xFFFFFF, 0), HalfRef(kShadow, 0xFFFFFF));
  EXPECT_EQ(OnePixel(Op::KeyedShadow, kShadow, 0x204060, 0), 0x3F3E61u);
  // Keys compare all 32 bits: a key with a fourth byte, or one blue step off, is drawn.
  EXPECT_EQ(OnePixel(Op::Keyed, kKey, 0x111111, 0), 0x111111u);
  EXPECT_EQ(OnePixel(Op::Keyed, kKey + 1, 0x111111, 0), kKey + 1);
  EXPECT_EQ(OnePixel(Op::Keyed, 0xFF000000 | kKey, 0x111111, 0), 0xFF000000 | kKey);
  // A skipped key pixel leaves the destination whole, fourth byte included.
  EXPECT_EQ(OnePixel(Op::KeyedShadowBlended, kKey, 0xFF000000, 75), 0xFF000000u);
}

TEST(BlitArithmetic, EqualKeyAndShadowDifferBetweenTheTwoShadowBlits) {
  CBitmapSurface src, dst;
  src.Create(1, 1);
  src.Clear(kShadow);
  dst.Create(1, 1);
  dst.Clear(0x204060);
  dst.DrawKeyedShadow(0, 0, 1, 1, src, 0, 0, kShadow, kShadow);  // shadow wins
  EXPECT_EQ(dst.GetPixel(0, 0), 0x3F3E61u);
  dst.Clear(0x204060);
  dst.DrawKeyedShadowBlended(0, 0, 1, 1, src, 0, 0, kShadow, kShadow, 100);  // key wins
  EXPECT_EQ(dst.GetPixel(0, 0), 0x204060u);
}

// Random rectangles, including negative positions, source overruns, empty and huge sizes,
// for every operation: the whole destination must equal the per-pixel rule applied to
// exactly the rectangle pixels inside both surfaces.
TEST(BlitClipping, EveryOperationMatchesThePixelRule) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo + 1)); };
  const uint32_t specials[] = {kKey, kShadow, 0xFFFFFF, 0, 0xFF000000 | kKey};
  auto pixel = [&] { return rng() % 4 == 0 ? specials[rng() % 5] : static_cast<uint32_t>(rng()); };
  for (int round = 0; round < 600; ++round) {
    const Op op = static_cast<Op>(round % 6);
    CBitmapSurface src, dst;
    const int sw = pick(1, 24), sh = pick(1, 24), dw = pick(1, 24), dh = pick(1, 24);
    src.Create(sw, sh);
    dst.Create(dw, dh);
    for (int y = 0; y < sh; ++y) for (int x = 0; x < sw; ++x) src.SetPixel(x, y, pixel());
    for (int y = 0; y < dh; ++y) for (int x = 0; x < dw; ++x) dst.SetPixel(x, y, pixel());
    CBitmapSurface before;
    before.CreateCopy(dst);
    const int x = pick(-30, 30), y = pick(-30, 30), w = pick(-2, 40), h = pick(-2, 40);
    const int sx = pick(-30, 30), sy = pick(-30, 30), percent = pick(-20, 120);
    Apply(op, dst, x, y, w, h, src, sx, sy, percent);
    for (int j = 0; j < dh; ++j) {
      for (int i = 0; i < dw; ++i) {
        const int u = i - x + sx, v = j - y + sy;  // source position read for (i, j)
        const bool inside = i - x >= 0 && i - x < w && j - y >= 0 && j - y < h && u >= 0 && u < sw && v >= 0 && v < sh;
        const uint32_t old = before.GetPixel(i, j);
        const uint32_t want = inside ? PixelRef(op, src.GetPixel(u, v), old, percent) : old;
        ASSERT_EQ(dst.GetPixel(i, j), want) << "round " << round << " at " << i << "," << j;
      }
    }
  }
}

TEST(BlitClipping, ExtremeArgumentsAndInvalidSurfacesDrawNothing) {
  CBitmapSurface src, dst, invalid;
  src.Create(4, 4);
  src.Clear(1);
  dst.Create(4, 4);
  dst.Clear(0);
  dst.Draw(-2147483647, -5, 2147483647, 2147483647, src, 2147483647, 0);
  dst.Draw(0, 0, 4, 4, invalid, 0, 0);
  invalid.Draw(0, 0, 4, 4, src, 0, 0);
  for (int y = 0; y < 4; ++y) for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.GetPixel(x, y), 0u);
  EXPECT_FALSE(invalid.IsValid());
}

TEST(BlitClipping, DrawingOntoItselfReadsThePictureBeforeTheCall) {
  CBitmapSurface s;
  s.Create(6, 1);
  for (int x = 0; x < 6; ++x) s.SetPixel(x, 0, 10u + x);
  s.Draw(1, 0, 5, 1, s, 0, 0);
  EXPECT_EQ(s.GetPixel(1, 0), 10u);
  EXPECT_EQ(s.GetPixel(5, 0), 14u);
}

// The SSE2, AVX2 and streaming loops must agree bit for bit with the portable ones at every
// width (covering the scalar heads and tails) with keys and shadows that really occur.
TEST(BlitRows, VectorAndPortableLoopsAgree) {
  const gfx::VectorLevel best = gfx::BestVectorLevel();
  if (best == gfx::VectorLevel::None) GTEST_SKIP() << "no vector loops in this build";
  std::mt19937 rng(12345);
  const uint32_t picks[] = {kKey, kShadow, 0x00FFFFFF, 0, 0xFF000000 | kKey};
  auto randomPixel = [&] { return rng() % 4 == 0 ? picks[rng() % 5] : static_cast<uint32_t>(rng()); };
  for (int op = 0; op < 6; ++op) {
    for (int weight : {0, 128, 153, 204, 256}) {
      for (int w = 1; w <= 37; ++w) {
        std::vector<uint32_t> src(static_cast<std::size_t>(w) * 3), dst(src.size());
        for (auto& p : src) p = randomPixel();
        for (auto& p : dst) p = randomPixel();
        std::vector<uint32_t> port = dst;
        gfx::BlitParams params{static_cast<gfx::BlitOp>(op), kKey, kShadow, weight};
        gfx::BlitRect(params, port.data(), w, src.data(), w, w, 3, gfx::VectorLevel::None);
        for (int level = 1; level <= static_cast<int>(best); ++level) {
          for (bool stream : {false, true}) {
            params.streamStores = stream;
            std::vector<uint32_t> vec = dst;
            gfx::BlitRect(params, vec.data(), w, src.data(), w, w, 3, static_cast<gfx::VectorLevel>(level));
            ASSERT_EQ(vec, port) << "op " << op << " weight " << weight << " w " << w << " level " << level << " stream " << stream;
          }
        }
      }
    }
  }
}

}  // namespace
