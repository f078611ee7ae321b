// config.ini: every key, the range rules of the map view, and the boxes of each problem.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/music.h"
#include "config/autoexec_reader.h"
#include "config/config_reader.h"
#include "config/game_settings.h"
#include "config/launcher_settings.h"
#include "config_recording_platform.h"
#include "platform/ini.h"
#include "platform/text_encoding.h"
#include "support/test_world.h"

namespace {

using testing_support::RecordingPlatform;

constexpr const char* kCaption = "Fatal error in file config.ini";
constexpr const char* kMapNotNamed =
    "Section [config]:\nThe game map file in .json format exported from the 'Tiled' application "
    "has not been defined.\nYou must indicate it in the variable 'tiled_game_map_file'.";

class ConfigReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = std::make_unique<testing_support::ScopedCwd>(dir_.path());
    config::ResetLauncher();
    config::ResetSettings();
    platform::ClearIniCache();
    config::Launcher().projectName = "Demo";
    config::BuildProjectFolders("Demo");
    auto backend = std::make_unique<RecordingPlatform>();
    os_ = backend.get();
    platform::Install(std::move(backend));
    config::SetMusicStarter({});
  }

  void TearDown() override {
    audio::ShutdownMusic();
    config::SetMusicStarter({});
    platform::Install(nullptr);
    cwd_.reset();
  }

  // Writes config.ini with the given keys under [config].
  void WriteConfig(const std::string& keys) {
    platform::ClearIniCache();
    dir_.Write("Projects/Demo/Data/config.ini", "[config]\r\n" + keys);
  }

  // A config.ini that names an existing map, plus the given keys.
  void WriteValidConfig(const std::string& keys) {
    dir_.Write("Projects/Demo/Map/valley.json", "{}");
    WriteConfig("tiled_game_map_file=valley.json\r\n" + keys);
  }

  // Reads a fresh config.ini holding one key with the given value.
  void ReadWith(const std::string& key, const std::string& value) {
    config::ResetSettings();
    WriteValidConfig(key + "=" + value + "\r\n");
    ASSERT_TRUE(config::ReadConfig()) << key << "=" << value;
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : os_->Boxes()) texts.push_back(box.text);
    return texts;
  }

  testing_support::TempDir dir_;
  std::unique_ptr<testing_support::ScopedCwd> cwd_;
  RecordingPlatform* os_ = nullptr;
};

TEST_F(ConfigReaderTest, EmptyFileGivesOneBoxAboutTheUnnamedMap) {
  dir_.Write("Projects/Demo/Data/config.ini", "");

  EXPECT_FALSE(config::ReadConfig());

  ASSERT_EQ(os_->Boxes().size(), 1u);
  EXPECT_EQ(os_->Boxes()[0].caption, kCaption);
  EXPECT_EQ(os_->Boxes()[0].text, kMapNotNamed);
  EXPECT_EQ(os_->QuitRequests(), 1);
  EXPECT_TRUE(os_->Audio().empty());
  EXPECT_TRUE(os_->Titles().empty());
  EXPECT_TRUE(os_->Fonts().empty());
  EXPECT_EQ(config::Settings().fontNames[2], "Courier New");
}

TEST_F(ConfigReaderTest, MissingFileIsReportedAndReadingGoesOn) {
  EXPECT_FALSE(config::ReadConfig());
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"File Projects\\Demo\\Data\\config.ini not found",
                                                  kMapNotNamed}));
}

TEST_F(ConfigReaderTest, ReadsEveryKeyOfAValidFile) {
  dir_.Write("Projects/Demo/Fonts/Sans.ttf", "font");
  dir_.Write("Projects/Demo/Fonts/Bold.ttf", "font");
  dir_.Write("Projects/Demo/Scripts/start.txt", "");
  WriteValidConfig(
      "game_name=The Valley\r\n"
      "game_description=Cross the valley.\r\n"
      "font_0_name=Liberation Sans\r\n"
      "font_0_file=Sans.ttf\r\n"
      "font_1_file=Bold.ttf\r\n"
      "font_2_name=Serif Face\r\n"
      "initial_script=start.txt\r\n"
      "initial_game_map_view=  640, 320\r\n"
      "game_map_view_limits=64 128 4096,2048\r\n"
      "game_map_view_limits_by_players=true\r\n"
      "show_message_when_players_die=false\r\n");

  EXPECT_TRUE(config::ReadConfig());

  const config::GameSettings& s = config::Settings();
  EXPECT_TRUE(os_->Boxes().empty());
  EXPECT_EQ(os_->QuitRequests(), 0);
  EXPECT_EQ(os_->Titles(), std::vector<std::string>{"The Valley"});
  EXPECT_EQ(s.gameName, "The Valley");
  EXPECT_EQ(s.gameDescription, "Cross the valley.");
  // A file for font 1 without a face name registers the file and keeps the default face.
  EXPECT_EQ(os_->Fonts(), (std::vector<std::string>{"Projects\\Demo\\Fonts\\Sans.ttf",
                                                    "Projects\\Demo\\Fonts\\Bold.ttf"}));
  EXPECT_EQ(s.fontNames, (std::array<std::string, 3>{"Liberation Sans", "Courier New", "Serif Face"}));
  EXPECT_EQ(s.initialScriptPath, "Projects\\Demo\\Scripts\\start.txt");
  EXPECT_EQ(s.mapFilePath, "Projects\\Demo\\Map\\valley.json");
  EXPECT_EQ(s.initialViewX, 640);
  EXPECT_EQ(s.initialViewY, 320);
  EXPECT_EQ(s.viewLimits, (std::array<int, 4>{64, 128, 4096, 2048}));
  EXPECT_TRUE(s.viewLimitsByPlayers);
  EXPECT_FALSE(s.showMessageWhenPlayersDie);
  EXPECT_TRUE(s.musicPath.empty());
  EXPECT_TRUE(os_->Audio().empty());
}

TEST_F(ConfigReaderTest, LongTextsAreCutToTheirBuffers) {
  const std::string longName(200, 'n');
  const std::string longDescription(5000, 'd');
  WriteValidConfig("game_name=" + longName + "\r\ngame_description=" + longDescription + "\r\n");

  EXPECT_TRUE(config::ReadConfig());
  EXPECT_EQ(config::Settings().gameName, std::string(127, 'n'));
  EXPECT_EQ(config::Settings().gameDescription, std::string(4095, 'd'));
}

// A missing file is still handed to the system, which refuses it too; a file the system refuses
// gives one box.
TEST_F(ConfigReaderTest, FontFileProblemsGiveTheirBoxes) {
  dir_.Write("Projects/Demo/Fonts/broken.ttf", "not a font");
  WriteValidConfig("font_0_file=missing.ttf\r\nfont_2_file=broken.ttf\r\n");
  os_->fontsAccepted = false;

  EXPECT_FALSE(config::ReadConfig());

  EXPECT_EQ(BoxTexts(),
            (std::vector<std::string>{
                "Section [config]:\nFont file 'missing.ttf' not found in 'Fonts' folder.",
                "Section [config]:\nThe font file 'missing.ttf' is not valid.",
                "Section [config]:\nThe font file 'broken.ttf' is not valid."}));
  EXPECT_EQ(os_->Fonts(), (std::vector<std::string>{"Projects\\Demo\\Fonts\\missing.ttf",
                                                    "Projects\\Demo\\Fonts\\broken.ttf"}));
  EXPECT_EQ(os_->QuitRequests(), 3);
}

TEST_F(ConfigReaderTest, MissingScriptAndMapFilesAreReportedWithTheirPathsKept) {
  WriteConfig("initial_script=intro.txt\r\ntiled_game_map_file=nowhere.json\r\n");

  EXPECT_FALSE(config::ReadConfig());

  EXPECT_EQ(BoxTexts(),
            (std::vector<std::string>{
                "Section [config]:\nScript file 'intro.txt' not found in 'Scripts' folder.",
                "Section [config]:\nFile 'nowhere.json' not found in 'Map' folder."}));
  EXPECT_EQ(config::Settings().initialScriptPath, "Projects\\Demo\\Scripts\\intro.txt");
  EXPECT_EQ(config::Settings().mapFilePath, "Projects\\Demo\\Map\\nowhere.json");
}

// "Projects\Demo\Map\" is 18 characters: a 45-character file name makes a 63-character path.
TEST_F(ConfigReaderTest, MapPathLongerThan63CharactersIsRefused) {
  const std::string fits = std::string(40, 'm') + ".json";
  dir_.Write("Projects/Demo/Map/" + fits, "{}");
  WriteConfig("tiled_game_map_file=" + fits + "\r\n");
  EXPECT_TRUE(config::ReadConfig());
  EXPECT_EQ(config::Settings().mapFilePath.size(), 63u);

  config::ResetSettings();
  const std::string tooLong = std::string(41, 'm') + ".json";
  dir_.Write("Projects/Demo/Map/" + tooLong, "{}");
  WriteConfig("tiled_game_map_file=" + tooLong + "\r\n");
  EXPECT_FALSE(config::ReadConfig());
  ASSERT_EQ(os_->Boxes().size(), 1u);
  EXPECT_NE(os_->Boxes()[0].text.find("'" + tooLong + "' is longer than 63 characters"),
            std::string::npos);
  EXPECT_TRUE(config::Settings().mapFilePath.empty());
}

TEST_F(ConfigReaderTest, InitialViewIsKeptOnlyInsideTheMap) {
  struct Case {
    const char* value;
    int x, y;
  };
  for (const Case& c : {Case{"0, 500", 1, 1}, Case{"8191, 8191", 8191, 8191}, Case{"8192, 1", 1, 1},
                        Case{"500, -3", 1, 1}, Case{"1,1", 1, 1}, Case{"  ,300 40", 300, 40}}) {
    ReadWith("initial_game_map_view", c.value);
    EXPECT_EQ(config::Settings().initialViewX, c.x) << c.value;
    EXPECT_EQ(config::Settings().initialViewY, c.y) << c.value;
  }
}

TEST_F(ConfigReaderTest, ViewLimitsAreClampedToTheMap) {
  struct Case {
    const char* value;
    std::array<int, 4> limits;
  };
  for (const Case& c : {Case{"-50, -50, 9000, 9000", {0, 0, 8192, 8192}},
                        Case{"100, 200", {100, 200, 0, 0}},
                        Case{"900 800 100 50", {900, 800, 100, 50}}}) {
    ReadWith("game_map_view_limits", c.value);
    EXPECT_EQ(config::Settings().viewLimits, c.limits) << c.value;
  }
}

TEST_F(ConfigReaderTest, FlagsChangeOnlyOnTheirOneWord) {
  for (const char* word : {"TRUE", "true", "True"}) {
    ReadWith("game_map_view_limits_by_players", word);
    EXPECT_TRUE(config::Settings().viewLimitsByPlayers) << word;
  }
  for (const char* word : {"yes", "1", "true!"}) {
    ReadWith("game_map_view_limits_by_players", word);
    EXPECT_FALSE(config::Settings().viewLimitsByPlayers) << word;
  }
  ReadWith("show_message_when_players_die", "FALSE");
  EXPECT_FALSE(config::Settings().showMessageWhenPlayersDie);
  for (const char* word : {"no", "0", "true"}) {
    ReadWith("show_message_when_players_die", word);
    EXPECT_TRUE(config::Settings().showMessageWhenPlayersDie) << word;
  }
}

TEST_F(ConfigReaderTest, SpanishTextsFollowTheLanguageFlag) {
  config::Launcher().language = config::Language::Spanish;
  config::SetMusicStarter([](const std::string&) {});
  WriteConfig(
      "background_music_file=tema.mid\r\nfont_1_file=letra.ttf\r\n"
      "initial_script=inicio.txt\r\n");

  EXPECT_FALSE(config::ReadConfig());

  ASSERT_FALSE(os_->Boxes().empty());
  EXPECT_EQ(os_->Boxes()[0].caption, "Error fatal en el fichero config.ini");
  const std::vector<std::string> expected = {
      "Sección [config]:\nNo existe el fichero de música 'tema.mid' en la carpeta 'Sounds'.",
      "Sección [config]:\nFichero de tipo de letra 'letra.ttf' no existe en la carpeta 'Fonts'.",
      "Sección [config]:\nEl fichero de tipo de letra 'letra.ttf' no es válido.",
      "Sección [config]:\nNo existe el fichero de Script 'inicio.txt' en la carpeta 'Scripts'.",
      "Sección [config]:\nNo se ha definido el fichero de mapa del juego en formato .json exportado "
      "desde la aplicación 'Tiled'.\nDebes indicarlo en la variable 'tiled_game_map_file'."};
  std::vector<std::string> expected1252;
  for (const auto& text : expected) expected1252.push_back(platform::Cp1252FromUtf8(text));
  EXPECT_EQ(BoxTexts(), expected1252);
}

TEST_F(ConfigReaderTest, SpanishMissingFileAndMissingMapTexts) {
  config::Launcher().language = config::Language::Spanish;
  EXPECT_FALSE(config::ReadConfig());
  ASSERT_EQ(os_->Boxes().size(), 2u);
  EXPECT_EQ(os_->Boxes()[0].text, "No existe el fichero Projects\\Demo\\Data\\config.ini");

  WriteConfig("tiled_game_map_file=perdido.json\r\n");
  EXPECT_FALSE(config::ReadConfig());
  EXPECT_EQ(os_->Boxes().back().text,
            platform::Cp1252FromUtf8(
                "Sección [config]:\nNo existe el fichero 'perdido.json' en la carpeta 'Map'."));
}

TEST_F(ConfigReaderTest, MusicStartsEvenWhenItsFileIsMissing) {
  config::SetMusicStarter(audio::StartMusic);
  WriteValidConfig("background_music_file=missing tune.mid\r\n");

  EXPECT_FALSE(config::ReadConfig());
  audio::ShutdownMusic();

  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Section [config]:\nMusic file 'missing tune.mid' "
                                                 "not found in 'Sounds' folder."});
  EXPECT_EQ(config::Settings().musicPath, "Projects\\Demo\\Sounds\\missing tune.mid");
  // The start thread made the player, whose open failed; shutdown then closed everything.
  EXPECT_EQ(os_->Audio(), (std::vector<std::string>{"close all",
                                                    "open Projects\\Demo\\Sounds\\missing tune.mid",
                                                    "close all"}));
}

TEST_F(ConfigReaderTest, MusicStartsOnlyWhenNamed) {
  std::vector<std::string> started;
  config::SetMusicStarter([&started](const std::string& path) { started.push_back(path); });
  WriteValidConfig("game_name=Quiet\r\n");
  EXPECT_TRUE(config::ReadConfig());
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(config::Settings().musicPath.empty());

  dir_.Write("Projects/Demo/Sounds/theme.mid", "MThd");
  WriteValidConfig("background_music_file=theme.mid\r\n");
  EXPECT_TRUE(config::ReadConfig());
  EXPECT_EQ(started, std::vector<std::string>{"Projects\\Demo\\Sounds\\theme.mid"});
  EXPECT_EQ(config::Settings().musicPath, started[0]);
  EXPECT_TRUE(os_->Audio().empty());
}

// The bundled demo's config.ini names files that ship with it.
TEST_F(ConfigReaderTest, DemoProjectConfigReadsCleanly) {
  testing_support::ScopedCwd source(TL_SOURCE_DIR);
  platform::ClearIniCache();

  EXPECT_TRUE(config::ReadConfig());

  EXPECT_TRUE(os_->Boxes().empty()) << (os_->Boxes().empty() ? "" : os_->Boxes()[0].text);
  EXPECT_FALSE(config::Settings().gameName.empty());
  EXPECT_EQ(config::Settings().musicPath, "Projects\\Demo\\Sounds\\demo_theme.mid");
  EXPECT_EQ(os_->Fonts().size(), 2u);
  EXPECT_TRUE(config::Settings().initialScriptPath.empty());
}

}  // namespace
