// Project paths are Windows-1252 with backslashes; the disk names files in UTF-8 (or in whatever
// case the game maker typed them on Windows).
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "support/test_files.h"

namespace {

using testing_support::ScopedCwd;
using testing_support::TempDir;

// The engine's path of the tune: Projects\Ñandú\Sounds\canción.mid in Windows-1252.
const std::string kTune =
    "Projects\\\xD1"
    "and\xFA\\Sounds\\canci\xF3n.mid";

#ifdef _WIN32
// Windows finds a name however its case is written; a host path keeps the case it was given.
constexpr bool kNamesIgnoreCase = true;
#else
constexpr bool kNamesIgnoreCase = false;
#endif

// A host path with its separators as '/' (Windows keeps the backslashes it was given).
std::string Slashed(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

TEST(Files, AccentedNamesAreFoundHoweverTheDiskSpellsThem) {
  const struct {
    const char* why;
    std::string onDisk;
  } cases[] = {
      {"UTF-8 names, as a Linux user makes them",
       "Projects/\xC3\x91"
       "and\xC3\xBA/Sounds/canci\xC3\xB3n.mid"},
      {"other case, as a Windows user types them",
       "PROJECTS/\xC3\x91"
       "AND\xC3\x9A/sounds/CANCI\xC3\x93N.MID"},
#ifndef _WIN32  // Windows names are UTF-16: there are no such bytes there
      {"Windows-1252 bytes on the disk",
       "Projects/\xD1"
       "and\xFA/Sounds/canci\xF3n.mid"},
#endif
  };
  for (const auto& c : cases) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.Write(c.onDisk, "tune");
    EXPECT_TRUE(platform::FileExists(kTune)) << c.why;
    const std::string asWritten =
        "Projects/\xC3\x91"
        "and\xC3\xBA/Sounds/canci\xC3\xB3n.mid";
    EXPECT_EQ(Slashed(platform::ToHostPath(kTune)), kNamesIgnoreCase ? asWritten : c.onDisk) << c.why;
    auto bytes = platform::ReadWholeFile(kTune);
    ASSERT_TRUE(bytes.has_value()) << c.why;
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "tune");
  }
}

// A path given on the command line is already UTF-8; a file still to be written gets its name in
// UTF-8 so that the user sees it spelled right.
TEST(Files, PathsAlreadyInUtf8AndFilesNotYetWritten) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  dir.Write("Capturas/x", "");
  EXPECT_TRUE(platform::FileExists("Capturas/x"));
  const std::string expected = std::string(kNamesIgnoreCase ? "capturas" : "Capturas") + "/pantalla_\xC3\xB1.bmp";
  EXPECT_EQ(Slashed(platform::ToHostPath("capturas\\pantalla_\xF1.bmp")), expected);
  EXPECT_EQ(Slashed(platform::ToHostPath("capturas\\pantalla_\xC3\xB1.bmp")), expected);
  dir.Write("Capturas/pantalla_\xC3\xB1.bmp", "shot");
  EXPECT_TRUE(platform::FileExists("Capturas/pantalla_\xC3\xB1.bmp"));
  EXPECT_FALSE(platform::ReadWholeFile("Capturas").has_value());  // a folder is not a file
}

TEST(Files, AWholeFileIsReadByteForByte) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  std::string bytes(1024 * 1024 + 3, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  dir.Write("big.bin", bytes);
  dir.Write("empty.bin", "");
  const auto big = platform::ReadWholeFile("big.bin");
  ASSERT_TRUE(big.has_value());
  EXPECT_TRUE(std::string(big->begin(), big->end()) == bytes);
  const auto empty = platform::ReadWholeFile("empty.bin");
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
  EXPECT_FALSE(platform::ReadWholeFile("missing.bin").has_value());
}

}  // namespace
