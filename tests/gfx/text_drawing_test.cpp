#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "platform/fonts.h"

namespace {

constexpr char kFace[] = "Courier New";

std::shared_ptr<const platform::fonts::Font> Font(int points, bool bold) {
  return platform::fonts::OpenFont(kFace, points, bold, false);
}

// The drawing rule written out literally: every glyph pixel through the clamped GetPixel and
// SetPixel, one channel at a time. DrawText must leave exactly the same surface.
void ReferenceDrawText(CBitmapSurface& s, int x, int y, const char* text, uint32_t color, int alpha,
                       int points, bool bold) {
  const auto font = Font(points, bold);
  const int lineHeight = font->LineHeight();
  const int weight = (std::clamp(alpha, 0, 100) * 65536) / 25600;
  int penX = 0;
  int penY = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<uint8_t>(*p);
    if (byte == '\n') {
      penX = 0;
      penY += lineHeight;
      continue;
    }
    const platform::fonts::Glyph& g = font->GetGlyph(byte);
    for (int r = 0; byte != ' ' && r < g.height; ++r) {
      for (int c = 0; c < g.width; ++c) {
        const int tx = x + penX + g.originX + c;
        const int ty = y + penY + lineHeight - g.originY + r;
        const int a = ((g.levels[r * g.width + c] * 65536) / 16640 * weight) >> 8;
        const uint32_t old = s.GetPixel(tx, ty);
        uint32_t blended = 0;
        for (int shift : {16, 8, 0}) {
          const int channel = (a * static_cast<int>((color >> shift) & 255) +
                               (256 - a) * static_cast<int>((old >> shift) & 255)) >>
                              8;
          blended |= static_cast<uint32_t>(channel) << shift;
        }
        s.SetPixel(tx, ty, blended);
      }
    }
    penX += g.advance;
  }
}

// A background whose pixels all differ, some with the fourth byte set.
void FillBackground(CBitmapSurface& s) {
  for (int y = 0; y < s.GetHeight(); ++y) {
    for (int x = 0; x < s.GetWidth(); ++x) {
      const uint32_t fourth = (x + y) % 3 == 0 ? 0xA5000000u : 0u;
      s.SetPixel(x, y, fourth | ((x * 0x0B0713u + y * 0x170D05u) & 0xFFFFFFu));
    }
  }
}

std::vector<uint32_t> PixelsOf(const CBitmapSurface& s) {
  return {s.Pixels(), s.Pixels() + static_cast<std::size_t>(s.GetWidth()) * s.GetHeight()};
}

struct DrawCase {
  int x, y;
  const char* text;
  uint32_t color;
  int alpha, points;
  bool bold;
};

TEST(TextDrawing, MatchesTheClampedPerPixelRule) {
  const DrawCase cases[] = {
      {3, 2, "Hello, World!", 0xFFFFFF, 100, 10, true},
      {-7, -5, "Wq\n\tg\r|", 0x32A6D6, 50, 12, true},    // smears into the left and top edges
      {52, 24, "MMMM\n\nyyy", 0xFF0000, 75, 20, false},  // and into the right and bottom ones
      {5, 5, "Ab \x80\xE9", 0xCCD44A, 150, 10, true},    // above 100 % counts as 100 %
      {5, 5, "Ab", 0xFFFF00, -20, 10, false},            // below 0 % as 0 %
      {-4000, 9000, "far away", 0x123456, 100, 10, true},
  };
  CBitmapSurface background;
  ASSERT_TRUE(background.Create(64, 40));
  FillBackground(background);
  for (const DrawCase& c : cases) {
    CBitmapSurface drawn, expected;
    ASSERT_TRUE(drawn.Create(64, 40));
    ASSERT_TRUE(expected.Create(64, 40));
    FillBackground(drawn);
    FillBackground(expected);
    drawn.DrawText(c.x, c.y, c.text, c.color, c.alpha, kFace, c.points, c.bold, false);
    ReferenceDrawText(expected, c.x, c.y, c.text, c.color, c.alpha, c.points, c.bold);
    EXPECT_EQ(PixelsOf(drawn), PixelsOf(expected)) << c.text;
    EXPECT_NE(PixelsOf(drawn), PixelsOf(background)) << c.text;
  }
}

// A printable character whose glyph has a pixel of the given level, and that pixel's offset
// from the top-left of the text block when the character is drawn alone.
struct LevelSpot {
  char text[2] = {};
  int dx = 0, dy = 0;
};
LevelSpot FindLevel(const platform::fonts::Font& font, uint8_t level) {
  for (int c = '!'; c <= '~'; ++c) {
    const platform::fonts::Glyph& g = font.GetGlyph(static_cast<uint8_t>(c));
    const auto at = std::find(g.levels.begin(), g.levels.end(), level);
    if (at == g.levels.end()) continue;
    const int index = static_cast<int>(at - g.levels.begin());
    return {{static_cast<char>(c), '\0'},
            g.originX + index % g.width,
            font.LineHeight() - g.originY + index / g.width};
  }
  return {};
}

TEST(TextDrawing, SolidStrokesKeepATraceOfTheBackground) {
  const LevelSpot solid = FindLevel(*Font(10, true), 64);
  ASSERT_NE(solid.text[0], '\0');
  for (auto [alpha, level] : {std::pair{100, 251u}, std::pair{50, 125u}}) {  // a = 252 and 126
    CBitmapSurface s;
    ASSERT_TRUE(s.Create(20, 20));
    s.Clear(0);
    s.DrawText(2, 2, solid.text, 0xFFFFFF, alpha, kFace, 10, true, false);
    EXPECT_EQ(s.GetPixel(2 + solid.dx, 2 + solid.dy), level * 0x010101u) << alpha;
  }
}

TEST(TextDrawing, TextFarLeftPilesUpInColumnZero) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(20, 30));
  s.Clear(0);
  s.DrawText(-1000, 0, "WWW", 0xFFFFFF, 100, kFace, 10, true, false);
  int touched = 0;
  for (int y = 0; y < 30; ++y) {
    touched += s.GetPixel(0, y) != 0;
    for (int x = 1; x < 20; ++x) ASSERT_EQ(s.GetPixel(x, y), 0u) << x << "," << y;
  }
  EXPECT_GT(touched, 0);
}

TEST(TextDrawing, SpacesOnlyAdvanceAndNothingHappensWithoutTextOrSurface) {
  CBitmapSurface spaces;
  ASSERT_TRUE(spaces.Create(30, 30));
  spaces.Clear(0xFF123456);  // a glyph box would clear the fourth byte even where it is blank
  spaces.DrawText(0, 0, "   \n ", 0xFFFFFF, 100, kFace, 10, false, false);
  EXPECT_EQ(std::count(spaces.Pixels(), spaces.Pixels() + 900, 0xFF123456u), 900);
  CBitmapSurface invalid;
  invalid.DrawText(0, 0, "A", 0xFFFFFF, 100, kFace, 10, true, false);
  EXPECT_EQ(invalid.MeasureText("A", kFace, 10, true, false), std::make_pair(0, 0));
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(0, 10));
  s.DrawText(0, 0, "A", 0xFFFFFF, 100, kFace, 10, true, false);
  s.DrawText(0, 0, nullptr, 0xFFFFFF, 100, kFace, 10, true, false);
  EXPECT_EQ(s.MeasureText(nullptr, kFace, 10, true, false), std::make_pair(0, 0));
}

TEST(TextMeasuring, WidestLineByNumberOfLines) {
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(1, 1));
  const char* face = "DejaVu Sans";  // proportional, so every advance counts
  const auto font = platform::fonts::OpenFont(face, 12, true, false);
  auto width = [&](const char* line) {
    int sum = 0;
    for (const char* p = line; *p != '\0'; ++p)
      sum += font->GetGlyph(static_cast<uint8_t>(*p)).advance;
    return sum;
  };
  const int lh = font->LineHeight();
  ASSERT_GT(lh, 0);
  EXPECT_EQ(s.MeasureText("il\nWW", face, 12, true, false), std::make_pair(width("WW"), 2 * lh));
  EXPECT_EQ(s.MeasureText("WW\nil", face, 12, true, false), std::make_pair(width("WW"), 2 * lh));
  EXPECT_EQ(s.MeasureText("", face, 12, true, false), std::make_pair(0, lh));
  EXPECT_EQ(s.MeasureText(" \n\n", face, 12, true, false), std::make_pair(width(" "), 3 * lh));
  EXPECT_GT(width(" "), 0);
}

}  // namespace
