#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "platform/fonts.h"

namespace {

constexpr char kFace[] = "Courier New";

// The drawing rule written out literally: every glyph pixel blended channel by channel through
// the clamped GetPixel and SetPixel (so pixels outside pile up on the nearest edge pixel).
void ReferenceDrawText(CBitmapSurface& s, int x, int y, const char* text, uint32_t color, int alpha, int points, bool bold) {
  const auto font = platform::fonts::OpenFont(kFace, points, bold, false);
  const int weight = (std::clamp(alpha, 0, 100) * 65536) / 25600;
  for (int penX = 0, penY = 0; *text != '\0'; ++text) {
    const auto byte = static_cast<uint8_t>(*text);
    const platform::fonts::Glyph& g = font->GetGlyph(byte);
    for (int i = 0; byte != ' ' && byte != '\n' && i < g.width * g.height; ++i) {
      const int tx = x + penX + g.originX + i % g.width, ty = y + penY + font->LineHeight() - g.originY + i / g.width;
      const int a = ((g.levels[i] * 65536) / 16640 * weight) >> 8;
      const uint32_t old = s.GetPixel(tx, ty);
      uint32_t blended = 0;
      for (int shift : {16, 8, 0})
        blended |= static_cast<uint32_t>((a * int((color >> shift) & 255) + (256 - a) * int((old >> shift) & 255)) >> 8) << shift;
      s.SetPixel(tx, ty, blended);
    }
    penX = byte == '\n' ? 0 : penX + g.advance;
    penY += byte == '\n' ? font->LineHeight() : 0;
  }
}

// The pixels after `draw` on a varied background, some pixels with the fourth byte set.
std::vector<uint32_t> Drawn(auto draw) {
  CBitmapSurface s;
  EXPECT_TRUE(s.Create(64, 40));
  for (int i = 0; i < 64 * 40; ++i) s.Pixels()[i] = (i % 3 == 0 ? 0xA5000000u : 0u) | ((i * 0x0B0713u) & 0xFFFFFFu);
  draw(s);
  return {s.Pixels(), s.Pixels() + 64 * 40};
}

TEST(TextDrawing, MatchesTheClampedPerPixelRule) {
  struct Case { int x, y; const char* text; uint32_t color; int alpha, points; bool bold; };
  const Case cases[] = {
      {3, 2, "Hello, World!", 0xFFFFFF, 100, 10, true},
      {-7, -5, "Wq\n\tg\r|", 0x32A6D6, 50, 12, true},    // smears into the left and top edges
      {52, 24, "MMMM\n\nyyy", 0xFF0000, 75, 20, false},  // and into the right and bottom ones
      {5, 5, "Ab \x80\xE9", 0xCCD44A, 150, 10, true},    // above 100 % counts as 100 %
      {5, 5, "Ab", 0xFFFF00, -20, 10, false},            // below 0 % as 0 %
      {-1000, 0, "WWW", 0x123456, 100, 10, true},        // far left: piles up in column 0
  };
  const std::vector<uint32_t> background = Drawn([](CBitmapSurface&) {});
  for (const Case& c : cases) {
    const auto got = Drawn([&](CBitmapSurface& s) { s.DrawText(c.x, c.y, c.text, c.color, c.alpha, kFace, c.points, c.bold, false); });
    EXPECT_EQ(got, Drawn([&](CBitmapSurface& s) { ReferenceDrawText(s, c.x, c.y, c.text, c.color, c.alpha, c.points, c.bold); })) << c.text;
    EXPECT_NE(got, background) << c.text;
  }
}

TEST(TextDrawing, SolidStrokesKeepATraceOfTheBackground) {
  // A solid glyph pixel (level 64) weighs 252 at 100 % and 126 at 50 %: white over black gives 251 and 125.
  const auto font = platform::fonts::OpenFont(kFace, 10, true, false);
  const platform::fonts::Glyph& g = font->GetGlyph('W');
  const int at = static_cast<int>(std::find(g.levels.begin(), g.levels.end(), 64) - g.levels.begin());
  ASSERT_LT(at, static_cast<int>(g.levels.size()));
  for (auto [alpha, level] : {std::pair{100, 251u}, std::pair{50, 125u}}) {
    CBitmapSurface s;
    ASSERT_TRUE(s.Create(20, 20));
    s.Clear(0);
    s.DrawText(2, 2, "W", 0xFFFFFF, alpha, kFace, 10, true, false);
    EXPECT_EQ(s.GetPixel(2 + g.originX + at % g.width, 2 + font->LineHeight() - g.originY + at / g.width), level * 0x010101u);
  }
}

TEST(TextMeasuring, WidestLineByNumberOfLines) {
  CBitmapSurface s, invalid;
  ASSERT_TRUE(s.Create(1, 1));
  const char* face = "DejaVu Sans";  // proportional, so every advance counts
  const auto font = platform::fonts::OpenFont(face, 12, true, false);
  const int lh = font->LineHeight(), ww = 2 * font->GetGlyph('W').advance;
  ASSERT_GT(lh, 0);
  EXPECT_EQ(s.MeasureText("il\nWW", face, 12, true, false), std::make_pair(ww, 2 * lh));
  EXPECT_EQ(s.MeasureText("WW\nil", face, 12, true, false), std::make_pair(ww, 2 * lh));
  EXPECT_EQ(s.MeasureText("", face, 12, true, false), std::make_pair(0, lh));
  EXPECT_EQ(invalid.MeasureText("A", face, 12, true, false), std::make_pair(0, 0));
}

}  // namespace
