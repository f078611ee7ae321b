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
  EXPECT_EQ(Read(file, "s", "late"), "yes");
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

TEST_F(IniReader, BackslashPathsFindFilesWhateverTheirCase) {
  dir_.Write("Projects/Data/Config.INI", "[config]\ngame_name=Found\n");
  std::string path = (dir_.path() / "projects").string() + "\\DATA\\config.ini";
  EXPECT_EQ(GetPrivateProfileString("config", "game_name", "", 128, path), "Found");
}

}  // namespace
