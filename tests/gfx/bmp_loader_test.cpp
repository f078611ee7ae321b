#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "gfx/bitmap_surface.h"
#include "gfx/bmp_builder.h"

namespace {

using gfxtest::BmpLayout;
using gfxtest::BuildBmp;
using gfxtest::PadRows;

bool Load(CBitmapSurface& s, const BmpLayout& layout) { return s.LoadFromMemory(BuildBmp(layout)); }

// A 3 x 2 24-bit picture: bottom row first in the file, 9 bytes + 3 padding per row.
BmpLayout Rgb24ThreeByTwo() {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.pixelData = PadRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90}});
  return layout;
}

// Palette entry i = 0x00i0i0i + i (all distinct).
std::vector<uint32_t> TestPalette(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(0x00010101u * static_cast<uint32_t>(i) + 0x000100u);
  return p;
}

TEST(BmpLoader, Rgb24WithPaddingIsBottomUp) {
  CBitmapSurface s;
  ASSERT_TRUE(Load(s, Rgb24ThreeByTwo()));
  EXPECT_EQ(s.GetWidth(), 3);
  EXPECT_EQ(s.GetHeight(), 2);
  EXPECT_EQ(s.GetBitCount(), 24);
  EXPECT_EQ(s.GetPixel(0, 0), 0x302010u);  // first pixel of the file's last row
  EXPECT_EQ(s.GetPixel(2, 0), 0x908070u);
  EXPECT_EQ(s.GetPixel(0, 1), 0x030201u);
  EXPECT_EQ(s.GetPixel(2, 1), 0x090807u);
}

TEST(BmpLoader, TopDownRowsAndLargerHeadersWithAGap) {
  BmpLayout layout = Rgb24ThreeByTwo();
  layout.height = -2;
  layout.infoSize = 108;
  layout.gap = 10;
  CBitmapSurface s;
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetHeight(), 2);
  EXPECT_EQ(s.GetPixel(0, 0), 0x030201u);  // first file row is the top
  EXPECT_EQ(s.GetPixel(2, 1), 0x908070u);
}

TEST(BmpLoader, EightBitPalettes) {
  BmpLayout layout;
  layout.width = 5;
  layout.height = 1;
  layout.bitCount = 8;
  layout.palette = TestPalette(16);
  layout.colorsUsed = 16;
  layout.pixelData = PadRows({{0, 15, 7, 200, 1}});
  CBitmapSurface s;
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetBitCount(), 8);
  EXPECT_EQ(s.GetPixel(1, 0), layout.palette[15]);
  EXPECT_EQ(s.GetPixel(2, 0), layout.palette[7]);
  EXPECT_EQ(s.GetPixel(3, 0), 0u);  // index beyond the palette: black, never a stray read

  layout.palette = TestPalette(256);  // colours-used 0 means 256 entries
  layout.colorsUsed = 0;
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetPixel(3, 0), layout.palette[200]);
}

TEST(BmpLoader, SixteenBitChannelsAreWidened) {
  auto px = [](uint16_t v) { return std::vector<uint8_t>{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}; };
  std::vector<uint8_t> row;
  for (uint16_t v : {0x7FFF, 0x7C00, 0x0001, 0x8000, 0x03E0}) {
    auto b = px(v);
    row.insert(row.end(), b.begin(), b.end());
  }
  BmpLayout layout;
  layout.width = 5;
  layout.bitCount = 16;
  layout.pixelData = PadRows({row});
  CBitmapSurface s;
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(s.GetPixel(1, 0), 0xFF0000u);
  EXPECT_EQ(s.GetPixel(2, 0), 0x000008u);
  EXPECT_EQ(s.GetPixel(3, 0), 0u);  // the unused top bit
  EXPECT_EQ(s.GetPixel(4, 0), 0x00FF00u);

  // The same words as 5-6-5 through bit fields.
  layout.compression = 3;
  layout.masks = {0xF800, 0x07E0, 0x001F};
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetPixel(0, 0), 0x7BFFFFu);  // red 01111 -> 0x7B, green 111111, blue 11111
  EXPECT_EQ(s.GetPixel(3, 0), 0x840000u);  // red 10000 -> 0x84
  EXPECT_EQ(s.GetPixel(4, 0), 0x007D00u);  // green 011111 -> 0x7D
}

TEST(BmpLoader, ThirtyTwoBitKeepsTheFourthByte) {
  BmpLayout layout;
  layout.width = 2;
  layout.bitCount = 32;
  layout.pixelData = {0xC7, 0x7B, 0xBF, 0x80, 0xC7, 0x7B, 0xBF, 0x00};
  CBitmapSurface s, dst;
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetPixel(0, 0), 0x80BF7BC7u);
  ASSERT_TRUE(dst.Create(2, 1));
  dst.Clear(0);
  dst.DrawKeyed(0, 0, 2, 1, s, 0, 0, 0xBF7BC7);
  EXPECT_EQ(dst.GetPixel(0, 0), 0x80BF7BC7u);  // the key never matches a non-zero fourth byte
  EXPECT_EQ(dst.GetPixel(1, 0), 0u);

  layout.infoSize = 124;  // V5 header with the standard masks inside it
  layout.compression = 3;
  layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  ASSERT_TRUE(Load(s, layout));
  EXPECT_EQ(s.GetPixel(0, 0), 0x80BF7BC7u);
}

// Width 5, height 3: runs, a literal with its pad byte, end-of-line, a skip, a run cut at the
// right edge, end of picture.
std::vector<uint8_t> Rle8Data() {
  return {0, 3, 1, 2, 3, 0,  // literal 1 2 3 (+ pad)
          2, 4, 0, 0,        // run of two 4s, end of line
          0, 2, 2, 0,        // skip two pixels
          1, 5, 0, 0,        // one 5, end of line
          7, 6,              // seven 6s, cut at five
          0, 1};             // end of picture
}

TEST(BmpLoader, Rle8IsDecoded) {
  BmpLayout layout;
  layout.width = 5;
  layout.height = 3;
  layout.bitCount = 8;
  layout.compression = 1;
  layout.palette = TestPalette(8);
  layout.colorsUsed = 8;
  layout.pixelData = Rle8Data();
  CBitmapSurface s;
  ASSERT_TRUE(Load(s, layout));
  const std::vector<std::vector<int>> expected = {{6, 6, 6, 6, 6}, {0, 0, 5, 0, 0}, {1, 2, 3, 4, 4}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(s.GetPixel(x, y), layout.palette[expected[y][x]]) << x << "," << y;

  layout.pixelData.resize(layout.pixelData.size() - 4);  // last row and end marker lost
  EXPECT_FALSE(Load(s, layout));
  EXPECT_FALSE(s.IsValid());
}

TEST(BmpLoader, UnusableFilesLeaveTheSurfaceInvalid) {
  struct Case {
    const char* what;
    BmpLayout layout;
  };
  auto with = [](auto change) {
    BmpLayout layout = Rgb24ThreeByTwo();
    change(layout);
    return layout;
  };
  const Case cases[] = {
      {"1-bit", with([](BmpLayout& s) { s.bitCount = 1; })},
      {"4-bit", with([](BmpLayout& s) { s.bitCount = 4; s.palette = TestPalette(16); })},
      {"RLE4", with([](BmpLayout& s) { s.compression = 2; })},
      {"JPEG", with([](BmpLayout& s) { s.compression = 4; })},
      {"bit fields at 24 bits", with([](BmpLayout& s) { s.compression = 3; s.masks = {0xFF0000, 0xFF00, 0xFF}; })},
      {"odd 32-bit masks", with([](BmpLayout& s) { s.bitCount = 32; s.compression = 3; s.masks = {0xFF, 0xFF00, 0xFF0000}; s.pixelData.resize(24); })},
      {"top-down RLE8", with([](BmpLayout& s) { s.bitCount = 8; s.compression = 1; s.height = -2; s.palette = TestPalette(4); s.colorsUsed = 4; s.pixelData = {0, 1}; })},
      {"palette of 300", with([](BmpLayout& s) { s.bitCount = 8; s.palette = TestPalette(300); s.colorsUsed = 300; })},
      {"core header", with([](BmpLayout& s) { s.infoSize = 12; })},
      {"OS/2 v2 header", with([](BmpLayout& s) { s.infoSize = 64; })},
      {"truncated pixels", with([](BmpLayout& s) { s.pixelData.resize(20); })},
      {"truncated palette and pixels", with([](BmpLayout& s) { s.bitCount = 8; s.colorsUsed = 200; s.palette = TestPalette(10); s.pixelData.clear(); })},
      {"zero width", with([](BmpLayout& s) { s.width = 0; })},
      {"zero height", with([](BmpLayout& s) { s.height = 0; })},
      {"overflowing size", with([](BmpLayout& s) { s.width = 0x7FFFFFFF; s.height = 0x7FFFFFFF; })},
      {"too large", with([](BmpLayout& s) { s.width = 20000; s.height = 20000; })},
      {"too wide", with([](BmpLayout& s) { s.bitCount = 8; s.compression = 1; s.width = 40000; s.height = 1; s.palette = TestPalette(2); s.colorsUsed = 2; s.pixelData = {0, 1}; })},
  };
  for (const Case& c : cases) {
    CBitmapSurface s;
    ASSERT_TRUE(s.Create(2, 2));
    EXPECT_FALSE(Load(s, c.layout)) << c.what;
    EXPECT_FALSE(s.IsValid()) << c.what;
    EXPECT_FALSE(s.LoadError().empty()) << c.what;
  }
  std::vector<uint8_t> notBmp = BuildBmp(Rgb24ThreeByTwo());
  notBmp[0] = 'X';
  CBitmapSurface s;
  EXPECT_FALSE(s.LoadFromMemory(notBmp));
  std::vector<uint8_t> badOffset = BuildBmp(Rgb24ThreeByTwo());
  badOffset[10] = 20;  // pixel data "inside" the info header
  EXPECT_FALSE(s.LoadFromMemory(badOffset));
}

// Truncations and byte mutations of every accepted kind: the loader must never read outside
// the bytes (AddressSanitizer builds check that) and must give a consistent surface or none.
TEST(BmpLoader, DamagedFilesNeverCrash) {
  std::vector<BmpLayout> kinds;
  kinds.push_back(Rgb24ThreeByTwo());
  BmpLayout p8;
  p8.width = 5;
  p8.height = 3;
  p8.bitCount = 8;
  p8.palette = TestPalette(16);
  p8.colorsUsed = 16;
  p8.pixelData = PadRows({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
  kinds.push_back(p8);
  BmpLayout rle = p8;
  rle.compression = 1;
  rle.pixelData = Rle8Data();
  kinds.push_back(rle);
  BmpLayout b16 = Rgb24ThreeByTwo();
  b16.bitCount = 16;
  b16.compression = 3;
  b16.masks = {0xF800, 0x07E0, 0x001F};
  b16.pixelData.resize(16);
  kinds.push_back(b16);
  BmpLayout v5 = Rgb24ThreeByTwo();
  v5.bitCount = 32;
  v5.infoSize = 124;
  v5.height = -2;
  v5.compression = 3;
  v5.masks = {0xFF0000, 0xFF00, 0xFF};
  v5.pixelData.assign(24, 0x5A);
  kinds.push_back(v5);

  std::mt19937 rng(2024);
  int loaded = 0;
  for (const BmpLayout& kind : kinds) {
    const std::vector<uint8_t> whole = BuildBmp(kind);
    auto check = [&](const std::vector<uint8_t>& bytes) {
      CBitmapSurface s;
      if (s.LoadFromMemory(bytes)) {
        ++loaded;
        ASSERT_GT(s.GetWidth(), 0);
        ASSERT_GT(s.GetHeight(), 0);
        s.GetPixel(s.GetWidth() - 1, s.GetHeight() - 1);
      } else {
        ASSERT_FALSE(s.IsValid());
      }
    };
    for (std::size_t n = 0; n < whole.size(); ++n) {
      check(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)));
    }
    for (int round = 0; round < 400; ++round) {
      std::vector<uint8_t> bytes = whole;
      const int changes = 1 + static_cast<int>(rng() % 4);
      for (int c = 0; c < changes; ++c) {
        // Mostly the headers, sometimes anywhere.
        const std::size_t limit = (rng() & 1) ? std::min<std::size_t>(bytes.size(), 70) : bytes.size();
        bytes[rng() % limit] = static_cast<uint8_t>(rng());
      }
      if (rng() % 8 == 0) bytes.resize(rng() % bytes.size());
      check(bytes);
    }
  }
  EXPECT_GT(loaded, 0);  // some mutations leave a usable picture: the check above did run
}

TEST(BmpLoader, FilesOnDisk) {
  const std::filesystem::path path = gfxtest::TempPath(".bmp");
  {
    const std::vector<uint8_t> bytes = BuildBmp(Rgb24ThreeByTwo());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  CBitmapSurface s;
  ASSERT_TRUE(s.LoadFile(path.string()));
  EXPECT_EQ(s.GetPixel(1, 1), 0x060504u);

  // An unopenable file keeps what the surface had.
  EXPECT_FALSE(s.LoadFile(path.string() + ".missing"));
  EXPECT_TRUE(s.IsValid());
  EXPECT_EQ(s.GetPixel(1, 1), 0x060504u);

  // Saved as 24 bits (fourth byte dropped) and read back.
  s.SetPixel(2, 0, 0xFF123456);
  ASSERT_TRUE(s.SaveFile(path.string()));
  CBitmapSurface back;
  ASSERT_TRUE(back.LoadFile(path.string()));
  EXPECT_EQ(back.GetBitCount(), 24);
  EXPECT_EQ(back.GetPixel(2, 0), 0x123456u);
  EXPECT_EQ(back.GetPixel(0, 1), 0x030201u);

  // A file that opens but is unusable leaves the surface invalid.
  std::ofstream(path, std::ios::binary | std::ios::trunc) << "not a picture";
  EXPECT_FALSE(back.LoadFile(path.string()));
  EXPECT_FALSE(back.IsValid());
  std::filesystem::remove(path);
}

}  // namespace
