#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/win_main.h"
#include "app/world.h"
#include "config/game_settings.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "platform/platform.h"
#include "support/test_world.h"

namespace {

using app::WindowProcedure;

class WindowProcedureTest : public testing_support::HeadlessWorld {
 protected:
  // A fresh game world beside the test world's tables and backend.
  void SetUp() override {
    HeadlessWorld::SetUp();
    world_ = std::make_unique<app::World>();
  }
  void TearDown() override {
    world_.reset();
    HeadlessWorld::TearDown();
  }
  // A backend whose question boxes answer as told; the run ends after one pass at the latest.
  void UseAnswer(bool yes) {
    platform::HeadlessOptions options;
    options.answerYes = yes;
    options.frames = 1;
    Install(options);
    ASSERT_TRUE(app::CreateMainWindow(world_->config.language(), app::kWindowTitle, 1280, 832));
    world_->engine = std::make_unique<COrvantaEngine>(world_->config);  // the world a quit question pauses
    transcript_.str("");
  }
  // Runs the message loop until it ends and returns the transcript's last line.
  std::string DrainUntilQuit() {
    platform::Message message;
    while (platform::Get().GetMessage(message)) WindowProcedure(*world_, message.id, message.wParam, message.lParam);
    std::string all = Transcript();
    auto start = all.rfind('\n', all.size() - 2);
    return all.substr(start == std::string::npos ? 0 : start + 1);
  }

  std::unique_ptr<app::World> world_;
};

TEST_F(WindowProcedureTest, EscapeCloseAndQuitMenuAllAskAndYesQuits) {
  const platform::Message asks[] = {{platform::kWmKeyDown, platform::kVkEscape, 0},
                                    {platform::kWmClose, 0, 0},
                                    {platform::kWmCommand, app::kMenuQuit, 0}};
  for (const auto& message : asks) {
    UseAnswer(true);
    EXPECT_EQ(WindowProcedure(*world_, message.id, message.wParam, message.lParam), 0);
    EXPECT_EQ(Transcript(), "0 box question owner=main caption=\"Quit game\" text=\"Quit game ?\" answer=yes\n");
    EXPECT_EQ(DrainUntilQuit(), "0 quit 0\n");  // quit at once, not by the pass limit
    EXPECT_TRUE(world_->engine->IsPaused());    // the world stands still until the end
    world_->engine->SetPaused(false);
  }
}

TEST_F(WindowProcedureTest, NoLeavesTheGameRunningAndUnpaused) {
  UseAnswer(false);
  WindowProcedure(*world_, platform::kWmKeyDown, platform::kVkEscape, 0);
  EXPECT_FALSE(world_->engine->IsPaused());
  EXPECT_EQ(DrainUntilQuit(), "10 quit 0\n");  // only the pass limit ended it
}

TEST_F(WindowProcedureTest, QuitBoxInSpanish) {
  world_->config.launcher.language = config::Language::Spanish;
  UseAnswer(true);
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuQuit, 0);
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
    world_->config.launcher.language = c.language;
    UseAnswer(true);
    EXPECT_EQ(headless_->MainWindow().yesButton, c.yes);
    EXPECT_EQ(headless_->MainWindow().noButton, "No");
  }
}

TEST_F(WindowProcedureTest, GameControlsInBothLanguages) {
  UseAnswer(true);
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuGameControls, 0);
  std::string english = Transcript();
  EXPECT_EQ(english.rfind("0 box info owner=main caption=\"Game controls\" text=\"Scroll the game map -->", 0), 0u);
  EXPECT_NE(english.find("Press 'F' key\\n\\nThe red bar of selected item is his health level, the blue bar his "
                         "ammunition level.\" answer=ok\n"),
            std::string::npos);

  world_->config.launcher.language = config::Language::Spanish;
  transcript_.str("");
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuGameControls, 0);
  std::string spanish = Transcript();
  EXPECT_EQ(spanish.rfind("0 box info owner=main caption=\"Controles del juego\" text=\"Desplazar el mapa", 0), 0u);
  EXPECT_NE(spanish.find("su nivel de munici\xC3\xB3n.\" answer=ok"), std::string::npos);
}

TEST_F(WindowProcedureTest, AboutTheGameNeedsANameOrADescription) {
  UseAnswer(true);
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuAboutGame, 0);
  EXPECT_EQ(Transcript(), "");
  world_->config.settings.gameName = "Sunken Valley";
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuAboutGame, 0);
  EXPECT_EQ(Transcript(), "0 box info owner=main caption=\"Sunken Valley\" text=\"\" answer=ok\n");
}

TEST_F(WindowProcedureTest, OtherMenusAboutBoxAndWebsite) {
  UseAnswer(true);
  WindowProcedure(*world_, platform::kWmCommand, 9999, 0);
  EXPECT_EQ(Transcript(), "");
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuAboutEngine, 0);
  EXPECT_EQ(Transcript().rfind("0 box info owner=main caption=\"About Tessaloom 2D\"", 0), 0u);
  transcript_.str("");
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuWebsite, 0);
  EXPECT_EQ(Transcript().rfind("0 url http", 0), 0u);
}

TEST_F(WindowProcedureTest, ShutdownJoinsTheGameLoop) {
  testing_support::UseDemoProject(dir_, "project_name=Demo\n");
  UseAnswer(true);
  ASSERT_TRUE(app::InitGame(*world_, ""));
  EXPECT_EQ(world_->running.load(), 1);
  ASSERT_TRUE(world_->gameLoop.joinable());
  app::ShutdownGame(*world_);
  EXPECT_EQ(world_->running.load(), 0);
  EXPECT_FALSE(world_->gameLoop.joinable());
  EXPECT_EQ(world_->engine, nullptr);
}

}  // namespace

namespace {

TEST(PlayersBoundingBox, SpansTheStartPositionsOrStaysUnset) {
  EXPECT_EQ(app::PlayersBoundingBox({}), (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(app::PlayersBoundingBox({{300, 200}}), (std::array<int, 4>{300, 200, 300, 200}));
  EXPECT_EQ(app::PlayersBoundingBox({{300, 200}, {100, 900}, {500, 50}}), (std::array<int, 4>{100, 50, 500, 900}));
}

}  // namespace
