// A copy of the demo, renamed and edited the way game makers do: accented folder and file names,
// settings in either encoding, and the boxes of config.ini's missing files in both languages.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

namespace fs = std::filesystem;
using testing_support::CountOf;
using testing_support::ReadText;
using testing_support::Replaced;
using testing_support::RunTessaloom;
using testing_support::TempDir;

const std::string kDemoMusic = "background_music_file=demo_theme.mid";
const std::string kDemoMap = "tiled_game_map_file=demo_map.json";

const std::string kDemoName = "game_name=Tessaloom Demo: The Sunken Valley";

// Copies the demo to Projects/<folder> with lines of its config.ini replaced (demo line, new line).
void CopyDemo(const TempDir& dir, const std::string& folder, const std::string& autoexecBody,
              const std::vector<std::pair<std::string, std::string>>& edits) {
  testing_support::UseDemoCopy(dir, folder, autoexecBody, {"Data", "Sounds", "Scripts"});
  fs::create_directory(dir / ("Projects/" + folder + "/Scripts/Chapters"));
  const std::string config = "Projects/" + folder + "/Data/config.ini";
  std::string text = ReadText(dir / config);
  for (const auto& [demoLine, newLine] : edits) text = Replaced(text, demoLine, newLine);
  dir.Write(config, text);
}

TEST(ProjectFilesEndToEnd, AnAccentedProjectAndTuneRunHoweverTheyWereSaved) {
  // "canción", "ñandú" and "Ñandú" in UTF-8 and in Windows-1252 (whose bytes are written in octal).
  const std::string song[] = {"canción", "canci\363n"}, bird[] = {"ñandú", "\361and\372"},
                    Bird[] = {"Ñandú", "\321and\372"};
  const struct {
    const char* who;
    std::string folder, tune;  // on the disk, UTF-8
    std::string autoexec;      // the launcher file's body
    int encoding;              // of config.ini: 0 UTF-8, 1 Windows-1252
    std::string commandLine;   // as the shell passes it, UTF-8
    std::string shownFolder;   // as the transcript names it, UTF-8
  } cases[] = {
      {"Linux user, UTF-8 settings, command line", Bird[0], song[0] + ".mid", "", 0, Bird[0], Bird[0]},
      {"Linux user, Windows-1252 settings, project_name", Bird[0], song[0] + ".mid", "project_name=" + Bird[1] + "\r\n",
       1, "", Bird[0]},
      {"Windows user, names in other cases", "ÑANDÚ", "CANCIÓN.MID", "project_name=" + bird[1] + "\r\n", 1, "",
       bird[0]},
  };
  for (const auto& c : cases) {
    TempDir dir;
    CopyDemo(dir, c.folder, c.autoexec,
             {{kDemoMusic, "background_music_file=" + song[c.encoding] + ".mid"},
              {kDemoName, "game_name=La " + song[c.encoding] + " del " + bird[c.encoding]}});
    const fs::path sounds = dir / ("Projects/" + c.folder + "/Sounds");
    fs::rename(sounds / "demo_theme.mid", sounds / c.tune);
    auto result = RunTessaloom(dir.path(), "--headless --frames 5 --transcript - " + c.commandLine);
    EXPECT_EQ(result.exitCode, 0) << c.who << ": " << result.err;
    EXPECT_EQ(CountOf(result.out, " box "), 0u) << c.who << ":\n" << result.out;
    EXPECT_EQ(CountOf(result.out, "music open Projects\\" + c.shownFolder + "\\Sounds\\" + song[0] + ".mid\n"), 1u)
        << c.who << ":\n"
        << result.out;
    EXPECT_EQ(CountOf(result.out, "title \"La " + song[0] + " del " + bird[0] + "\"\n"), 1u) << c.who << ":\n"
                                                                                             << result.out;
  }
}

// Each missing file of config.ini (a folder in its place is as missing) stops start-up with its
// box, in the launcher's language; a missing tune still starts the music thread with its path.
TEST(ProjectFilesEndToEnd, MissingFilesOfConfigIniInBothLanguages) {
  const struct {
    const std::string& demoLine;
    const char* newLine;              // nothing: config.ini is removed
    std::array<std::string, 2> text;  // English, Spanish
  } cases[] = {
      {kDemoMap,
       "",
       {"File Projects\\\\Demo\\\\Data\\\\config.ini not found",
        "No existe el fichero Projects\\\\Demo\\\\Data\\\\config.ini"}},
      {kDemoMusic,
       "background_music_file=missing.mid",
       {"Section [config]:\\nMusic file 'missing.mid' not found in 'Sounds' folder.",
        "Secci\xC3\xB3n [config]:\\nNo existe el fichero de m\xC3\xBAsica 'missing.mid' en la carpeta 'Sounds'."}},
      {kDemoMusic,
       "initial_script=missing.txt",
       {"Section [config]:\\nScript file 'missing.txt' not found in 'Scripts' folder.",
        "Secci\xC3\xB3n [config]:\\nNo existe el fichero de Script 'missing.txt' en la carpeta 'Scripts'."}},
      // A folder of that name is no script.
      {kDemoMusic,
       "initial_script=Chapters",
       {"Section [config]:\\nScript file 'Chapters' not found in 'Scripts' folder.",
        "Secci\xC3\xB3n [config]:\\nNo existe el fichero de Script 'Chapters' en la carpeta 'Scripts'."}},
      {kDemoMap,
       "tiled_game_map_file=missing.json",
       {"Section [config]:\\nFile 'missing.json' not found in 'Map' folder.",
        "Secci\xC3\xB3n [config]:\\nNo existe el fichero 'missing.json' en la carpeta 'Map'."}},
  };
  const std::array<std::string, 2> languages = {"english", "spanish"};
  const std::array<std::string, 2> captions = {"Fatal error in file config.ini",
                                               "Error fatal en el fichero config.ini"};
  for (const auto& c : cases) {
    for (int language = 0; language < 2; ++language) {
      TempDir dir;
      const std::string newLine = c.newLine;
      CopyDemo(dir, "Demo", "project_name=Demo\r\nuser_interface_language=" + languages[language] + "\r\n",
               {{c.demoLine, newLine}});
      if (newLine.empty()) fs::remove(dir / "Projects/Demo/Data/config.ini");
      auto result = RunTessaloom(dir.path(), "--headless --frames 5 --transcript -");
      EXPECT_EQ(result.exitCode, 1) << result.err;  // each of them ends the run
      // Without config.ini every key reads as absent: the unnamed map gives a second box.
      EXPECT_EQ(CountOf(result.out, " box "), newLine.empty() ? 2u : 1u) << newLine << ":\n" << result.out;
      const std::string box =
          "0 box error owner=main caption=\"" + captions[language] + "\" text=\"" + c.text[language] + "\" answer=ok\n";
      EXPECT_EQ(CountOf(result.out, box), 1u) << box << result.out;
      const bool music = newLine.rfind("background", 0) == 0;
      EXPECT_EQ(CountOf(result.out, "music open Projects\\Demo\\Sounds\\missing.mid\n"), music ? 1u : 0u) << result.out;
    }
  }
}

}  // namespace
