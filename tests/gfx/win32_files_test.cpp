// Windows file names: the disk names files in UTF-16, project paths are Windows-1252 with
// backslashes, command-line paths UTF-8, and none of them may go through the ANSI code page. The
// fixtures are made with wide names, independently of the code under test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/bitmap_surface.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScopedCwd;
using testing_support::TempDir;

// Niveles_ñ\Mapa_é.ini on the disk.
const fs::path kFolder = L"Niveles_\u00f1";
const fs::path kFile = kFolder / L"Mapa_\u00e9.ini";
const std::string kFolderUtf8 = "Niveles_\xC3\xB1";
const std::string kFileUtf8 = "Mapa_\xC3\xA9.ini";
const std::string kContents = "[mapa]\nnombre=Ca\xF1on\n";

class WindowsFileNames : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.path() / kFolder);
    std::ofstream(dir_.path() / kFile, std::ios::binary) << kContents;
  }
  // The temporary folder as an absolute host path ("C:/users/...").
  std::string Root() const { return platform::HostPathText(dir_.path()); }

  TempDir dir_;
  ScopedCwd cwd_{dir_.path()};
};

TEST_F(WindowsFileNames, EveryWayOfNamingAFileReachesIt) {
  const std::string backslashRoot = [this] {
    std::string root = Root();
    for (char& c : root) c = c == '/' ? '\\' : c;
    return root;
  }();
  const struct {
    const char* why;
    std::string path;
  } cases[] = {
      {"Windows-1252 project path", "Niveles_\xF1\\Mapa_\xE9.ini"},
      {"UTF-8 command-line path", kFolderUtf8 + "/" + kFileUtf8},
      {"backslash relative path through ..", "Niveles_\xF1\\..\\.\\Niveles_\xF1\\Mapa_\xE9.ini"},
      {"drive-letter path with backslashes", backslashRoot + "\\Niveles_\xF1\\Mapa_\xE9.ini"},
      {"drive-letter path with slashes", Root() + "/" + kFolderUtf8 + "/" + kFileUtf8},
      {"path from the drive's root", Root().substr(2) + "/Niveles_\xF1/Mapa_\xE9.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(platform::FileExists(c.path)) << c.why << ": " << platform::ToHostPath(c.path);
    EXPECT_TRUE(platform::PlainFileExists(c.path)) << c.why;
    const auto bytes = platform::ReadWholeFile(c.path);
    ASSERT_TRUE(bytes.has_value()) << c.why;
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), kContents) << c.why;
    EXPECT_EQ(platform::GetPrivateProfileString("Mapa", "Nombre", "?", 64, c.path), "Ca\xF1on") << c.why;
  }
  ASSERT_EQ(Root().substr(1, 1), ":");  // the drive-letter cases above had a drive letter
}

TEST_F(WindowsFileNames, NamesListedAreReadBack) {
  ASSERT_EQ(platform::ListFiles("Niveles_\xF1"), std::vector<std::string>{kFileUtf8});
  EXPECT_TRUE(platform::ReadWholeFile("Niveles_\xF1\\" + kFileUtf8).has_value());
  EXPECT_EQ(platform::CurrentFolder(), Root());
  EXPECT_TRUE(platform::FileExists(platform::CurrentFolder() + "/" + kFolderUtf8));
}

TEST_F(WindowsFileNames, MissingFilesAndFilesStillToBeWritten) {
  EXPECT_FALSE(platform::FileExists("Niveles_\xF1\\Otro_\xE9.ini"));
  EXPECT_FALSE(platform::ReadWholeFile("Niveles_\xF1\\Otro_\xE9.ini").has_value());
  EXPECT_FALSE(platform::ReadWholeFile("Niveles_\xF1").has_value());  // a folder is not a file
  EXPECT_FALSE(platform::PlainFileExists("Niveles_\xF1"));
  EXPECT_EQ(platform::ToHostPath("Niveles_\xF1\\Otro_\xE9.ini"), kFolderUtf8 + "\\Otro_\xC3\xA9.ini");

  // A file written through the host path gets its name right on the disk.
  std::ofstream(platform::HostFsPath(kFolderUtf8 + "/Salida_\xC3\xA9.txt"), std::ios::binary) << "dump";
  EXPECT_TRUE(fs::is_regular_file(dir_.path() / kFolder / L"Salida_\u00e9.txt"));
}

TEST_F(WindowsFileNames, BitmapsAreSavedIntoAccentedFolders) {
  CBitmapSurface shot;
  ASSERT_TRUE(shot.Create(3, 2));
  shot.Clear(0x00336699);
  ASSERT_TRUE(shot.SaveFile("Niveles_\xF1\\captura_\xE9.bmp"));
  const fs::path onDisk = dir_.path() / kFolder / L"captura_\u00e9.bmp";
  ASSERT_TRUE(fs::is_regular_file(onDisk));
  CBitmapSurface back;
  ASSERT_TRUE(back.LoadFile("Niveles_\xF1\\captura_\xE9.bmp"));
  EXPECT_EQ(back.GetWidth(), 3);
  EXPECT_EQ(back.Pixels()[0] & 0xFFFFFF, 0x336699u);
}

}  // namespace
