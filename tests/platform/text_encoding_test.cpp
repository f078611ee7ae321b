// Windows-1252 inside the engine, UTF-8 and UTF-16 outside: conversions and case folding.
#include <gtest/gtest.h>

#include <string>

#include "platform/letter_case.h"
#include "platform/text_encoding.h"

namespace {

using platform::Cp1252FromUtf8;
using platform::Utf8FromCp1252;

TEST(TextEncoding, EveryWindows1252ByteSurvivesATripThroughUtf8) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    const std::string utf8 = Utf8FromCp1252(text);
    EXPECT_TRUE(byte < 0x80 || platform::LooksLikeUtf8(utf8)) << byte;
    EXPECT_EQ(Cp1252FromUtf8(utf8), text) << "byte " << byte;
  }
}

TEST(TextEncoding, KnownCharactersBothWays) {
  const struct {
    const char* cp1252;
    const char* utf8;
  } cases[] = {
      {"\xD1"
       "and\xFA",
       "\xC3\x91"
       "and\xC3\xBA"},                                                       // Ñandú
      {"\x80", "\xE2\x82\xAC"},                                              // €
      {"\x8A\x9A\x9F", "\xC5\xA0\xC5\xA1\xC5\xB8"},                          // ŠšŸ
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined: C1 controls
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8FromCp1252(c.cp1252), c.utf8);
    EXPECT_EQ(Cp1252FromUtf8(c.utf8), c.cp1252);
  }
  EXPECT_EQ(Cp1252FromUtf8("\xCE\xA9 \xF0\x9F\x98\x80"), "? ?");  // Ω and an emoji have no byte
}

TEST(TextEncoding, Utf16InEitherByteOrder) {
  const struct {
    std::string little, big, expected;
  } cases[] = {
      {std::string("A\0\xD1\0", 4), std::string("\0A\0\xD1", 4), "A\xD1"},
      {std::string("\xAC\x20", 2), std::string("\x20\xAC", 2), "\x80"},               // €
      {std::string("\x3D\xD8\x00\xDE", 4), std::string("\xD8\x3D\xDE\x00", 4), "?"},  // one pair
      {std::string("\x3D\xD8"
                   "A\0",
                   4),
       std::string("\xD8\x3D\0A", 4), "?A"},                        // lone high
      {std::string("B\0\x01", 3), std::string("\0B\x01", 3), "B"},  // odd byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::Cp1252FromUtf16(c.little, false), c.expected);
    EXPECT_EQ(platform::Cp1252FromUtf16(c.big, true), c.expected);
  }
}

TEST(LetterCase, Windows1252LettersFoldButSignsDoNot) {
  const struct {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"\xD1"
       "AND\xDA",
       "\xF1"
       "and\xFA",
       true},                                          // ÑANDÚ ñandú
      {"\xC0\xDE", "\xE0\xFE", true},                  // À-Þ to à-þ
      {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},  // Š Œ Ž Ÿ
      {"\xD7", "\xF7", false},                         // × is not the capital of ÷
      {"\xDF", "S", false},                            // ß stays itself
      {"\xF1", "n", false},                            // accents matter
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
  }
  EXPECT_EQ(platform::AsciiLower("\xC3\x91"
                                 "A"),
            "\xC3\x91"
            "a");  // UTF-8 text left whole
}

}  // namespace
