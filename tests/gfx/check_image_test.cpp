#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/check_image.h"
#include "gfx/bitmap_surface.h"
#include "gfx/bmp_builder.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(CheckImage, ReportsUsableFilesAndWritesTheCopy) {
  gfxtest::BmpLayout layout;
  layout.width = 2;
  layout.height = 3;
  layout.bitCount = 8;
  layout.palette = {0x112233, 0x445566};
  layout.colorsUsed = 2;
  layout.pixelData = gfxtest::PadRows({{0, 1}, {1, 1}, {1, 0}});
  const auto in = gfxtest::TempPath(".bmp");
  const auto out = gfxtest::TempPath(".bmp");
  WriteFile(in, gfxtest::BuildBmp(layout));

  testing::internal::CaptureStdout();
  const int code = RunCheckImage(in.string(), out.string());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ok 2x3 8-bit\n");
  EXPECT_EQ(code, 0);
  CBitmapSurface copy;
  ASSERT_TRUE(copy.LoadFile(out.string()));
  EXPECT_EQ(copy.GetBitCount(), 24);
  EXPECT_EQ(copy.GetPixel(0, 0), 0x445566u);
  EXPECT_EQ(copy.GetPixel(1, 2), 0x445566u);
  EXPECT_EQ(copy.GetPixel(0, 2), 0x112233u);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
}

TEST(CheckImage, ReportsWhyAFileIsUnusable) {
  gfxtest::BmpLayout layout;
  layout.bitCount = 4;
  const auto in = gfxtest::TempPath(".bmp");
  WriteFile(in, gfxtest::BuildBmp(layout));
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunCheckImage(in.string(), ""), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "invalid: fewer than 8 bits per pixel (4)\n");

  testing::internal::CaptureStdout();
  EXPECT_EQ(RunCheckImage(in.string() + ".missing", ""), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("invalid: cannot open", 0), 0u);
  std::filesystem::remove(in);
}

}  // namespace
