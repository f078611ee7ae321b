// Pictures written by ImageMagick's BMP encoder (as paint programs and asset pipelines do),
// read by our loader and compared with ImageMagick's own decoding of the same file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "gfx/bitmap_surface.h"
#include "gfx/bmp_builder.h"

namespace {

bool HaveConvert() { return std::system("convert -version > /dev/null 2>&1") == 0; }

bool Shell(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

std::string Quote(const std::filesystem::path& p) {
  std::string quoted(1, '\'');  // built piecewise: GCC 12 misreports "'" + string
  quoted += p.string();
  quoted += '\'';
  return quoted;
}

// Reads a binary PPM (P6) or PGM (P5) with maxval 255: width, height and the samples.
bool ReadNetpbm(const std::filesystem::path& path, int& w, int& h, std::vector<uint8_t>& samples) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  in >> magic >> w >> h >> maxval;
  in.get();
  if (!in || (magic != "P6" && magic != "P5") || maxval != 255) return false;
  samples.assign(std::istreambuf_iterator<char>(in), {});
  return samples.size() == static_cast<std::size_t>(w) * h * (magic == "P6" ? 3 : 1);
}

struct Variant {
  const char* name;
  const char* options;  // ImageMagick options before the output
  const char* output;   // output format prefix
  int bits;
};

TEST(ImageMagickFiles, LoadLikeImageMagickDecodesThem) {
  if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not on PATH";
  const std::filesystem::path source = gfxtest::TempPath(".png");
  // A plasma with a flat rectangle (long runs for RLE) and a half-transparent corner.
  ASSERT_TRUE(Shell("convert -seed 3 -size 37x23 plasma:fractal -fill red -draw 'rectangle 5,5,20,12' "
                  "-alpha set -region 6x5+0+0 -channel A -evaluate set 50% +region +channel " +
                  Quote(source)));
  const Variant variants[] = {
      {"rle8", "-alpha off -colors 200 -type Palette -compress RLE", "BMP3", 8},
      {"rle8 v5", "-alpha off -colors 200 -type Palette -compress RLE", "BMP", 8},
      {"palette8", "-alpha off -colors 200 -type Palette -compress None", "BMP3", 8},
      {"rgb24", "-alpha off -type TrueColor", "BMP3", 24},
      {"rgb24 v5", "-alpha off -type TrueColor", "BMP", 24},
      {"argb32", "-type TrueColorAlpha", "BMP", 32},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    const std::filesystem::path bmp = gfxtest::TempPath(".bmp");
    const std::filesystem::path ppm = gfxtest::TempPath(".ppm");
    const std::filesystem::path pgm = gfxtest::TempPath(".pgm");
    ASSERT_TRUE(Shell("convert " + Quote(source) + " " + v.options + " " + v.output + ":" + Quote(bmp)));
    ASSERT_TRUE(Shell("convert " + Quote(bmp) + " -alpha off -depth 8 ppm:" + Quote(ppm)));
    CBitmapSurface s;
    ASSERT_TRUE(s.LoadFile(bmp.string())) << s.LoadError();
    EXPECT_EQ(s.GetBitCount(), v.bits);
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(ReadNetpbm(ppm, w, h, rgb));
    ASSERT_EQ(s.GetWidth(), w);
    ASSERT_EQ(s.GetHeight(), h);
    std::vector<uint8_t> alpha;
    if (v.bits == 32) {
      ASSERT_TRUE(Shell("convert " + Quote(bmp) + " -alpha extract -depth 8 pgm:" + Quote(pgm)));
      ASSERT_TRUE(ReadNetpbm(pgm, w, h, alpha));
    }
    int mismatches = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
        uint32_t expected = (static_cast<uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
        if (!alpha.empty()) expected |= static_cast<uint32_t>(alpha[static_cast<std::size_t>(y) * w + x]) << 24;
        if (s.GetPixel(x, y) != expected && ++mismatches <= 5) {
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << s.GetPixel(x, y) << " != " << expected;
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
    if (v.bits == 32) {
      EXPECT_EQ(s.GetPixel(0, 0) >> 24, 0x80u);  // the half-transparent corner
    }
    std::filesystem::remove(bmp);
    std::filesystem::remove(ppm);
    std::filesystem::remove(pgm);
  }
  std::filesystem::remove(source);
}

}  // namespace
