#include <gtest/gtest.h>

#include "app/check_image.h"
#include "gfx/bitmap_surface.h"
#include "support/bmp_builder.h"
#include "support/test_world.h"

namespace {

TEST(CheckImage, ReportsUsableAndUnusableFilesAndWritesTheCopy) {
  testing_support::TempDir dir;
  const std::string in = (dir / "in.bmp").string(), out = (dir / "out.bmp").string();
  auto check = [&](const std::string& file, int wantCode) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunCheckImage(file, out), wantCode) << file;
    return testing::internal::GetCapturedStdout();
  };
  gfxtest::BmpLayout layout;
  layout.width = 2, layout.height = 3, layout.bitCount = 8, layout.palette = {0x112233, 0x445566},
  layout.colorsUsed = 2;
  layout.pixelData = gfxtest::PadRows({{0, 1}, {1, 1}, {1, 0}});
  dir.Write("in.bmp", gfxtest::AsText(gfxtest::BuildBmp(layout)));
  EXPECT_EQ(check(in, 0), "ok 2x3 8-bit\n");
  CBitmapSurface copy;
  ASSERT_TRUE(copy.LoadFile(out));
  EXPECT_EQ(copy.GetBitCount(), 24);
  EXPECT_EQ(copy.GetPixel(0, 0), 0x445566u);  // first pixel of the file's last row
  EXPECT_EQ(copy.GetPixel(0, 2), 0x112233u);
  EXPECT_FALSE(copy.LoadFile(in + ".missing"));  // a file that cannot be opened changes nothing
  EXPECT_EQ(copy.GetPixel(0, 2), 0x112233u);

  layout.bitCount = 4;
  dir.Write("in.bmp", gfxtest::AsText(gfxtest::BuildBmp(layout)));
  EXPECT_EQ(check(in, 1), "invalid: fewer than 8 bits per pixel (4)\n");
  EXPECT_EQ(check(in + ".missing", 1).rfind("invalid: cannot open", 0), 0u);
  EXPECT_FALSE(copy.LoadFile(in) || copy.IsValid());  // opens but unusable: invalid
}

}  // namespace
