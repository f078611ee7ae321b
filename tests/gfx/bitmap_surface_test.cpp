#include <gtest/gtest.h>

#include "gfx/bitmap_surface.h"

namespace {

// Fills every pixel with a value made from its top-down position.
void FillPattern(CBitmapSurface& s) {
  for (int y = 0; y < s.GetHeight(); ++y)
    for (int x = 0; x < s.GetWidth(); ++x) s.SetPixel(x, y, static_cast<uint32_t>(y * 1000 + x));
}

TEST(BitmapSurface, CreationCopiesAndInvalidSurfaces) {
  CBitmapSurface invalid, s, copy;
  invalid.SetPixel(0, 0, 5);
  invalid.Scale(50, 50);
  invalid.Grayscale();
  EXPECT_EQ(invalid.GetPixel(0, 0), 0u);
  EXPECT_FALSE(invalid.IsValid());

  ASSERT_TRUE(s.Create(-4, 10));  // negative sizes become 0: valid but empty
  EXPECT_TRUE(s.IsValid());
  EXPECT_EQ(s.GetWidth(), 0);
  EXPECT_EQ(s.GetHeight(), 10);
  s.SetPixel(0, 0, 1);
  EXPECT_EQ(s.GetPixel(0, 0), 0u);
  EXPECT_FALSE(s.Create(65536, 65536));  // beyond the size cap
  EXPECT_FALSE(s.IsValid());

  ASSERT_TRUE(s.Create(3, 2));
  s.Clear(0xFF123456);  // all 32 bits stored
  copy.CreateCopy(s);
  s.Clear(0);
  EXPECT_EQ(copy.GetWidth(), 3);
  EXPECT_EQ(copy.GetPixel(2, 1), 0xFF123456u);  // deep copy
  copy.CreateCopy(invalid);                     // an invalid source changes nothing
  EXPECT_EQ(copy.GetPixel(2, 1), 0xFF123456u);
}

TEST(BitmapSurface, RowsAreStoredBottomUp) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(3, 2));
  s.SetPixel(0, 0, 0x111111);  // top-left
  s.SetPixel(2, 1, 0x222222);  // bottom-right
  EXPECT_EQ(s.Pixels()[3], 0x111111u);  // first pixel of storage row 1
  EXPECT_EQ(s.Pixels()[2], 0x222222u);  // last pixel of storage row 0
  EXPECT_EQ(s.RowTopDown(0), s.Pixels() + 3);
  EXPECT_EQ(s.RowTopDown(2), nullptr);
}

TEST(BitmapSurface, PixelAccessClampsToTheNearestEdge) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(4, 5));
  FillPattern(s);
  s.SetPixel(-5, 3, 0xABCDEF);
  EXPECT_EQ(s.GetPixel(0, 3), 0xABCDEFu);
  EXPECT_EQ(s.GetPixel(4 + 10, 0), s.GetPixel(3, 0));
  EXPECT_EQ(s.GetPixel(2, -7), s.GetPixel(2, 0));
  EXPECT_EQ(s.GetPixel(2, 99), s.GetPixel(2, 4));
}

TEST(BitmapSurface, GrayscaleWeightsChannels) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(3, 1));
  s.SetPixel(0, 0, 0xFFFFFFFF);  // white with a fourth byte
  s.SetPixel(1, 0, 0x00FF0000);
  s.SetPixel(2, 0, 0x00102030);
  s.Grayscale();
  EXPECT_EQ(s.GetPixel(0, 0), 0x00FEFEFEu);
  EXPECT_EQ(s.GetPixel(1, 0), 0x004B4B4Bu);  // 76 * 255 >> 8 = 75
  const uint32_t g = (76 * 0x10 + 150 * 0x20 + 29 * 0x30) >> 8;
  EXPECT_EQ(s.GetPixel(2, 0), (g << 16) | (g << 8) | g);
}

TEST(BitmapSurface, ScaleSizesAndSamples) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(33, 33));
  FillPattern(s);
  s.Scale(50, 50);
  EXPECT_EQ(s.GetWidth(), 17);
  EXPECT_EQ(s.GetHeight(), 17);
  // Columns: source i * 2. Rows are sampled in storage order from the bottom: storage row j
  // comes from storage row 2j, i.e. top-down row 16 - j of the result from 32 - 2j.
  EXPECT_EQ(s.GetPixel(5, 16), 32u * 1000 + 10);
  EXPECT_EQ(s.GetPixel(16, 0), 0u * 1000 + 32);
  EXPECT_EQ(s.GetPixel(0, 15), 30u * 1000);
}

TEST(BitmapSurface, ScaleUpZeroAndNegative) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(4, 3));
  FillPattern(s);
  s.Scale(200, 100);
  EXPECT_EQ(s.GetWidth(), 8);
  EXPECT_EQ(s.GetHeight(), 3);
  EXPECT_EQ(s.GetPixel(7, 2), 2003u);
  EXPECT_EQ(s.GetPixel(6, 2), 2003u);
  EXPECT_EQ(s.GetPixel(5, 0), 2u);
  s.Scale(-20, 100);
  EXPECT_TRUE(s.IsValid());
  EXPECT_EQ(s.GetWidth(), 0);
  EXPECT_EQ(s.GetHeight(), 3);
}

}  // namespace
