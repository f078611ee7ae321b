#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/ini.h"
#include "support/test_files.h"

namespace {

using platform::GetPrivateProfileString;
using testing_support::TempDir;

class IniReader : public ::testing::Test {
 protected:
  void SetUp() override { platform::ClearIniCache(); }
  std::string Read(const std::string& bytes, const std::string& section, const std::string& key, std::size_t size = 32,
                   const std::string& def = "") {
    dir_.Write("a.ini", bytes);
    platform::ClearIniCache();
    return GetPrivateProfileString(section, key, def, size, (dir_ / "a.ini").string());
  }
  TempDir dir_;
};

// Like the Windows reader: names ignore case (accented ones too), blanks and one pair of matching
// quotes are trimmed, the first of repeated keys wins, a key is looked up in the first section of
// its name only, a line without '=' is a key with an empty value, any line end ends a line, the
// value is cut to the buffer less one, and UTF-8 files are read as Windows-1252.
TEST_F(IniReader, ValuesAsTheWindowsReaderFindsThem) {
  const struct {
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
    std::size_t size = 32;
  } cases[] = {
      {"[AutoExec]\n  Project_Name  =   My Game  \n", "AUTOEXEC", "project_name", "My Game"},
      {"[s]\na=\"quoted value\"\n", "s", "a", "quoted value"},
      {"[s]\nb='single'\n", "s", "b", "single"},
      {"[s]\nc=\"unbalanced\n", "s", "c", "\"unbalanced"},
      {"[s]\nd=\"a\" and \"b\"\n", "s", "d", "a\" and \"b"},
      {"; leading comment\n[s]\n;key=commented\nkey=first\nkey=second\n", "s", "key", "first"},
      {"[s]\n;key=commented\n", "s", ";key", "dflt"},
      {"[s]\nk=v\n[other]\nonly=here\n", "other", "only", "here"},
      {"[s]\na=1\n[other]\nb=2\n[S]\nlate=yes\na=3\n", "s", "late", "dflt"},
      {"[s]\na=1\n[other]\nb=2\n[S]\nlate=yes\na=3\n", "s", "a", "1"},
      {"[s]\ngame_name\ngame_name=After\n", "s", "game_name", ""},
      {"[s]\n  Game_Name  \r\nother=x\n", "s", "GAME_NAME", ""},
      {"bare\nk=v\n[s]\nx=1\n", "s", "k", "dflt"},  // before any section: no key at all
      {"[s]\ra=1\rb=two\r", "s", "b", "two"},
      {"[s]\nname=abcdefghij\n", "s", "name", "abcd", 5},
      {"[s]\nname=abcdefghij\n", "s", "name", "abcdefghij", 11},
      {"[s]\nname=abcdefghij\n", "s", "missing", "dfl", 4},
      {"\xEF\xBB\xBF[s]\nname=Ca\xC3\xB1on\n", "s", "name", "Ca\xF1on"},
      {"[s]\nname=Ca\xF1on\n", "s", "name", "Ca\xF1on"},                      // already Windows-1252
      {"[Canci\xD3n]\n\xC1rbol=verde\n", "canci\xF3n", "\xE1rbol", "verde"},  // [CanciÓn] Árbol=verde
      {"\xEF\xBB\xBF[CANCI\xC3\x93N]\nk=v\n", "canci\xF3n", "K", "v"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.file, c.section, c.key, c.size, "dflt"), c.expected) << c.file << " / " << c.key;
  }
}

// Values are kept between reads, yet a file changed on the disk is read again, whether its
// length changed or only its time; a name spelled in another case finds the file as well.
TEST_F(IniReader, AFileChangedOnTheDiskIsReadAgain) {
  const std::string path = (dir_ / "a.ini").string();
  const std::string otherCase = (dir_ / "A.INI").string();
  EXPECT_EQ(Read("[s]\nk=1\n", "s", "k"), "1");
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 32, otherCase), "1");
  dir_.Write("a.ini", "[s]\nk=22\n");
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 32, path), "22");
  const auto written = std::filesystem::last_write_time(path);
  dir_.Write("a.ini", "[s]\nk=33\n");
  std::filesystem::last_write_time(path, written + std::chrono::seconds(2));
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 32, path), "33");
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 32, otherCase), "33");
  std::filesystem::remove(path);
  EXPECT_EQ(GetPrivateProfileString("s", "k", "gone", 32, path), "gone");
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
    EXPECT_EQ(Read(bytes, "s", "name"),
              "\xD1"
              "and\xFA \x80??")
        << "big endian " << bigEndian;
    EXPECT_EQ(Read(bytes, "S", "NEXT"), "2");
  }
}

}  // namespace
