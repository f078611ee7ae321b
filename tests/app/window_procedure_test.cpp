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
  EXPECT_EQ(headless_->MainWindow().yesButton, "Yes");
  WindowProcedure(*world_, platform::kWmKeyDown, platform::kVkEscape, 0);
  EXPECT_FALSE(world_->engine->IsPaused());
  EXPECT_EQ(DrainUntilQuit(), "10 quit 0\n");  // only the pass limit ended it
}

// The quit box's buttons speak the game's language (the Spanish box itself: launcher_e2e_test).
TEST_F(WindowProcedureTest, QuestionButtonsInSpanish) {
  world_->config.launcher.language = config::Language::Spanish;
  UseAnswer(true);
  EXPECT_EQ(headless_->MainWindow().yesButton, "S\xED");
  EXPECT_EQ(headless_->MainWindow().noButton, "No");
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

// About the game needs a name or a description; unknown commands do nothing.
TEST_F(WindowProcedureTest, HelpMenuBoxesAndWebsite) {
  UseAnswer(true);
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuAboutGame, 0);
  WindowProcedure(*world_, platform::kWmCommand, 9999, 0);
  EXPECT_EQ(Transcript(), "");
  world_->config.settings.gameName = "Sunken Valley";
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuAboutGame, 0);
  EXPECT_EQ(Transcript(), "0 box info owner=main caption=\"Sunken Valley\" text=\"\" answer=ok\n");
  transcript_.str("");
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuAboutEngine, 0);
  EXPECT_EQ(Transcript().rfind("0 box info owner=main caption=\"About Tessaloom 2D\"", 0), 0u);
  transcript_.str("");
  WindowProcedure(*world_, platform::kWmCommand, app::kMenuWebsite, 0);
  EXPECT_EQ(Transcript().rfind("0 url http", 0), 0u);
}

TEST(PlayersBoundingBox, SpansTheStartPositionsOrStaysUnset) {
  EXPECT_EQ(app::PlayersBoundingBox({}), (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(app::PlayersBoundingBox({{300, 200}}), (std::array<int, 4>{300, 200, 300, 200}));
  EXPECT_EQ(app::PlayersBoundingBox({{300, 200}, {100, 900}, {500, 50}}), (std::array<int, 4>{100, 50, 500, 900}));
}

}  // namespace
