// Pictures written by ImageMagick's BMP encoder (as paint programs and asset pipelines do), read
// by our loader and compared with ImageMagick's own decoding of the same file.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/bitmap_surface.h"
#include "support/run_program.h"
#include "support/test_files.h"

namespace {

bool Shell(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

TEST(ImageMagickFiles, LoadLikeImageMagickDecodesThem) {
  if (!Shell("convert -version")) GTEST_SKIP() << "ImageMagick's convert is not on PATH";
  testing_support::TempDir dir;
  auto quoted = [&](const char* name) {  // built step by step: GCC 12 misreads "'" + string as overlapping copies
    std::string text(1, '\'');
    text += (dir / name).string();
    return text += "' ";
  };
  const std::string in = quoted("in.png"), bmp = quoted("out.bmp");
  // A plasma with a flat rectangle (long runs for RLE) and a half-transparent corner.
  ASSERT_TRUE(
      Shell("convert -seed 3 -size 37x23 plasma:fractal -fill red -draw 'rectangle 5,5,20,12' -alpha set "
            "-region 6x5+0+0 -channel A -evaluate set 50% +region +channel " +
            in));
  const std::pair<const char*, int> variants[] = {
      {"-alpha off -colors 200 -type Palette -compress RLE BMP3:", 8},
      {"-alpha off -colors 200 -type Palette -compress None BMP3:", 8},
      {"-alpha off -type TrueColor BMP3:", 24},
      {"-type TrueColorAlpha BMP:", 32},
  };
  for (const auto& [options, bits] : variants) {
    SCOPED_TRACE(options);
    CBitmapSurface s;
    ASSERT_TRUE(Shell("convert " + in + options + bmp + "&& convert " + bmp + "-depth 8 rgba:" + quoted("out.rgba")));
    ASSERT_TRUE(s.LoadFile((dir / "out.bmp").string())) << s.LoadError();
    ASSERT_EQ(std::make_tuple(s.GetWidth(), s.GetHeight(), s.GetBitCount()), std::make_tuple(37, 23, bits));
    const std::string rgba = testing_support::ReadText(dir / "out.rgba");
    ASSERT_EQ(rgba.size(), 37u * 23 * 4);
    int mismatches = 0;
    for (int i = 0; i < 37 * 23; ++i) {
      const auto byte = [&](int k) { return uint32_t{static_cast<uint8_t>(rgba[i * 4 + k])}; };
      const uint32_t want = (bits == 32 ? byte(3) << 24 : 0) | byte(0) << 16 | byte(1) << 8 | byte(2);
      const uint32_t got = s.GetPixel(i % 37, i / 37);
      if (got != want && ++mismatches <= 3) ADD_FAILURE() << "pixel " << i << ": " << std::hex << got << " != " << want;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
