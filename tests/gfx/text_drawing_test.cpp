#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "platform/fonts.h"
#include "platform/headless_platform.h"
#include "platform/text_encoding.h"

namespace {

using platform::fonts::OpenFont;

// The drawing rule written out literally: every glyph pixel blended channel by channel through
// the clamped GetPixel and SetPixel (so pixels outside pile up on the nearest edge pixel).
struct Text {
  int x, y;
  const char* text;  // Windows-1252
  uint32_t color;
  int alpha;
  const char* face;
  int points;
  bool bold, italic;
};
void ReferenceDrawText(CBitmapSurface& s, const Text& t) {
  const auto font = OpenFont(t.face, t.points, t.bold, t.italic);
  const int weight = (std::clamp(t.alpha, 0, 100) * 65536) / 25600;
  int penX = 0, penY = 0;
  for (const char* p = t.text; *p != '\0'; ++p) {
    const auto byte = static_cast<uint8_t>(*p);
    const platform::fonts::Glyph& g = font->GetGlyph(byte);
    for (int i = 0; byte != ' ' && byte != '\n' && i < g.width * g.height; ++i) {
      const int tx = t.x + penX + g.originX + i % g.width,
                ty = t.y + penY + font->LineHeight() - g.originY + i / g.width;
      const int a = ((g.levels[i] * 65536) / 16640 * weight) >> 8;
      const uint32_t old = s.GetPixel(tx, ty);
      uint32_t blended = 0;
      for (int shift : {16, 8, 0})
        blended |=
            static_cast<uint32_t>((a * int((t.color >> shift) & 255) + (256 - a) * int((old >> shift) & 255)) >> 8)
            << shift;
      s.SetPixel(tx, ty, blended);
    }
    penX = byte == '\n' ? 0 : penX + g.advance;
    penY += byte == '\n' ? font->LineHeight() : 0;
  }
}

// The pixels after `draw` on a varied 64 x 40 background, some pixels with the fourth byte set.
std::vector<uint32_t> Drawn(auto draw) {
  CBitmapSurface s;
  EXPECT_TRUE(s.Create(64, 40));
  for (int i = 0; i < 64 * 40; ++i) s.Pixels()[i] = (i % 3 == 0 ? 0xA5000000u : 0u) | ((i * 0x0B0713u) & 0xFFFFFFu);
  draw(s);
  return {s.Pixels(), s.Pixels() + 64 * 40};
}

// Both forms of DrawText follow the rule, and MeasureText gives the same size for both.
TEST(TextDrawing, NarrowAndWideFormsMatchTheClampedPerPixelRule) {
  const Text cases[] = {
      {3, 2, "Hello, World!", 0xFFFFFF, 100, "Courier New", 10, true, false},
      {-7, -5, "Wq\n\tg\r|", 0x32A6D6, 50, "Courier New", 12, true, false},    // smears into the left and top edges
      {52, 24, "MMMM\n\nyyy", 0xFF0000, 75, "Courier New", 20, false, false},  // and into the right and bottom ones
      {5, 5, "Ab \x80\xE9", 0xCCD44A, 150, "Courier New", 10, true, false},    // above 100 % counts as 100 %
      {5, 5, "Ab", 0xFFFF00, -20, "Courier New", 10, false, false},            // below 0 % as 0 %
      {-1000, 0, "WWW", 0x123456, 100, "Courier New", 10, true, false},        // far left: piles up in column 0
      {-2, 3, "\x8C\x9C\x85\x99\tx", 0xFFEE00, 80, "Liberation Serif", 14, false, true},
      {-2, 3, "\x81\x8D|", 0xFFEE00, 80, "DejaVu Sans", 10, true, true},  // bytes with no character of their own
  };
  const std::vector<uint32_t> background = Drawn([](CBitmapSurface&) {});
  CBitmapSurface probe;
  ASSERT_TRUE(probe.Create(1, 1));
  for (const Text& c : cases) {
    std::u16string wide;
    for (const char* p = c.text; *p != '\0'; ++p)
      wide += static_cast<char16_t>(platform::UnicodeFromCp1252(static_cast<uint8_t>(*p)));
    const auto narrow = Drawn(
        [&](CBitmapSurface& s) { s.DrawText(c.x, c.y, c.text, c.color, c.alpha, c.face, c.points, c.bold, c.italic); });
    EXPECT_EQ(narrow, Drawn([&](CBitmapSurface& s) { ReferenceDrawText(s, c); })) << c.text;
    EXPECT_EQ(narrow, Drawn([&](CBitmapSurface& s) {
                s.DrawText(c.x, c.y, wide.c_str(), c.color, c.alpha, c.face, c.points, c.bold, c.italic);
              }))
        << c.text;
    EXPECT_NE(narrow, background) << c.text;
    EXPECT_EQ(probe.MeasureText(c.text, c.face, c.points, c.bold, c.italic),
              probe.MeasureText(wide.c_str(), c.face, c.points, c.bold, c.italic))
        << c.text;
  }
}

TEST(TextMeasuring, WidestLineByNumberOfLines) {
  CBitmapSurface s, invalid;
  ASSERT_TRUE(s.Create(1, 1));
  const char* face = "DejaVu Sans";  // proportional, so every advance counts
  const auto font = OpenFont(face, 12, true, false);
  const int lh = font->LineHeight(), ww = 2 * font->GetGlyph('W').advance;
  ASSERT_GT(lh, 0);
  EXPECT_EQ(s.MeasureText("il\nWW", face, 12, true, false), std::make_pair(ww, 2 * lh));
  EXPECT_EQ(s.MeasureText("WW\nil", face, 12, true, false), std::make_pair(ww, 2 * lh));
  EXPECT_EQ(s.MeasureText("", face, 12, true, false), std::make_pair(0, lh));
  EXPECT_EQ(invalid.MeasureText("A", face, 12, true, false), std::make_pair(0, 0));
}

TEST(WideText, CharactersBeyondWindows1252ComeFromTheFont) {
  const char* face = "DejaVu Sans";
  const auto font = OpenFont(face, 16, false, false);
  const platform::fonts::Glyph& omega = font->GetUnicodeGlyph(U'\u03A9');
  ASSERT_GT(omega.width * omega.height, 0);
  EXPECT_NE(omega.levels, font->GetGlyph('?').levels);  // a real Greek capital omega, not a stand-in
  // Drawn at its own place from its own coverage: full coverage blends 252/256 of the ink.
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(40, 40));
  s.Clear(0);
  s.DrawText(4, 2, u"\u03A9", 0xFFFFFF, 100, face, 16, false, false);
  for (int i = 0; i < omega.width * omega.height; ++i) {
    const uint32_t level = omega.levels[i], want = ((level * 65536 / 16640) * 255 >> 8) * 0x010101u;
    EXPECT_EQ(s.GetPixel(4 + omega.originX + i % omega.width, 2 + font->LineHeight() - omega.originY + i / omega.width),
              want);
  }
  EXPECT_EQ(s.MeasureText(u"\u03A9\u03BB", face, 16, false, false),
            std::make_pair(omega.advance + font->GetUnicodeGlyph(U'\u03BB').advance, font->LineHeight()));
  // A surrogate pair is one character; a lone surrogate is drawn as the replacement character.
  EXPECT_EQ(s.MeasureText(u"\U0001F600", face, 16, false, false).first, font->GetUnicodeGlyph(U'\U0001F600').advance);
  EXPECT_EQ(s.MeasureText(u"a\xD800"
                          "b",
                          face, 16, false, false),
            s.MeasureText(u"a\uFFFDb", face, 16, false, false));
  EXPECT_EQ(Drawn([&](CBitmapSurface& t) { t.DrawText(0, 0, u"\xDC00", 0xFF, 100, face, 16, false, false); }),
            Drawn([&](CBitmapSurface& t) { t.DrawText(0, 0, u"\uFFFD", 0xFF, 100, face, 16, false, false); }));
}

TEST(PresentAt, TheHeadlessBackendShowsTheFrameAtTheGivenPosition) {
  platform::HeadlessOptions options;
  options.keepFrames = true;
  auto backend = platform::CreateHeadlessPlatform(options);
  platform::HeadlessPlatform& headless = *backend;
  platform::Install(std::move(backend));
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(3, 2));
  for (int i = 0; i < 6; ++i) s.Pixels()[i] = 0x100000u * static_cast<uint32_t>(i + 1);
  int w = 0, h = 0, x = -1, y = -1;
  s.PresentAt(30, -20);
  EXPECT_EQ(headless.LastFrame(w, h), std::vector<uint32_t>(s.Pixels(), s.Pixels() + 6));
  headless.LastFramePosition(x, y);
  EXPECT_EQ(std::make_tuple(w, h, x, y), std::make_tuple(3, 2, 30, -20));
  s.Present();
  headless.LastFramePosition(x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0));
  platform::Install(nullptr);
}

}  // namespace
