// One frame: units by depth, the FPS figure's counting, the death banner's grey freeze, and the
// message panel's six slots, each message leaving five seconds after it was posted.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine_state_json.h"
#include "engine/hud_style.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

using Strings = std::vector<std::string>;

class EngineRender : public EngineTest {
 protected:
  Strings Texts() {
    Strings texts;
    const nlohmann::json dump = EngineStateJson(engine_.get());
    for (const auto& message : dump["messages"]) texts.push_back(message["text"]);
    return texts;
  }
  bool FrameIsGrey() {
    const CBitmapSurface& frame = State().backBuffer;
    return std::all_of(frame.Pixels(), frame.Pixels() + frame.GetWidth() * frame.GetHeight(), [](uint32_t p) {
      return ((p >> 16) & 0xFF) == ((p >> 8) & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF);
    });
  }
};

TEST_F(EngineRender, UnitsAreDrawnByDepthAndOnlyWhenInView) {
  UseMap(100, 100);
  // Depth key = y + box top + (box bottom - box top) / 2; y, top or bottom alone order them otherwise.
  AddProbe("tall", 200, 200, {0, 0, 30, 100});      // 250
  AddProbe("sunk", 200, 150, {0, 120, 30, 140});    // 280
  AddProbe("hang", 200, 230, {0, 0, 30, 60});       // 260
  AddProbe("flat", 200, 255);                       // 255
  AddProbe("edge", 100 - 32, 400, {0, 0, 30, 40});  // touches the view's left edge: 420
  AddProbe("outside", 100 - 33, 400);
  AddProbe("right", 100 + kW, 150, {0, 0, 0, 2});  // on the right edge: 151
  AddProbe("hidden", 300, 300)->SetVisible(false, 0);
  engine_->Render();
  EXPECT_EQ(log_, (Strings{"right:draw", "tall:draw", "flat:draw", "hang:draw", "sunk:draw", "edge:draw"}));
}

// While hidden the figure's count runs on: the first one shown covers every frame since the
// last refresh; after that it refreshes once a second.
TEST_F(EngineRender, FirstFpsFigureCountsEveryFrameSinceTheLastRefresh) {
  UseMap(0, 0);
  for (int i = 0; i < 37; ++i, Advance(3)) engine_->Render();
  Input(platform::kWmKeyDown, 'F', 0, 0);
  Strings shown, expected(10, "FPS: 38");
  for (int i = 0; i <= 10; ++i, Advance(100)) {
    engine_->Render();
    shown.push_back(State().hud.fpsText);
  }
  expected.push_back("FPS: 10");
  EXPECT_EQ(shown, expected);
}

TEST_F(EngineRender, DeathBannerFreezesTheWorldInGreyForSixSecondsWhenDeathsAreShown) {
  for (const bool shown : {true, false}) {
    SCOPED_TRACE(shown);
    TearDown();
    SetUp();
    config_.settings.showMessageWhenPlayersDie = shown;
    UseMap(320, 320);
    Input(platform::kWmMouseMove, 0, 30, 200);  // scrolls 10 left per step
    engine_->ShowDeathBanner("Ann", "Eliminated");
    using Seen = std::vector<std::pair<int, bool>>;
    Seen seen;                                    // camera x and grey frame
    for (const uint32_t ms : {0u, 6000u, 10u}) {  // the banner's start, exactly 6000 ms, past it
      Advance(ms);
      engine_->Render();  // a frame past the banner's time ends it
      engine_->Update();
      engine_->Render();
      seen.emplace_back(CameraX(), FrameIsGrey());
    }
    EXPECT_EQ(seen,
              (shown ? Seen{{320, true}, {320, true}, {310, false}} : Seen{{310, false}, {300, false}, {290, false}}));
  }
}

// Each text the frame shows is told once, by the pass that first draws it, in drawing order:
// units (a bubble, then the name it brings), then the HUD's messages, picture and banner.
TEST_F(EngineRender, EachTextIsToldOnceWhenAFrameFirstShowsIt) {
  UseMap(0, 0);
  config_.settings.showMessageWhenPlayersDie = true;
  auto add = [&](const std::string& name, int x) {
    CGameUnit* unit = Register(std::make_unique<CGameUnit>(), x, 100, {0, 0, 32, 48});
    unit->SetName(name);
    return unit;
  };
  CGameUnit* guard = add("Old Guard", 100);
  CGameUnit* anonymous = add("", 300);
  add("Far", kW + 100);  // out of view: its bubble is not seen
  engine_->AddHudMessage("one", 1, 0);
  engine_->Render();
  engine_->AddHudMessage("two", 1, 0);
  for (CGameUnit* unit : {guard, anonymous, engine_->UnitAt(2)}) {
    unit->SetBubbleText("Halt\\nthere", engine::hud::Face(config_.settings, 0));
    unit->ShowBubble(true, 0, 0);
  }
  engine_->Render();
  engine_->Render();
  CBitmapSurface picture;
  picture.Create(8, 8);
  ASSERT_TRUE(engine_->ShowImageDialog(picture, "map.bmp"));
  engine_->ShowDeathBanner("Ann", "Eliminated");
  guard->SetBubbleText("Again",
                       engine::hud::Face(config_.settings, 0));  // a new text in the bubble on show is told again
  guard->selected = true;                                        // the name stays on show: not told again
  engine_->Render();
  engine_->Render();
  EXPECT_EQ(os_->shown, (Strings{"hud : one", "bubble Old_Guard: Halt\nthere", "name Old_Guard: Old Guard",
                                 "bubble #1: Halt\nthere", "hud : two", "bubble Old_Guard: Again", "image : map.bmp",
                                 "banner : Ann\nEliminated"}));
}

TEST_F(EngineRender, MessagesSixShownTheOldestLeavingFirstAndTheOthersMovingUp) {
  UseMap(0, 0);
  engine_->AddHudMessage("", 1, 0);  // an empty text only rebuilds the panel
  for (int i = 1; i <= 7; ++i) {
    if (i == 3) Advance(2000);
    std::string text = "m";
    text += std::to_string(i);
    engine_->AddHudMessage(text, 1, 0);
  }
  EXPECT_EQ(Texts(), (Strings{"m1", "m2", "m3", "m4", "m5", "m6"}));
  const int topWithSix = State().hud.messagePanelTop;
  Advance(2999);
  engine_->Render();
  EXPECT_EQ(Texts().size(), 6u);
  Advance(1);  // 5000 ms after the first two
  engine_->Render();
  EXPECT_EQ(Texts(), (Strings{"m2", "m3", "m4", "m5", "m6"}));
  EXPECT_EQ(State().hud.messagePanelTop, topWithSix + State().hud.messages[0].lineHeight);
  // Both were due: the one that moved into the freed slot waits for the next pass.
  engine_->Render();
  EXPECT_EQ(Texts(), (Strings{"m3", "m4", "m5", "m6"}));
}

}  // namespace
}  // namespace enginetest
