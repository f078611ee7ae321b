#include <gtest/gtest.h>

#include "platform/ini.h"
#include "support/test_world.h"

namespace {

using platform::GetPrivateProfileString;
using testing_support::TempDir;

class IniReader : public ::testing::Test {
 protected:
  void SetUp() override { platform::ClearIniCache(); }
  std::string Read(const std::string& bytes, const std::string& section, const std::string& key,
                   std::size_t size = 32, const std::string& def = "") {
    dir_.Write("a.ini", bytes);
    platform::ClearIniCache();
    return GetPrivateProfileString(section, key, def, size, (dir_ / "a.ini").string());
  }
  TempDir dir_;
};

TEST_F(IniReader, NamesIgnoreCaseAndBlanksAreTrimmed) {
  std::string file = "[AutoExec]\n  Project_Name  =   My Game  \n";
  EXPECT_EQ(Read(file, "autoexec", "project_name"), "My Game");
  EXPECT_EQ(Read(file, "AUTOEXEC", "PROJECT_NAME"), "My Game");
}

TEST_F(IniReader, MatchingQuotesAreRemovedOthersKept) {
  std::string file = "[s]\na=\"quoted value\"\nb='single'\nc=\"unbalanced\nd=\"a\" and \"b\"\n";
  EXPECT_EQ(Read(file, "s", "a"), "quoted value");
  EXPECT_EQ(Read(file, "s", "b"), "single");
  EXPECT_EQ(Read(file, "s", "c"), "\"unbalanced");
  EXPECT_EQ(Read(file, "s", "d"), "a\" and \"b");
}

TEST_F(IniReader, CommentsDuplicatesAndOtherSections) {
  std::string file =
      "; leading comment\n[s]\n;key=commented\nkey=first\nkey=second\n[other]\nonly=here\n[s]\nlate=yes\n";
  EXPECT_EQ(Read(file, "s", "key"), "first");
  EXPECT_EQ(Read(file, "s", ";key"), "");
  EXPECT_EQ(Read(file, "s", "only"), "");
  EXPECT_EQ(Read(file, "other", "only"), "here");
}

// The Windows reader looks a key up in the first section of its name only, and takes a line
// without '=' as a key with an empty value.
TEST_F(IniReader, RepeatedSectionsAndKeysWithoutEquals) {
  const struct {
    const char* file;
    const char* key;
    const char* expected;
  } cases[] = {
      {"[s]\na=1\n[other]\nb=2\n[S]\nlate=yes\na=3\n", "late", "dflt"},
      {"[s]\na=1\n[other]\nb=2\n[S]\nlate=yes\na=3\n", "a", "1"},
      {"[other]\nb=2\n[s]\nfirst=1\n[s]\nsecond=2\n", "first", "1"},
      {"[s]\ngame_name\ngame_name=After\n", "game_name", ""},
      {"[s]\n  Game_Name  \r\nother=x\n", "GAME_NAME", ""},
      {"[s]\ngame_name=Before\ngame_name\n", "game_name", "Before"},
      {"bare\n[s]\nk=v\n", "bare", "dflt"},  // before any section: no key at all
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.file, "s", c.key, 32, "dflt"), c.expected) << c.file << " / " << c.key;
  }
}

TEST_F(IniReader, AnyLineEndReadsTheSame) {
  for (const char* end : {"\n", "\r\n", "\r"}) {
    std::string file = std::string("[s]") + end + "a=1" + end + "b=two" + end;
    EXPECT_EQ(Read(file, "s", "a"), "1") << "line end " << static_cast<int>(end[0]);
    EXPECT_EQ(Read(file, "s", "b"), "two");
  }
}

TEST_F(IniReader, ValueIsCutToTheBufferLessOne) {
  std::string file = "[s]\nname=abcdefghij\n";
  EXPECT_EQ(Read(file, "s", "name", 5), "abcd");
  EXPECT_EQ(Read(file, "s", "name", 11), "abcdefghij");
  EXPECT_EQ(Read(file, "s", "missing", 4, "default"), "def");
}

TEST_F(IniReader, MissingFileSectionOrKeyGiveTheDefault) {
  EXPECT_EQ(GetPrivateProfileString("s", "k", "dflt", 32, (dir_ / "none.ini").string()), "dflt");
  std::string file = "[s]\nk=v\n";
  EXPECT_EQ(Read(file, "t", "k", 32, "dflt"), "dflt");
  EXPECT_EQ(Read(file, "s", "x", 32, "dflt"), "dflt");
  EXPECT_EQ(Read("k=v\n", "s", "k", 32, "dflt"), "dflt");  // a key before any section
}

TEST_F(IniReader, Utf8FilesAreReadAsWindows1252) {
  EXPECT_EQ(Read("\xEF\xBB\xBF[s]\nname=Ca\xC3\xB1on\n", "s", "name"), "Ca\xF1on");
  EXPECT_EQ(Read("[s]\nname=Ca\xF1on\n", "s", "name"), "Ca\xF1on");  // already Windows-1252
}

// Windows editors save INI files as UTF-16 with a byte-order mark; characters that Windows-1252
// lacks become '?'.
TEST_F(IniReader, Utf16FilesWithAByteOrderMarkAreReadAsWindows1252) {
  // "[s]\r\nname=Ñandú €Ω😀\r\n" with Ω outside Windows-1252 and 😀 a surrogate pair.
  const std::u16string text = u"[s]\r\nname=\u00D1and\u00FA \u20AC\u03A9\U0001F600\r\nnext=2\r\n";
  for (bool bigEndian : {false, true}) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    EXPECT_EQ(Read(bytes, "s", "name"), "\xD1" "and\xFA \x80??") << "big endian " << bigEndian;
    EXPECT_EQ(Read(bytes, "S", "NEXT"), "2");
  }
}

TEST_F(IniReader, AccentedNamesIgnoreCase) {
  std::string file = "[Canci\xD3n]\n\xC1rbol=verde\n";  // [CanciÓn] Árbol=verde
  EXPECT_EQ(Read(file, "canci\xF3n", "\xE1rbol"), "verde");
  EXPECT_EQ(Read("\xEF\xBB\xBF[CANCI\xC3\x93N]\nk=v\n", "canci\xF3n", "K"), "v");  // UTF-8 file
}

TEST_F(IniReader, BackslashPathsFindFilesWhateverTheirCase) {
  dir_.Write("Projects/Data/Config.INI", "[config]\ngame_name=Found\n");
  std::string path = (dir_.path() / "projects").string() + "\\DATA\\config.ini";
  EXPECT_EQ(GetPrivateProfileString("config", "game_name", "", 128, path), "Found");
}

}  // namespace
