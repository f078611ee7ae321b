#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "gfx/blit_rows.h"

namespace {

constexpr uint32_t kKey = 0xBF7BC7;
constexpr uint32_t kShadow = 0x5F3D63;

// A surface whose every pixel is `value`.
void Make(CBitmapSurface& s, int w, int h, uint32_t value) {
  ASSERT_TRUE(s.Create(w, h));
  s.Clear(value);
}

// A surface whose pixel (x, y) is 0x00YYXX + base, so each source position is recognisable.
void MakeNumbered(CBitmapSurface& s, int w, int h) {
  ASSERT_TRUE(s.Create(w, h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, 0x010000u + static_cast<uint32_t>(y * 256 + x));
}

uint32_t BlendOnePixel(uint32_t s, uint32_t d, int percent) {
  CBitmapSurface src, dst;
  Make(src, 1, 1, s);
  Make(dst, 1, 1, d);
  dst.DrawBlended(0, 0, 1, 1, src, 0, 0, percent);
  return dst.GetPixel(0, 0);
}

uint32_t Channels(uint32_t c) { return (c << 16) | (c << 8) | c; }

TEST(BlitArithmetic, MixUsesTruncatedWeights) {
  // (255 * a + 0 * (256 - a)) >> 8 for the weights 0, 128, 153, 192, 256.
  EXPECT_EQ(BlendOnePixel(0xFFFFFF, 0, 0), 0u);
  EXPECT_EQ(BlendOnePixel(0xFFFFFF, 0, 50), Channels(127));
  EXPECT_EQ(BlendOnePixel(0xFFFFFF, 0, 60), Channels(152));
  EXPECT_EQ(BlendOnePixel(0xFFFFFF, 0, 75), Channels(191));
  EXPECT_EQ(BlendOnePixel(0xFFFFFF, 0, 100), Channels(255));
  // Channels kept apart: red from the source, blue from the destination at 60 %.
  EXPECT_EQ(BlendOnePixel(0xC80000, 0x000064, 60), ((200u * 153 >> 8) << 16) | (100u * 103 >> 8));
}

TEST(BlitArithmetic, PercentagesAreClampedAndFourthByteCleared) {
  EXPECT_EQ(BlendOnePixel(0xAA123456, 0x55FFFFFF, 100), 0x00123456u);
  EXPECT_EQ(BlendOnePixel(0xAA123456, 0x55FFFFFF, 250), 0x00123456u);
  EXPECT_EQ(BlendOnePixel(0xAA123456, 0x55654321, 0), 0x00654321u);
  EXPECT_EQ(BlendOnePixel(0xAA123456, 0x55654321, -40), 0x00654321u);
}

TEST(BlitClipping, NegativeDestinationShiftsTheSource) {
  CBitmapSurface src, dst;
  MakeNumbered(src, 64, 64);
  Make(dst, 100, 70, 0);
  dst.Draw(-10, 0, 64, 64, src, 0, 0);
  EXPECT_EQ(dst.GetPixel(0, 0), src.GetPixel(10, 0));
  EXPECT_EQ(dst.GetPixel(53, 63), src.GetPixel(63, 63));
  EXPECT_EQ(dst.GetPixel(54, 0), 0u);
  EXPECT_EQ(dst.GetPixel(0, 64), 0u);
}

TEST(BlitClipping, NegativeSourceShiftsTheDestination) {
  CBitmapSurface src, dst;
  MakeNumbered(src, 8, 8);
  Make(dst, 20, 20, 0);
  dst.Draw(5, 5, 6, 6, src, -2, -3);
  EXPECT_EQ(dst.GetPixel(7, 8), src.GetPixel(0, 0));
  EXPECT_EQ(dst.GetPixel(6, 8), 0u);
  EXPECT_EQ(dst.GetPixel(7, 7), 0u);
  EXPECT_EQ(dst.GetPixel(10, 10), src.GetPixel(3, 2));
  EXPECT_EQ(dst.GetPixel(11, 10), 0u);  // the rectangle ends at x + w - 1 = 10
}

TEST(BlitClipping, SourceAndDestinationEdgesCutTheRectangle) {
  CBitmapSurface src, dst;
  MakeNumbered(src, 10, 6);
  Make(dst, 30, 30, 0);
  // Past the source's right and bottom edges: stops there though the destination has room.
  dst.Draw(0, 0, 20, 20, src, 7, 4);
  EXPECT_EQ(dst.GetPixel(2, 1), src.GetPixel(9, 5));
  EXPECT_EQ(dst.GetPixel(3, 0), 0u);
  EXPECT_EQ(dst.GetPixel(0, 2), 0u);
  // Past the destination's right and bottom edges.
  Make(dst, 5, 4, 0);
  dst.Draw(3, 2, 10, 10, src, 0, 0);
  EXPECT_EQ(dst.GetPixel(4, 3), src.GetPixel(1, 1));
  EXPECT_EQ(dst.GetPixel(2, 3), 0u);
  // Negative y with a source offset.
  Make(dst, 5, 5, 0);
  dst.Draw(0, -2, 3, 5, src, 1, 0);
  EXPECT_EQ(dst.GetPixel(0, 0), src.GetPixel(1, 2));
  EXPECT_EQ(dst.GetPixel(2, 2), src.GetPixel(3, 4));
  EXPECT_EQ(dst.GetPixel(0, 3), 0u);
}

TEST(BlitClipping, EmptyAndOneColumnRectangles) {
  CBitmapSurface src, dst;
  MakeNumbered(src, 4, 4);
  Make(dst, 4, 4, 0);
  dst.Draw(0, 0, 0, 4, src, 0, 0);
  dst.Draw(0, 0, 4, -1, src, 0, 0);
  dst.Draw(4, 0, 4, 4, src, 0, 0);
  dst.Draw(0, 0, 4, 4, src, 4, 0);
  dst.Draw(-2147483647, -5, 2147483647, 2147483647, src, 2147483647, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.GetPixel(x, y), 0u);
  dst.Draw(1, 0, 1, 4, src, 2, 0);
  EXPECT_EQ(dst.GetPixel(1, 3), src.GetPixel(2, 3));
  EXPECT_EQ(dst.GetPixel(0, 3), 0u);
  EXPECT_EQ(dst.GetPixel(2, 3), 0u);
}

TEST(BlitClipping, InvalidSurfacesDrawNothing) {
  CBitmapSurface invalid, dst;
  Make(dst, 2, 2, 0x123456);
  dst.Draw(0, 0, 2, 2, invalid, 0, 0);
  dst.DrawKeyedShadowBlended(0, 0, 2, 2, invalid, 0, 0, 0, 0, 100);
  EXPECT_EQ(dst.GetPixel(1, 1), 0x123456u);
  invalid.Draw(0, 0, 2, 2, dst, 0, 0);
  EXPECT_FALSE(invalid.IsValid());
}

TEST(BlitClipping, DrawingOntoItselfReadsThePictureBeforeTheCall) {
  CBitmapSurface s;
  MakeNumbered(s, 6, 1);
  const uint32_t first = s.GetPixel(0, 0), second = s.GetPixel(1, 0);
  s.Draw(1, 0, 5, 1, s, 0, 0);
  EXPECT_EQ(s.GetPixel(1, 0), first);
  EXPECT_EQ(s.GetPixel(2, 0), second);
}

TEST(BlitKeys, KeyIsComparedOnAllBits) {
  CBitmapSurface src, dst;
  ASSERT_TRUE(src.Create(3, 1));
  src.SetPixel(0, 0, kKey);
  src.SetPixel(1, 0, kKey + 1);
  src.SetPixel(2, 0, 0xFF000000 | kKey);  // fourth byte set: not the key
  Make(dst, 3, 1, 0x111111);
  dst.DrawKeyed(0, 0, 3, 1, src, 0, 0, kKey);
  EXPECT_EQ(dst.GetPixel(0, 0), 0x111111u);
  EXPECT_EQ(dst.GetPixel(1, 0), kKey + 1);
  EXPECT_EQ(dst.GetPixel(2, 0), 0xFF000000 | kKey);

  Make(dst, 3, 1, 0x111111);
  dst.DrawKeyedBlended(0, 0, 3, 1, src, 0, 0, 80, kKey);
  EXPECT_EQ(dst.GetPixel(0, 0), 0x111111u);
  const uint32_t a = 204, b = 52;
  const uint32_t blue = (0xC8 * a + 0x11 * b) >> 8;  // 0xBF7BC8 over 0x111111
  EXPECT_EQ(dst.GetPixel(1, 0) & 0xFF, blue);
}

TEST(BlitKeys, ShadowDarkensWhatLiesBeneath) {
  CBitmapSurface src, dst;
  ASSERT_TRUE(src.Create(4, 1));
  src.SetPixel(0, 0, 0x000000);  // shadow
  src.SetPixel(1, 0, 0x000000);
  src.SetPixel(2, 0, kKey);
  src.SetPixel(3, 0, 0x445566);
  ASSERT_TRUE(dst.Create(4, 1));
  dst.SetPixel(0, 0, 0xFFFFFF);
  dst.SetPixel(1, 0, 0x000000);
  dst.SetPixel(2, 0, 0xABCDEF);
  dst.SetPixel(3, 0, 0xABCDEF);
  dst.DrawKeyedShadow(0, 0, 4, 1, src, 0, 0, kKey, 0x000000);
  EXPECT_EQ(dst.GetPixel(0, 0), Channels(127));
  EXPECT_EQ(dst.GetPixel(1, 0), 0u);
  EXPECT_EQ(dst.GetPixel(2, 0), 0xABCDEFu);
  EXPECT_EQ(dst.GetPixel(3, 0), 0x445566u);
}

TEST(BlitKeys, EqualKeyAndShadowDifferBetweenTheTwoShadowBlits) {
  CBitmapSurface src, dst;
  Make(src, 1, 1, kShadow);
  Make(dst, 1, 1, 0x204060);
  dst.DrawKeyedShadow(0, 0, 1, 1, src, 0, 0, kShadow, kShadow);
  EXPECT_EQ(dst.GetPixel(0, 0), 0x3F3E61u);  // half of 0x5F3D63 and 0x204060
  Make(dst, 1, 1, 0x204060);
  dst.DrawKeyedShadowBlended(0, 0, 1, 1, src, 0, 0, kShadow, kShadow, 100);
  EXPECT_EQ(dst.GetPixel(0, 0), 0x204060u);
}

TEST(BlitKeys, ShadowBlendedMixesTheHalfWithTheDestination) {
  CBitmapSurface src, dst;
  ASSERT_TRUE(src.Create(3, 1));
  src.SetPixel(0, 0, kShadow);
  src.SetPixel(1, 0, kKey);
  src.SetPixel(2, 0, 0xFFFFFF);
  Make(dst, 3, 1, 0xFF000000);  // black with a fourth byte
  dst.DrawKeyedShadowBlended(0, 0, 3, 1, src, 0, 0, kKey, kShadow, 75);
  // half = 0x2F1E31, then mixed with black at weight 192.
  EXPECT_EQ(dst.GetPixel(0, 0), ((0x2Fu * 192 >> 8) << 16) | ((0x1Eu * 192 >> 8) << 8) | (0x31u * 192 >> 8));
  EXPECT_EQ(dst.GetPixel(1, 0), 0xFF000000u);  // keyed: untouched, fourth byte too
  EXPECT_EQ(dst.GetPixel(2, 0), Channels(191));
}

// The vector and portable row loops must agree bit for bit on every operation, at every
// width (covering the scalar tail) and with keys and shadows that really occur.
TEST(BlitRows, VectorAndPortableLoopsAgree) {
  const gfx::VectorLevel best = gfx::BestVectorLevel();
  if (best == gfx::VectorLevel::None) GTEST_SKIP() << "no vector loops in this build";
  std::mt19937 rng(12345);
  const uint32_t key = 0x00BF7BC7, shadow = 0x005F3D63;
  const uint32_t picks[] = {key, shadow, 0x00FFFFFF, 0, 0xFF000000 | key};
  auto randomPixel = [&] {
    const uint32_t r = rng();
    return (r & 3) == 0 ? picks[(r >> 2) % 5] : static_cast<uint32_t>(rng());
  };
  const gfx::BlitOp ops[] = {gfx::BlitOp::Copy,       gfx::BlitOp::Keyed,
                             gfx::BlitOp::Blend,      gfx::BlitOp::KeyedBlend,
                             gfx::BlitOp::KeyedShadow, gfx::BlitOp::KeyedShadowBlend};
  for (gfx::BlitOp op : ops) {
    for (int weight : {0, 128, 153, 204, 256}) {
      for (int w = 1; w <= 37; ++w) {
        std::vector<uint32_t> src(static_cast<std::size_t>(w) * 3), dst(src.size());
        for (auto& p : src) p = randomPixel();
        for (auto& p : dst) p = randomPixel();
        std::vector<uint32_t> port = dst;
        gfx::BlitParams params{op, key, shadow, weight};
        gfx::BlitRect(params, port.data(), w, src.data(), w, w, 3, gfx::VectorLevel::None);
        for (int level = 1; level <= static_cast<int>(best); ++level) {
          for (bool stream : {false, true}) {
            params.streamStores = stream;
            std::vector<uint32_t> vec = dst;
            gfx::BlitRect(params, vec.data(), w, src.data(), w, w, 3,
                          static_cast<gfx::VectorLevel>(level));
            ASSERT_EQ(vec, port) << "op " << static_cast<int>(op) << " weight " << weight
                                 << " w " << w << " level " << level << " stream " << stream;
          }
        }
      }
    }
  }
}

}  // namespace
