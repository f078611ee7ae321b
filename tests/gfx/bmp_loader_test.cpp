#include <gtest/gtest.h>

#include "gfx/bitmap_surface.h"
#include "support/bmp_builder.h"

namespace {

using gfxtest::BmpLayout;
using gfxtest::BuildBmp;
using gfxtest::PadRows;

uint32_t Entry(int i) { return 0x00010101u * static_cast<uint32_t>(i) + 0x000100u; }
std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(Entry(i));
  return p;
}

BmpLayout With(BmpLayout l, auto change) {
  change(l);
  return l;
}
// A 3 x 2 24-bit picture: bottom row first in the file, 9 bytes + 3 padding per row.
const BmpLayout kRgb24 = With(BmpLayout{}, [](BmpLayout& l) {
  l.width = 3, l.height = 2;
  l.pixelData = PadRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90}});
});
// 5 x 1 at 8 bits: indices 0 15 7 200 1 with a palette of the given size.
BmpLayout Indexed(int colours, uint32_t colorsUsed) {
  return With(BmpLayout{}, [&](BmpLayout& l) {
    l.width = 5, l.bitCount = 8, l.palette = Palette(colours), l.colorsUsed = colorsUsed;
    l.pixelData = PadRows({{0, 15, 7, 200, 1}});
  });
}
// 5 x 1 at 16 bits: 5-5-5, or 5-6-5 through bit fields.
BmpLayout Words16(bool fields) {
  return With(BmpLayout{}, [&](BmpLayout& l) {
    l.width = 5, l.bitCount = 16, l.compression = fields ? 3 : 0;
    l.pixelData = PadRows({{0xFF, 0x7F, 0x00, 0x7C, 0x01, 0x00, 0x00, 0x80, 0xE0, 0x03}});
    if (fields) l.masks = {0xF800, 0x07E0, 0x001F};
  });
}
// 2 x 1 at 32 bits, the first pixel with a fourth byte; optionally a V5 header with its masks.
BmpLayout Bgra32(bool v5) {
  return With(BmpLayout{}, [&](BmpLayout& l) {
    l.width = 2, l.bitCount = 32, l.pixelData = {0xC7, 0x7B, 0xBF, 0x80, 0xC7, 0x7B, 0xBF, 0x00};
    if (v5) l.infoSize = 124, l.compression = 3, l.masks = {0xFF0000, 0xFF00, 0xFF};
  });
}
// 5 x 3: literal with its pad byte, run + end of line, skip, one pixel + end of line, a run cut
// at the right edge, end of picture.
const BmpLayout kRle8 = With(BmpLayout{}, [](BmpLayout& l) {
  l.width = 5, l.height = 3, l.bitCount = 8, l.compression = 1, l.palette = Palette(8), l.colorsUsed = 8;
  l.pixelData = {0, 3, 1, 2, 3, 0, 2, 4, 0, 0, 0, 2, 2, 0, 1, 5, 0, 0, 7, 6, 0, 1};
});
std::vector<uint8_t> Bmp(const BmpLayout& l, auto change) { return BuildBmp(With(l, change)); }
std::vector<uint8_t> Masked(const BmpLayout& l, std::vector<uint32_t> masks) {
  return Bmp(l, [&](BmpLayout& m) { m.compression = 3, m.masks = std::move(masks); });
}
std::vector<uint8_t> Poke(std::vector<uint8_t> bytes, std::size_t at, uint8_t value) {
  bytes[at] = value;
  return bytes;
}

struct Kind {
  const char* what;
  BmpLayout layout;
  std::vector<uint32_t> topDown;  // expected pixels, rows from the top
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"24-bit bottom-up", kRgb24, {0x302010, 0x605040, 0x908070, 0x030201, 0x060504, 0x090807}},
      {"24-bit top-down, 108-byte header, gap",
       With(kRgb24, [](BmpLayout& l) { l.height = -2, l.infoSize = 108, l.gap = 10; }),
       {0x030201, 0x060504, 0x090807, 0x302010, 0x605040, 0x908070}},
      {"8-bit, 16 colours",
       Indexed(16, 16),
       {Entry(0), Entry(15), Entry(7), 0, Entry(1)}},  // beyond the palette: black
      {"8-bit, 0 colours used = 256", Indexed(256, 0), {Entry(0), Entry(15), Entry(7), Entry(200), Entry(1)}},
      {"16-bit 5-5-5", Words16(false), {0xFFFFFF, 0xFF0000, 0x000008, 0, 0x00FF00}},
      {"16-bit 5-6-5", Words16(true), {0x7BFFFF, 0x7B8200, 0x000008, 0x840000, 0x007D00}},
      {"32-bit", Bgra32(false), {0x80BF7BC7, 0x00BF7BC7}},
      {"32-bit V5 header", Bgra32(true), {0x80BF7BC7, 0x00BF7BC7}},
      {"RLE8",
       kRle8,
       {Entry(6), Entry(6), Entry(6), Entry(6), Entry(6), Entry(0), Entry(0), Entry(5), Entry(0), Entry(0), Entry(1),
        Entry(2), Entry(3), Entry(4), Entry(4)}},
  };
  return kinds;
}

TEST(BmpLoader, AcceptedKinds) {
  for (const Kind& k : Kinds()) {
    CBitmapSurface s;
    ASSERT_TRUE(s.LoadFromMemory(BuildBmp(k.layout))) << k.what << ": " << s.LoadError();
    ASSERT_EQ(s.GetWidth(), k.layout.width) << k.what;
    ASSERT_EQ(s.GetHeight() * s.GetWidth(), static_cast<int>(k.topDown.size())) << k.what;
    EXPECT_EQ(s.GetBitCount(), k.layout.bitCount) << k.what;
    for (int i = 0; i < static_cast<int>(k.topDown.size()); ++i)
      EXPECT_EQ(s.GetPixel(i % s.GetWidth(), i / s.GetWidth()), k.topDown[i]) << k.what << " pixel " << i;
  }
}

TEST(BmpLoader, UnusableFilesLeaveTheSurfaceInvalid) {
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"1-bit", Bmp(kRgb24, [](BmpLayout& l) { l.bitCount = 1; })},
      {"RLE4", Bmp(kRgb24, [](BmpLayout& l) { l.compression = 2; })},
      {"bit fields at 24 bits", Masked(kRgb24, {0xFF0000, 0xFF00, 0xFF})},
      {"overlapping masks", Masked(Bgra32(true), {0xFF, 0x1FF00, 0xFF0000})},
      {"mask with a gap", Masked(Bgra32(true), {0xF0F0, 0xF0000, 0xF00000})},
      {"empty mask", Masked(Bgra32(true), {0xFF, 0, 0xFF0000})},
      {"16-bit mask beyond 16 bits", Masked(Words16(true), {0x1F800, 0x07E0, 0x001F})},
      {"top-down RLE8", Bmp(kRle8, [](BmpLayout& l) { l.height = -3; })},
      {"RLE8 without its last row", Bmp(kRle8, [](BmpLayout& l) { l.pixelData.resize(l.pixelData.size() - 4); })},
      {"palette of 300", BuildBmp(Indexed(300, 300))},
      {"core header", Bmp(kRgb24, [](BmpLayout& l) { l.infoSize = 12; })},
      {"truncated pixels", Bmp(kRgb24, [](BmpLayout& l) { l.pixelData.resize(20); })},
      {"zero width", Bmp(kRgb24, [](BmpLayout& l) { l.width = 0; })},
      {"overflowing size", Bmp(kRgb24, [](BmpLayout& l) { l.width = 0x7FFFFFFF, l.height = 0x7FFFFFFF; })},
      {"above 1 GiB", Bmp(kRgb24, [](BmpLayout& l) { l.width = 20000, l.height = 20000; })},
      {"wider than 32768", Bmp(kRle8,
                               [](BmpLayout& l) {
                                 l.width = 40000, l.height = 1, l.pixelData = {0, 1};
                               })},
      {"pixels inside the headers", Poke(BuildBmp(kRgb24), 10, 20)},
      {"no BM signature", Poke(BuildBmp(kRgb24), 0, 'X')},
  };
  for (const auto& [what, bytes] : cases) {
    CBitmapSurface s;
    ASSERT_TRUE(s.Create(2, 2));
    EXPECT_FALSE(s.LoadFromMemory(bytes)) << what;
    EXPECT_FALSE(s.IsValid() || s.LoadError().empty()) << what;
  }
}

// Bit-field pixels with channels in any order and of any width: each channel is cut out by its
// mask, then widened to 8 bits by repeating its bits or narrowed to its top 8 bits.
TEST(BmpLoader, BitFieldsInAnyOrderAndWidth) {
  struct Fields {
    const char* what;
    int bitCount;
    uint32_t infoSize;
    std::vector<uint32_t> masks;  // red, green, blue
    uint32_t word;                // first pixel as stored; the second has every mask bit set
    uint32_t want;
  };
  const Fields cases[] = {
      {"32-bit red in the top byte", 32, 40, {0xFF000000, 0x00FF0000, 0x0000FF00}, 0x11223344, 0x112233},
      {"32-bit blue, green, red reversed", 32, 124, {0x000000FF, 0x0000FF00, 0x00FF0000}, 0x80332211, 0x112233},
      {"32-bit 10-10-10", 32, 56, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x3FF800FF, 0xFF803F},
      {"32-bit one bit each", 32, 40, {0x4, 0x2, 0x1}, 0x5, 0xFF00FF},
      {"16-bit 5-6-5 blue on top", 16, 52, {0x001F, 0x07E0, 0xF800}, 0x801F, 0xFF0084},
      {"16-bit 3-3-2", 16, 40, {0x00E0, 0x001C, 0x0003}, 0x00AA, 0xB649AA},
  };
  for (const Fields& c : cases) {
    BmpLayout l;
    l.width = 2, l.bitCount = c.bitCount, l.compression = 3, l.infoSize = c.infoSize, l.masks = c.masks;
    const uint32_t all = c.masks[0] | c.masks[1] | c.masks[2];
    for (uint32_t w : {c.word, all})
      for (int i = 0; i < c.bitCount / 8; ++i) l.pixelData.push_back(static_cast<uint8_t>(w >> (8 * i)));
    l.pixelData.resize((l.pixelData.size() + 3) & ~std::size_t{3}, 0);
    CBitmapSurface s;
    ASSERT_TRUE(s.LoadFromMemory(BuildBmp(l))) << c.what << ": " << s.LoadError();
    EXPECT_EQ(s.GetPixel(0, 0), c.want) << c.what;
    EXPECT_EQ(s.GetPixel(1, 0), 0xFFFFFFu) << c.what;
  }
}

// Compressed data may leave pixels unpainted (end-of-line and move escapes), but a header that
// promises far more pixels than the data could paint is refused before anything is allocated.
TEST(BmpLoader, CompressedDataMustRoughlyCoverThePicture) {
  auto rle = [](int width, int height, std::vector<uint8_t> data) {
    return Bmp(kRle8, [&](BmpLayout& l) { l.width = width, l.height = height, l.pixelData = std::move(data); });
  };
  auto endOfLines = [](int rows) {
    std::vector<uint8_t> data;
    for (int i = 0; i < rows; ++i) data.insert(data.end(), {0, 0});
    data.insert(data.end(), {0, 1});
    return data;
  };
  // Rows of 3000 pixels painted by runs of 255 and one of 195, index 6 then 2.
  std::vector<uint8_t> painted;
  for (int row = 0; row < 1000; ++row) {
    for (int run = 0; run < 11; ++run) painted.insert(painted.end(), {255, 6});
    painted.insert(painted.end(), {195, 2, 0, 0});
  }
  const std::tuple<const char*, std::vector<uint8_t>, bool> cases[] = {
      {"60 bytes claiming 16384 x 16384",
       Bmp(kRle8,
           [](BmpLayout& l) {
             l.width = l.height = 16384, l.palette = {0x123456}, l.colorsUsed = 1, l.pixelData = {0, 1};
           }),
       false},
      {"only end-of-line escapes, 4096 x 4096", rle(4096, 4096, endOfLines(4096)), false},
      {"only end-of-line escapes, 2048 x 2048", rle(2048, 2048, endOfLines(2048)), true},
      {"3000 x 1000 painted by runs", rle(3000, 1000, painted), true},
  };
  ASSERT_EQ(std::get<1>(cases[0]).size(), 60u);
  for (const auto& [what, bytes, accepted] : cases) {
    CBitmapSurface s;
    EXPECT_EQ(s.LoadFromMemory(bytes), accepted) << what << ": " << s.LoadError();
    EXPECT_EQ(s.LoadError().find("RLE8") != std::string::npos, !accepted) << what;
  }
}

}  // namespace
