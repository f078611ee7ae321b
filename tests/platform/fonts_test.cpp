#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace {

using platform::fonts::Glyph;
using platform::fonts::OpenFont;

constexpr char kFace[] = "Courier New";

// The metric-compatible face fontconfig gives for "Courier New" (Debian's fonts-liberation2,
// which fontconfig prefers when present, or fonts-liberation).
std::string LiberationMonoFile() {
  for (const char* dir : {"liberation2", "liberation"}) {
    const std::string path = std::string("/usr/share/fonts/truetype/") + dir + "/LiberationMono-Regular.ttf";
    if (std::filesystem::exists(path)) return path;
  }
  return {};
}

int Ink(const Glyph& g) { return std::accumulate(g.levels.begin(), g.levels.end(), 0); }

bool SameGlyph(const Glyph& a, const Glyph& b) {
  return a.originX == b.originX && a.originY == b.originY && a.advance == b.advance && a.width == b.width &&
         a.height == b.height && a.levels == b.levels;
}

class Fonts : public ::testing::Test {
 protected:
  void SetUp() override { platform::fonts::ResetFonts(); }
  void TearDown() override { platform::fonts::ResetFonts(); }
};

TEST_F(Fonts, CourierNewKeepsItsCellWidthAtEverySizeAt96Dpi) {
  for (int points = 5; points <= 60; ++points) {
    const int em = (points * 96 + 36) / 72;                 // rounded to nearest: 8 pt is 11 px, not 10
    const long expected = std::lround(em * 1229 / 2048.0);  // Courier New advance: 1229 / 2048 em
    EXPECT_EQ(OpenFont(kFace, points, false, false)->GetGlyph('0').advance, expected) << points;
    // The bold face is a real one with the same cell, not a thickened regular.
    EXPECT_EQ(OpenFont(kFace, points, true, false)->GetGlyph('0').advance, expected) << points;
    EXPECT_GE(OpenFont(kFace, points, false, false)->LineHeight(), em);
  }
}

TEST_F(Fonts, StylesLevelsAndWindows1252) {
  const auto regular = OpenFont(kFace, 10, false, false);
  const auto bold = OpenFont(kFace, 10, true, false);
  const auto italic = OpenFont(kFace, 10, false, true);
  EXPECT_GT(Ink(bold->GetGlyph('H')), Ink(regular->GetGlyph('H')));
  EXPECT_FALSE(SameGlyph(italic->GetGlyph('l'), regular->GetGlyph('l')));
  bool full = false;
  for (int c = 0; c < 256; ++c) {
    const Glyph& g = regular->GetGlyph(static_cast<uint8_t>(c));
    ASSERT_EQ(g.levels.size(), static_cast<std::size_t>(g.width * g.height));
    for (uint8_t level : g.levels) ASSERT_LE(level, 64);
    full = full || std::find(g.levels.begin(), g.levels.end(), 64) != g.levels.end();
  }
  EXPECT_TRUE(full);
  // 0x80 is the euro sign, not the missing-glyph box a control character gets.
  EXPECT_GT(Ink(regular->GetGlyph(0x80)), 0);
  EXPECT_FALSE(SameGlyph(regular->GetGlyph(0x80), regular->GetGlyph(0x01)));
  EXPECT_EQ(regular->GetGlyph(' ').width * regular->GetGlyph(' ').height, 0);
}

// A copy of Liberation Mono renamed to a family no system font has.
std::string RenamedFontCopy(const std::string& newFamily) {
  std::ifstream in(LiberationMonoFile(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto replaceAll = [&bytes](const std::string& from, const std::string& to) {
    for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at)) {
      bytes.replace(at, from.size(), to);
    }
  };
  auto utf16 = [](const std::string& ascii) {
    std::string wide;
    for (char c : ascii) wide += std::string(1, '\0') + c;
    return wide;
  };
  replaceAll("Liberation Mono", newFamily);
  replaceAll(utf16("Liberation Mono"), utf16(newFamily));
  const std::string path = ::testing::TempDir() + "/tl_renamed_mono.ttf";
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST_F(Fonts, PrivateFilesWinTheirFamilyNameUntilReset) {
  ASSERT_FALSE(LiberationMonoFile().empty());
  const std::string family = "Tessaloom Mono!";  // same length as "Liberation Mono"
  const std::string path = RenamedFontCopy(family);
  // Each probe of the family outside its registration is at a size of its own: Wine's GDI keeps
  // the face a font request resolved to and gives it again for the same request.
  const auto unregistered = [&family](int points) {
    return !SameGlyph(OpenFont(family, points, false, false)->GetGlyph('W'),
                      OpenFont(kFace, points, false, false)->GetGlyph('W'));
  };
  ASSERT_TRUE(unregistered(13));
  const auto courier = OpenFont(kFace, 12, false, false);

  ASSERT_TRUE(platform::fonts::RegisterPrivateFontFile(path));
  for (const char* name : {"Tessaloom Mono!", "TESSALOOM mono!"}) {
    const auto registered = OpenFont(name, 12, false, false);
    for (uint8_t c : {'W', 'i', '0', '@'}) {
      EXPECT_TRUE(SameGlyph(registered->GetGlyph(c), courier->GetGlyph(c))) << name << c;
    }
    EXPECT_EQ(registered->LineHeight(), courier->LineHeight());
  }
  // The file has no bold face: bold is synthesised, thicker than the regular strokes.
  EXPECT_GT(Ink(OpenFont(family, 12, true, false)->GetGlyph('H')), Ink(courier->GetGlyph('H')));

  platform::fonts::ResetFonts();
  EXPECT_TRUE(unregistered(14));
  std::filesystem::remove(path);
}

TEST_F(Fonts, FilesFreeTypeCannotReadAreRefused) {
  const std::string junk = ::testing::TempDir() + "/tl_not_a_font.ttf";
  std::ofstream(junk) << "this is not a font file\n";
  EXPECT_FALSE(platform::fonts::RegisterPrivateFontFile(junk));
  EXPECT_FALSE(platform::fonts::RegisterPrivateFontFile(::testing::TempDir() + "/tl_missing.ttf"));
  std::filesystem::remove(junk);
}

// The demo's own font, registered as a project registers it: glyph shapes and metrics any
// rasteriser must give, and when the same font object is shared.
TEST_F(Fonts, ProjectFontGlyphsMetricsAndSharing) {
  const std::string fonts = std::string(TL_SOURCE_DIR) + "/Projects/Demo/Fonts/";
  ASSERT_TRUE(platform::fonts::RegisterPrivateFontFile(fonts + "LiberationSans-Regular.ttf"));
  const auto regular = OpenFont("Liberation Sans", 12, false, false);  // 16 px em
  EXPECT_EQ(OpenFont("Liberation Sans", 12, false, false), regular);
  EXPECT_GE(regular->LineHeight(), 16);
  EXPECT_LE(regular->LineHeight(), 24);
  EXPECT_GT(regular->Ascent(), regular->LineHeight() / 2);
  EXPECT_LT(regular->Ascent(), regular->LineHeight());

  const Glyph& a = regular->GetGlyph('A');
  EXPECT_GT(Ink(a), 0);
  EXPECT_GE(a.advance, 10);  // 1366 / 2048 em
  EXPECT_LE(a.advance, 12);
  EXPECT_GE(a.originY, 10);  // cap height 1409 / 2048 em, on the baseline
  EXPECT_LE(a.originY, regular->Ascent());
  EXPECT_LE(std::abs(a.originY - a.height), 1);
  // 'A' is symmetric: each row's ink is centred in the box (rows read with the wrong stride
  // would shear it).
  for (int r = 0; r < a.height; ++r) {
    double ink = 0, moment = 0;
    for (int c = 0; c < a.width; ++c) {
      ink += a.levels[static_cast<std::size_t>(r * a.width + c)];
      moment += (c + 0.5) * a.levels[static_cast<std::size_t>(r * a.width + c)];
    }
    if (ink > 0) {
      EXPECT_NEAR(moment / ink, a.width / 2.0, 1.5) << "row " << r;
    }
  }
  const Glyph& space = regular->GetGlyph(' ');
  EXPECT_GT(space.advance, 0);
  EXPECT_EQ(&regular->GetUnicodeGlyph(U'A'), &a);
  // An unknown face still draws, with the system's closest face.
  EXPECT_GT(Ink(OpenFont("No Such Face Anywhere", 12, false, false)->GetGlyph('A')), 0);

  // A new registration and a reset each give fresh fonts.
  ASSERT_TRUE(platform::fonts::RegisterPrivateFontFile(fonts + "LiberationSans-Bold.ttf"));
  const auto afterRegistration = OpenFont("Liberation Sans", 12, false, false);
  EXPECT_NE(afterRegistration, regular);
  platform::fonts::ResetFonts();
  EXPECT_NE(OpenFont("Liberation Sans", 12, false, false), afterRegistration);
}

TEST_F(Fonts, GlyphsRenderedConcurrentlyMatchSerialOnes) {
  const auto shared = OpenFont(kFace, 20, true, true);  // fresh: no glyph rendered yet
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&shared, t] {
      for (int i = 0; i < 256; ++i) shared->GetGlyph(static_cast<uint8_t>((i * 7 + t * 64) & 255));
    });
  }
  for (std::thread& t : threads) t.join();
  platform::fonts::ResetFonts();
  const auto serial = OpenFont(kFace, 20, true, true);
  ASSERT_NE(serial, shared);
  for (int c = 0; c < 256; ++c) {
    EXPECT_TRUE(SameGlyph(shared->GetGlyph(static_cast<uint8_t>(c)), serial->GetGlyph(static_cast<uint8_t>(c)))) << c;
  }
}

}  // namespace
