// config.ini: the boxes of each problem, the range rules of the map view and the flag words.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/autoexec_reader.h"
#include "config/config_reader.h"
#include "config/game_settings.h"
#include "config/launcher_settings.h"
#include "platform/ini.h"
#include "support/test_world.h"

namespace {

using Strings = std::vector<std::string>;

class ConfigReader : public testing_support::HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    config::BuildProjectFolders(config_.launcher, "Demo");
  }

  // A fresh config.ini holding the keys, after a line naming an existing map when withMap.
  void Write(const std::string& keys, bool withMap = true) {
    config_.settings = config::GameSettings{};
    platform::ClearIniCache();
    transcript_.str("");
    dir_.Write("Projects/Demo/Map/valley.json", "{}");
    dir_.Write("Projects/Demo/Data/config.ini",
               std::string("[config]\r\n") + (withMap ? "tiled_game_map_file=valley.json\r\n" : "") + keys);
  }

  // The texts of the boxes shown, with the transcript's quoting undone.
  Strings Boxes() const {
    Strings texts;
    std::istringstream lines(Transcript());
    for (std::string line; std::getline(lines, line);) {
      const std::size_t at = line.find(" text=\"");
      if (line.find(" box ") == std::string::npos || at == std::string::npos) continue;
      texts.push_back(testing_support::Unquoted(line.substr(at + 7, line.rfind("\" answer=") - at - 7)));
    }
    return texts;
  }
};

TEST_F(ConfigReader, EmptyFileGivesOneBoxAboutTheUnnamedMapInTheUsersLanguage) {
  const struct {
    config::Language language;
    const char* line;
  } cases[] = {{config::Language::English,
                "0 box error owner=none caption=\"Fatal error in file config.ini\" text=\"Section [config]:\\nThe "
                "game map file in .json format exported from the 'Tiled' application has not been defined.\\nYou "
                "must indicate it in the variable 'tiled_game_map_file'.\" answer=ok\n"},
               {config::Language::Spanish,
                "0 box error owner=none caption=\"Error fatal en el fichero config.ini\" text=\"Sección "
                "[config]:\\nNo se ha definido el fichero de mapa del juego en formato .json exportado desde la "
                "aplicación 'Tiled'.\\nDebes indicarlo en la variable 'tiled_game_map_file'.\" answer=ok\n"}};
  for (const auto& c : cases) {
    config_.launcher.language = c.language;
    Write("", false);
    EXPECT_FALSE(config::ReadConfig(config_));
    EXPECT_EQ(Transcript(), c.line);  // no title, font or music either
  }
}

// A missing font file is still handed to the system, which refuses it too.
TEST_F(ConfigReader, MissingFontFileGivesTwoBoxes) {
  Write("font_1_file=missing.ttf\r\n");
  EXPECT_FALSE(config::ReadConfig(config_));
  EXPECT_EQ(Boxes(), (Strings{"Section [config]:\nFont file 'missing.ttf' not found in 'Fonts' folder.",
                              "Section [config]:\nThe font file 'missing.ttf' is not valid."}));
}

TEST_F(ConfigReader, ViewRangesAndFlagWords) {
  using Read = std::tuple<int, int, std::array<int, 4>, bool, bool>;  // view x, y, limits, two flags
  const std::array<int, 4> whole{0, 0, 8192, 8192};
  const std::vector<std::pair<std::string, Read>> cases = {
      {"initial_game_map_view=0, 500", {1, 1, whole, false, true}},
      {"initial_game_map_view=8191,8191", {8191, 8191, whole, false, true}},
      {"initial_game_map_view=8192, 1", {1, 1, whole, false, true}},
      {"game_map_view_limits=-50,-50,9000,9000", {1, 1, whole, false, true}},
      {"game_map_view_limits=100, 200", {1, 1, {100, 200, 0, 0}, false, true}},
      {"game_map_view_limits_by_players=TRUE", {1, 1, whole, true, true}},
      {"game_map_view_limits_by_players=yes", {1, 1, whole, false, true}},
      {"show_message_when_players_die=false", {1, 1, whole, false, false}}};
  for (const auto& [line, expected] : cases) {
    Write(line + "\r\n");
    ASSERT_TRUE(config::ReadConfig(config_)) << line;
    const config::GameSettings& s = config_.settings;
    const Read read{s.initialViewX, s.initialViewY, s.viewLimits, s.viewLimitsByPlayers, s.showMessageWhenPlayersDie};
    EXPECT_EQ(read, expected) << line;
  }
}

// "Projects\Demo\Map\" is 18 characters: a 45-character file name makes a 63-character path.
TEST_F(ConfigReader, MapPathLongerThan63CharactersIsRefused) {
  for (const std::size_t length : {45u, 46u}) {
    const std::string name = std::string(length - 5, 'm') + ".json";
    dir_.Write("Projects/Demo/Map/" + name, "{}");
    Write("tiled_game_map_file=" + name + "\r\n", false);
    EXPECT_EQ(config::ReadConfig(config_), length == 45);
    EXPECT_EQ(config_.settings.mapFilePath.size(), length == 45 ? 63u : 0u);
    EXPECT_NE(Transcript().find("'" + name + "' is longer than 63 characters") == std::string::npos, length == 46);
  }
}

}  // namespace
