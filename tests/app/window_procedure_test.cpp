#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/win_main.h"
#include "config/game_settings.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "platform/platform.h"
#include "support/test_world.h"

namespace {

using app::WindowProcedure;

class WindowProcedureTest : public testing_support::HeadlessWorld {
 protected:
  // The application's own state is reset around the world's.
  void SetUp() override {
    app::ResetApp();
    HeadlessWorld::SetUp();
  }
  void TearDown() override {
    app::ResetApp();
    HeadlessWorld::TearDown();
  }
  // A backend whose question boxes answer as told; the run ends after one pass at the latest.
  void UseAnswer(bool yes) {
    platform::HeadlessOptions options;
    options.answerYes = yes;
    options.frames = 1;
    Install(options);
    ASSERT_TRUE(app::CreateMainWindow(app::kWindowTitle, 1280, 832));
    transcript_.str("");
  }
  // Runs the message loop until it ends and returns the transcript's last line.
  std::string DrainUntilQuit() {
    platform::Message message;
    while (platform::Get().GetMessage(message)) WindowProcedure(message.id, message.wParam, message.lParam);
    std::string all = Transcript();
    auto start = all.rfind('\n', all.size() - 2);
    return all.substr(start == std::string::npos ? 0 : start + 1);
  }
};

TEST_F(WindowProcedureTest, EscapeCloseAndQuitMenuAllAskAndYesQuits) {
  const platform::Message asks[] = {{platform::kWmKeyDown, platform::kVkEscape, 0},
                                    {platform::kWmClose, 0, 0},
                                    {platform::kWmCommand, app::kMenuQuit, 0}};
  for (const auto& message : asks) {
    UseAnswer(true);
    EXPECT_EQ(WindowProcedure(message.id, message.wParam, message.lParam), 0);
    EXPECT_EQ(Transcript(),
              "0 box question owner=main caption=\"Quit game\" text=\"Quit game ?\" answer=yes\n");
    EXPECT_EQ(DrainUntilQuit(), "0 quit 0\n");  // quit at once, not by the pass limit
    EXPECT_TRUE(COrvantaEngine::IsPaused());      // the world stands still until the end
    COrvantaEngine::SetPaused(false);
  }
}

TEST_F(WindowProcedureTest, NoLeavesTheGameRunningAndUnpaused) {
  UseAnswer(false);
  WindowProcedure(platform::kWmKeyDown, platform::kVkEscape, 0);
  EXPECT_FALSE(COrvantaEngine::IsPaused());
  EXPECT_EQ(DrainUntilQuit(), "10 quit 0\n");  // only the pass limit ended it
}

TEST_F(WindowProcedureTest, QuitBoxInSpanish) {
  config::Launcher().language = config::Language::Spanish;
  UseAnswer(true);
  WindowProcedure(platform::kWmCommand, app::kMenuQuit, 0);
  EXPECT_EQ(Transcript(),
            "0 box question owner=main caption=\"Salir del juego\" text=\"\xC2\xBF Salir del juego ?\" "
            "answer=yes\n");
}

TEST_F(WindowProcedureTest, QuestionButtonsInTheGamesLanguage) {
  const struct {
    config::Language language;
    const char* yes;
  } cases[] = {{config::Language::English, "Yes"}, {config::Language::Spanish, "S\xED"}};
  for (const auto& c : cases) {
    config::Launcher().language = c.language;
    UseAnswer(true);
    EXPECT_EQ(headless_->MainWindow().yesButton, c.yes);
    EXPECT_EQ(headless_->MainWindow().noButton, "No");
  }
}

TEST_F(WindowProcedureTest, GameControlsInBothLanguages) {
  UseAnswer(true);
  WindowProcedure(platform::kWmCommand, app::kMenuGameControls, 0);
  std::string english = Transcript();
  EXPECT_EQ(english.rfind("0 box info owner=main caption=\"Game controls\" text=\"Scroll the game map -->", 0), 0u);
  EXPECT_NE(english.find("Press 'F' key\\n\\nThe red bar of selected item is his health level, the blue bar his "
                         "ammunition level.\" answer=ok\n"),
            std::string::npos);

  config::Launcher().language = config::Language::Spanish;
  transcript_.str("");
  WindowProcedure(platform::kWmCommand, app::kMenuGameControls, 0);
  std::string spanish = Transcript();
  EXPECT_EQ(spanish.rfind("0 box info owner=main caption=\"Controles del juego\" text=\"Desplazar el mapa", 0), 0u);
  EXPECT_NE(spanish.find("su nivel de munici\xC3\xB3n.\" answer=ok"), std::string::npos);
}

TEST_F(WindowProcedureTest, AboutTheGameNeedsANameOrADescription) {
  UseAnswer(true);
  WindowProcedure(platform::kWmCommand, app::kMenuAboutGame, 0);
  EXPECT_EQ(Transcript(), "");
  config::Settings().gameName = "Sunken Valley";
  WindowProcedure(platform::kWmCommand, app::kMenuAboutGame, 0);
  EXPECT_EQ(Transcript(), "0 box info owner=main caption=\"Sunken Valley\" text=\"\" answer=ok\n");
}

TEST_F(WindowProcedureTest, OtherMenusAboutBoxAndWebsite) {
  UseAnswer(true);
  WindowProcedure(platform::kWmCommand, 9999, 0);
  EXPECT_EQ(Transcript(), "");
  WindowProcedure(platform::kWmCommand, app::kMenuAboutEngine, 0);
  EXPECT_EQ(Transcript().rfind("0 box info owner=main caption=\"About Tessaloom 2D\"", 0), 0u);
  transcript_.str("");
  WindowProcedure(platform::kWmCommand, app::kMenuWebsite, 0);
  EXPECT_EQ(Transcript().rfind("0 url http", 0), 0u);
}

TEST_F(WindowProcedureTest, ShutdownJoinsTheGameLoop) {
  testing_support::UseDemoProject(dir_, "project_name=Demo\n");
  UseAnswer(true);
  ASSERT_TRUE(app::InitGame(""));
  EXPECT_EQ(app::App().running.load(), 1);
  ASSERT_TRUE(app::App().gameLoop.joinable());
  app::ShutdownGame();
  EXPECT_EQ(app::App().running.load(), 0);
  EXPECT_FALSE(app::App().gameLoop.joinable());
  EXPECT_FALSE(COrvantaEngine::Exists());
}

}  // namespace

namespace {

TEST(PlayersBoundingBox, SpansTheStartPositionsOrStaysUnset) {
  EXPECT_EQ(app::PlayersBoundingBox({}), (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(app::PlayersBoundingBox({{300, 200}}), (std::array<int, 4>{300, 200, 300, 200}));
  EXPECT_EQ(app::PlayersBoundingBox({{300, 200}, {100, 900}, {500, 50}}), (std::array<int, 4>{100, 50, 500, 900}));
}

}  // namespace
