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
  const struct {
    const char* who;
    const char* folder;     // on the disk, UTF-8
    const char* tune;       // on the disk, UTF-8
    const char* autoexec;   // the launcher file's body
    const char* musicLine;  // in config.ini, in the bytes written
    const char* nameLine;
    const char* commandLine;  // as the shell passes it, UTF-8
    const char* musicPath;    // as the transcript shows it, UTF-8
  } cases[] = {
      {"Linux user, UTF-8 settings, command line",
       "\xC3\x91"
       "and\xC3\xBA",
       "canci\xC3\xB3n.mid", "", "background_music_file=canci\xC3\xB3n.mid",
       "game_name=La canci\xC3\xB3n del \xC3\xB1"
       "and\xC3\xBA",
       "\xC3\x91"
       "and\xC3\xBA",
       "Projects\\\xC3\x91"
       "and\xC3\xBA\\Sounds\\canci\xC3\xB3n.mid"},
      {"Linux user, Windows-1252 settings, project_name",
       "\xC3\x91"
       "and\xC3\xBA",
       "canci\xC3\xB3n.mid",
       "project_name=\xD1"
       "and\xFA\r\n",
       "background_music_file=canci\xF3n.mid",
       "game_name=La canci\xF3n del \xF1"
       "and\xFA",
       "",
       "Projects\\\xC3\x91"
       "and\xC3\xBA\\Sounds\\canci\xC3\xB3n.mid"},
      {"Windows user, names in other cases",
       "\xC3\x91"
       "AND\xC3\x9A",
       "CANCI\xC3\x93N.MID",
       "project_name=\xF1"
       "and\xFA\r\n",
       "background_music_file=canci\xF3n.mid",
       "game_name=La canci\xF3n del \xF1"
       "and\xFA",
       "",
       "Projects\\\xC3\xB1"
       "and\xC3\xBA\\Sounds\\canci\xC3\xB3n.mid"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    CopyDemo(dir, c.folder, c.autoexec, {{kDemoMusic, c.musicLine}, {kDemoName, c.nameLine}});
    const fs::path sounds = dir / (std::string("Projects/") + c.folder + "/Sounds");
    fs::rename(sounds / "demo_theme.mid", sounds / c.tune);
    auto result = RunTessaloom(dir.path(), std::string("--headless --frames 5 --transcript - ") + c.commandLine);
    EXPECT_EQ(result.exitCode, 0) << c.who << ": " << result.err;
    EXPECT_EQ(CountOf(result.out, " box "), 0u) << c.who << ":\n" << result.out;
    EXPECT_EQ(CountOf(result.out, std::string("music open ") + c.musicPath + "\n"), 1u) << c.who << ":\n" << result.out;
    EXPECT_EQ(CountOf(result.out,
                      "title \"La canci\xC3\xB3n del \xC3\xB1"
                      "and\xC3\xBA\"\n"),
              1u)
        << c.who << ":\n"
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
