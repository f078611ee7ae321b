#include <gtest/gtest.h>

#include "app/check_image.h"
#include "gfx/bitmap_surface.h"
#include "gfx/bmp_builder.h"

namespace {

TEST(CheckImage, ReportsUsableAndUnusableFilesAndWritesTheCopy) {
  const auto in = gfxtest::TempPath(".bmp"), out = gfxtest::TempPath(".bmp");
  auto check = [&](const std::string& file, int wantCode) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunCheckImage(file, out.string()), wantCode) << file;
    return testing::internal::GetCapturedStdout();
  };
  gfxtest::BmpLayout layout;
  layout.width = 2, layout.height = 3, layout.bitCount = 8, layout.palette = {0x112233, 0x445566}, layout.colorsUsed = 2;
  layout.pixelData = gfxtest::PadRows({{0, 1}, {1, 1}, {1, 0}});
  gfxtest::WriteFile(in, gfxtest::BuildBmp(layout));
  EXPECT_EQ(check(in.string(), 0), "ok 2x3 8-bit\n");
  CBitmapSurface copy;
  ASSERT_TRUE(copy.LoadFile(out.string()));
  EXPECT_EQ(copy.GetBitCount(), 24);
  EXPECT_EQ(copy.GetPixel(0, 0), 0x445566u);  // first pixel of the file's last row
  EXPECT_EQ(copy.GetPixel(0, 2), 0x112233u);
  EXPECT_FALSE(copy.LoadFile(in.string() + ".missing"));  // a file that cannot be opened changes nothing
  EXPECT_EQ(copy.GetPixel(0, 2), 0x112233u);

  layout.bitCount = 4;
  gfxtest::WriteFile(in, gfxtest::BuildBmp(layout));
  EXPECT_EQ(check(in.string(), 1), "invalid: fewer than 8 bits per pixel (4)\n");
  EXPECT_EQ(check(in.string() + ".missing", 1).rfind("invalid: cannot open", 0), 0u);
  EXPECT_FALSE(copy.LoadFile(in.string()) || copy.IsValid());  // opens but unusable: invalid
  std::filesystem::remove(in);
  std::filesystem::remove(out);
}

}  // namespace
