#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine_state_json.h"
#include "engine_test_support.h"
#include "platform/text_encoding.h"

namespace enginetest {
namespace {

class HudMessages : public EngineTest {
 protected:
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    const nlohmann::json dump = EngineStateJson();
    for (const auto& message : dump["messages"]) texts.push_back(message["text"]);
    return texts;
  }
  int LinesHeight() {
    int total = 0;
    for (const engine::MessageSlot& slot : State().messages) total += slot.used ? slot.lineHeight : 0;
    return total;
  }
  // The panel's pixel at (x, y) is lit (anything but the cleared black).
  bool Lit(int x, int y) { return State().messagePanel.GetPixel(x, y) != 0; }
};

TEST_F(HudMessages, SixSlotsNewestAtTheBottomOfPanelEndingAboveTheWindowBottom) {
  for (int i = 1; i <= 7; ++i) COrvantaEngine::AddHudMessage("message " + std::to_string(i), 1, 0);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"message 1", "message 2", "message 3", "message 4", "message 5",
                                               "message 6"}));
  EXPECT_EQ(State().messageCount, 6);
  const engine::MessageSlot& first = State().messages[0];
  EXPECT_GT(first.lineHeight, 2);
  EXPECT_EQ(State().messagePanelTop + LinesHeight(), kH - 65);
  EXPECT_EQ(State().messagePanel.GetHeight(), LinesHeight() + 4);
  EXPECT_EQ(State().messagePanel.GetWidth(), first.lineWidth + 32);
  // Text begins at x = 24: nothing is drawn in the icon column without an info icon.
  bool iconColumnLit = false;
  for (int y = 0; y < State().messagePanel.GetHeight(); ++y) {
    for (int x = 0; x < 24; ++x) iconColumnLit |= Lit(x, y);
  }
  EXPECT_FALSE(iconColumnLit);
}

TEST_F(HudMessages, OldestLeaveFirstAndTheOthersMoveUp) {
  UseMap(0, 0);
  COrvantaEngine::AddHudMessage("first", 1, 0);
  Advance(2000);
  COrvantaEngine::AddHudMessage("second", 1, 0);
  COrvantaEngine::AddHudMessage("third", 1, 0);
  const int topWithThree = State().messagePanelTop;
  const int lineHeight = State().messages[0].lineHeight;
  Advance(2999);
  COrvantaEngine::Render();
  EXPECT_EQ(Texts().size(), 3u);
  Advance(1);  // 5000 ms after the first
  COrvantaEngine::Render();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"second", "third"}));
  EXPECT_EQ(State().messagePanelTop, topWithThree + lineHeight);
  // Both are due now: the one that moves into the freed slot waits for the next pass.
  Advance(2000);
  COrvantaEngine::Render();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"third"}));
  COrvantaEngine::Render();
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(State().messageCount, 0);
}

TEST_F(HudMessages, WhileFpsIsShownTheExpiryPassRunsOnlyAtTheRefresh) {
  UseMap(0, 0);
  Key('F');
  COrvantaEngine::Render();  // refresh at t0
  Advance(100);
  COrvantaEngine::AddHudMessage("late", 1, 0);  // leaves at t0 + 5100
  Advance(4950);
  COrvantaEngine::Render();  // t0 + 5050: refresh, still young
  EXPECT_EQ(Texts().size(), 1u);
  Advance(150);
  COrvantaEngine::Render();  // t0 + 5200: past its time, but no refresh in this frame
  EXPECT_EQ(Texts().size(), 1u);
  Advance(850);
  COrvantaEngine::Render();  // t0 + 6050: the next refresh removes it
  EXPECT_TRUE(Texts().empty());
}

TEST_F(HudMessages, EmptyTextOnlyRebuildsAndLongTextsAreCut) {
  COrvantaEngine::AddHudMessage("", 1, 0);
  EXPECT_EQ(State().messageCount, 0);
  EXPECT_TRUE(Texts().empty());
  COrvantaEngine::AddHudMessage(std::string(200, 'w'), 1, 0);
  EXPECT_EQ(State().messages[0].text.size(), 130u);
  EXPECT_EQ(State().messagePanel.GetWidth(), 400 + 32) << "panel width is capped";
  COrvantaEngine::AddHudMessage("", 1, 0);
  EXPECT_EQ(State().messageCount, 1);
}

TEST_F(HudMessages, IconsForPlainAndObjectMessages) {
  // The info icon from the System folder; the object's icon drawn at half size.
  CBitmapSurface info;
  info.Create(12, 12);
  info.Clear(0x0000FF);
  std::filesystem::create_directory("Sys");
  ASSERT_TRUE(info.SaveFile("Sys\\info_icon.bmp"));
  engine_.reset();
  engine_ = std::make_unique<COrvantaEngine>();
  auto* icon = new CBitmapSurface;  // the definition tables hand their icons to the engine
  icon->Create(32, 32);
  icon->Clear(0x00FF00);
  for (int i = 0; i < 4; ++i) icon->SetPixel(i % 2, i / 2, 0xBF7BC7);  // keyed corner, any sampling
  config::Tables().objects[3].icon = icon;
  COrvantaEngine::AddHudMessage("plain", 1, 0);
  COrvantaEngine::AddHudMessage("object", 2, 3);
  COrvantaEngine::AddHudMessage("unknown object", 2, 65);
  const int second = State().messages[0].lineHeight;
  const CBitmapSurface& panel = State().messagePanel;
  EXPECT_EQ(panel.GetPixel(5, 6), 0x0000FFu);
  EXPECT_EQ(panel.GetPixel(16, 17), 0x0000FFu);
  EXPECT_EQ(panel.GetPixel(17, 6), 0u);
  EXPECT_EQ(panel.GetPixel(5, second + 6), 0u) << "key colour is not drawn";
  EXPECT_EQ(panel.GetPixel(6, second + 6), 0x00FF00u);
  EXPECT_EQ(panel.GetPixel(20, second + 21), 0x00FF00u);
  EXPECT_EQ(panel.GetPixel(21, second + 21), 0u) << "half of 32 pixels";
  EXPECT_EQ(panel.GetPixel(20, second + 22), 0u);
  engine_.reset();
  EXPECT_EQ(config::Tables().objects[3].icon, nullptr) << "the engine released the object icon";
}

TEST_F(HudMessages, StateDumpGivesTextsInUtf8) {
  COrvantaEngine::AddHudMessage(platform::Cp1252FromUtf8("Has conseguido munición +25"), 1, 0);
  COrvantaEngine::AddHudMessage("You obtained Key x1", 2, 7);
  const nlohmann::json dump = EngineStateJson();
  EXPECT_EQ(dump["messages"][0]["text"], "Has conseguido munición +25");
  EXPECT_EQ(dump["messages"][1]["kind"], 2);
  EXPECT_EQ(dump["messages"][1]["object"], 7);
  EXPECT_EQ(dump["camera"], nlohmann::json::array({0, 0}));
  EXPECT_EQ(dump["fps_shown"], false);
  EXPECT_EQ(dump["banner_shown"], false);
  COrvantaEngine::SetPaused(true);
  EXPECT_EQ(EngineStateJson()["paused"], true);
}

}  // namespace
}  // namespace enginetest
