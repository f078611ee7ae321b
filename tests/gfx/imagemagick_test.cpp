// Pictures written by ImageMagick's BMP encoder (as paint programs and asset pipelines do), read
// by our loader and compared with ImageMagick's own decoding of the same file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>

#include "gfx/bitmap_surface.h"
#include "gfx/bmp_builder.h"

namespace {

bool Shell(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }
std::string Quote(const std::filesystem::path& p) {
  std::string quoted = "'";
  quoted += p.string();
  quoted += '\'';
  return quoted;
}

// The samples of a binary PPM or PGM with maxval 255 (its header is "P6 w h 255" or "P5 ...").
std::vector<uint8_t> Samples(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic, w, h, maxval;
  in >> magic >> w >> h >> maxval;
  in.get();
  return maxval == "255" ? std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}) : std::vector<uint8_t>{};
}

TEST(ImageMagickFiles, LoadLikeImageMagickDecodesThem) {
  if (!Shell("convert -version")) GTEST_SKIP() << "ImageMagick's convert is not on PATH";
  const auto source = gfxtest::TempPath(".png"), bmp = gfxtest::TempPath(".bmp"), pnm = gfxtest::TempPath(".pnm");
  // A plasma with a flat rectangle (long runs for RLE) and a half-transparent corner.
  ASSERT_TRUE(Shell("convert -seed 3 -size 37x23 plasma:fractal -fill red -draw 'rectangle 5,5,20,12' -alpha set "
                    "-region 6x5+0+0 -channel A -evaluate set 50% +region +channel " + Quote(source)));
  const std::pair<const char*, int> variants[] = {
      {"-alpha off -colors 200 -type Palette -compress RLE BMP3:", 8},
      {"-alpha off -colors 200 -type Palette -compress None BMP3:", 8},
      {"-alpha off -type TrueColor BMP3:", 24},
      {"-type TrueColorAlpha BMP:", 32},
  };
  for (const auto& [options, bits] : variants) {
    SCOPED_TRACE(options);
    CBitmapSurface s;
    ASSERT_TRUE(Shell("convert " + Quote(source) + " " + options + Quote(bmp)));
    ASSERT_TRUE(s.LoadFile(bmp.string())) << s.LoadError();
    ASSERT_EQ(std::make_tuple(s.GetWidth(), s.GetHeight(), s.GetBitCount()), std::make_tuple(37, 23, bits));
    ASSERT_TRUE(Shell("convert " + Quote(bmp) + " -alpha off -depth 8 ppm:" + Quote(pnm)));
    const std::vector<uint8_t> rgb = Samples(pnm);
    ASSERT_TRUE(Shell("convert " + Quote(bmp) + " -alpha extract -depth 8 pgm:" + Quote(pnm)));
    const std::vector<uint8_t> alpha = Samples(pnm);
    ASSERT_TRUE(rgb.size() == 37 * 23 * 3 && alpha.size() == 37 * 23);
    int mismatches = 0;
    for (int i = 0; i < 37 * 23; ++i) {
      const uint32_t fourth = bits == 32 ? uint32_t{alpha[i]} << 24 : 0;
      const uint32_t want = fourth | (uint32_t{rgb[i * 3]} << 16) | (rgb[i * 3 + 1] << 8) | rgb[i * 3 + 2];
      const uint32_t got = s.GetPixel(i % 37, i / 37);
      if (got != want && ++mismatches <= 3) ADD_FAILURE() << "pixel " << i << ": " << std::hex << got << " != " << want;
    }
    EXPECT_EQ(mismatches, 0);
  }
  for (const auto& p : {source, bmp, pnm}) std::filesystem::remove(p);
}

}  // namespace
