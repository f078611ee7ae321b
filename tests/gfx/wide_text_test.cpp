#include <gtest/gtest.h>

#include <vector>

#include "gfx/bitmap_surface.h"
#include "platform/fonts.h"
#include "platform/headless_platform.h"

namespace {

// The pixels after `draw` on a varied background.
std::vector<uint32_t> Drawn(auto draw) {
  CBitmapSurface s;
  EXPECT_TRUE(s.Create(90, 50));
  for (int i = 0; i < 90 * 50; ++i) s.Pixels()[i] = (i * 0x0B0713u) & 0xFFFFFFu;
  draw(s);
  return {s.Pixels(), s.Pixels() + 90 * 50};
}

TEST(WideText, SameCharactersGiveTheSamePixelsAndSizeAsTheNarrowForms) {
  struct Case {
    const char* narrow;  // Windows-1252
    const char16_t* wide;
    const char* face;
    int points;
    bool bold, italic;
  };
  const Case cases[] = {
      {"Hello\nWorld", u"Hello\nWorld", "Courier New", 10, true, false},
      {"\x80 5 \xD1" "and\xFA", u"\u20AC 5 \u00D1and\u00FA", "DejaVu Sans", 12, false, false},  // euro, N tilde, u acute
      {"\x8C\x9C\x85\x99\tx", u"\u0152\u0153\u2026\u2122\tx", "Liberation Serif", 14, false, true},
      {"\x81\x8D|", u"\u0081\u008D|", "DejaVu Sans", 10, true, true},  // bytes with no character of their own
  };
  CBitmapSurface probe;
  ASSERT_TRUE(probe.Create(1, 1));
  for (const Case& c : cases) {
    const auto narrow = Drawn([&](CBitmapSurface& s) { s.DrawText(-2, 3, c.narrow, 0xFFEE00, 80, c.face, c.points, c.bold, c.italic); });
    const auto wide = Drawn([&](CBitmapSurface& s) { s.DrawText(-2, 3, c.wide, 0xFFEE00, 80, c.face, c.points, c.bold, c.italic); });
    EXPECT_EQ(narrow, wide) << c.narrow;
    EXPECT_NE(narrow, Drawn([](CBitmapSurface&) {})) << c.narrow;
    EXPECT_EQ(probe.MeasureText(c.narrow, c.face, c.points, c.bold, c.italic),
              probe.MeasureText(c.wide, c.face, c.points, c.bold, c.italic))
        << c.narrow;
  }
}

TEST(WideText, CharactersBeyondWindows1252ComeFromTheFont) {
  const char* face = "DejaVu Sans";
  const auto font = platform::fonts::OpenFont(face, 16, false, false);
  const platform::fonts::Glyph& omega = font->GetUnicodeGlyph(U'\u03A9');
  const platform::fonts::Glyph& question = font->GetGlyph('?');
  ASSERT_GT(omega.width * omega.height, 0);
  EXPECT_NE(omega.levels, question.levels);  // a real Greek capital omega, not a stand-in
  // Drawn at its own place from its own coverage: full coverage blends 252/256 of the ink.
  CBitmapSurface s;
  ASSERT_TRUE(s.Create(40, 40));
  s.Clear(0);
  s.DrawText(4, 2, u"\u03A9", 0xFFFFFF, 100, face, 16, false, false);
  int solid = 0;
  for (int i = 0; i < omega.width * omega.height; ++i) {
    const uint32_t level = omega.levels[i], want = ((level * 65536 / 16640) * 255 >> 8) * 0x010101u;
    EXPECT_EQ(s.GetPixel(4 + omega.originX + i % omega.width, 2 + font->LineHeight() - omega.originY + i / omega.width), want);
    solid += level == 64;
  }
  EXPECT_GT(solid, 0);
  EXPECT_EQ(s.MeasureText(u"\u03A9\u03BB", face, 16, false, false),
            std::make_pair(omega.advance + font->GetUnicodeGlyph(U'\u03BB').advance, font->LineHeight()));
  // A surrogate pair is one character; a lone surrogate is drawn as the replacement character.
  EXPECT_EQ(s.MeasureText(u"\U0001F600", face, 16, false, false).first, font->GetUnicodeGlyph(U'\U0001F600').advance);
  EXPECT_EQ(s.MeasureText(u"a\xD800" "b", face, 16, false, false), s.MeasureText(u"a\uFFFDb", face, 16, false, false));
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
