#include <gtest/gtest.h>

#include <algorithm>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineUpdate : public EngineTest {};

TEST_F(EngineUpdate, StepsAtMostEvery10MsAndStandsStillWhilePaused) {
  UseMap(320, 320);
  Input(platform::kWmMouseMove, 0, 30, 200);  // in the left edge band: one step scrolls 10 left
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 310);
  Advance(5);
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 310) << "a call 5 ms after a step runs no step";
  Advance(5);
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 300);

  COrvantaEngine::SetPaused(true);
  const int presentedBefore = os_->presented;
  for (int i = 0; i < 5; ++i) {
    Advance(50);
    COrvantaEngine::Update();
    COrvantaEngine::Render();
  }
  EXPECT_EQ(CameraX(), 300);
  EXPECT_EQ(os_->presented - presentedBefore, 5) << "rendering goes on while paused";
  COrvantaEngine::SetPaused(false);
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 290);
}

TEST_F(EngineUpdate, EdgeScrollingFollowsTheMapRulesAndWaitsForTheDrag) {
  UseMap(35, 320);
  Input(platform::kWmMouseMove, 0, 30, 200);
  std::vector<int> seen;
  for (int i = 0; i < 6; ++i) {
    COrvantaEngine::Update();
    seen.push_back(CameraX());
    Advance(10);
  }
  EXPECT_EQ(seen, (std::vector<int>{25, 15, 5, 0, 0, 0}));

  Input(platform::kWmMouseMove, 0, kW - 8, 200);  // just past the end of the right band
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 0);
  Advance(10);
  Input(platform::kWmMouseMove, 0, kW - 9, 200);
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 10);

  // A drag that ends in the band does not scroll until the button is released.
  Input(platform::kWmLButtonDown, platform::kMkLButton, 300, 200);
  Input(platform::kWmMouseMove, platform::kMkLButton, 30, 200);
  Advance(10);
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 10);
  Input(platform::kWmLButtonUp, 0, 30, 200);
  Advance(10);
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 0);
}

TEST_F(EngineUpdate, KeyAndWheelMessagesDoNotMoveThePointer) {
  UseMap(320, 320);
  Input(platform::kWmMouseMove, 0, 300, 200);
  Input(platform::kWmMouseWheel, platform::MakeWheelWParam(120, 0), 30, 200);
  COrvantaEngine::OnInput(platform::kWmKeyDown, 'Q', platform::MakeLParam(30, 200));
  COrvantaEngine::Update();
  EXPECT_EQ(CameraX(), 320);
  EXPECT_EQ(State().pointerX, 300);
}

TEST_F(EngineUpdate, VisitsUnitsInTableOrderWithTheirHooksInOrder) {
  std::vector<std::string> log;
  CGameSprite* sprite = MakeSprite(16, 16);
  ProbeUnit* a = AddProbe(log, "a", sprite, 0, 0);
  ProbeUnit* b = AddProbe(log, "b", sprite, 0, 0);
  b->isBot = true;
  COrvantaEngine::Update();
  EXPECT_EQ(log, (std::vector<std::string>{"a:step", "a:contacts", "a:map", "b:step", "b:contacts", "b:map",
                                           "b:bot"}));

  // Expiry, rest of a projectile and respawn are decided by the engine from the unit's fields.
  log.clear();
  a->expiry = os_->now + 15;
  a->moving = true;
  b->isProjectile = true;
  b->respawnEnabled = true;
  b->respawnDue = os_->now + 5;
  Advance(10);
  COrvantaEngine::Update();
  EXPECT_TRUE(a->IsVisible()) << "not expired yet";
  EXPECT_FALSE(b->IsVisible()) << "a projectile at rest disappears in the same step";
  EXPECT_EQ(log.back(), "b:respawn");
  Advance(10);
  COrvantaEngine::Update();
  EXPECT_FALSE(a->IsVisible());
  EXPECT_EQ(a->expiry, 0u);
}

TEST_F(EngineUpdate, BotPassOncePerSecondAndASecondWithoutStepIsLost) {
  std::vector<std::string> log;
  ProbeUnit* bot = AddProbe(log, "bot", MakeSprite(16, 16), 0, 0);
  bot->isBot = true;
  auto botPasses = [&] { return std::count(log.begin(), log.end(), "bot:bot"); };
  COrvantaEngine::Update();  // t = 0: step and bot pass
  EXPECT_EQ(botPasses(), 1);
  Advance(995);
  COrvantaEngine::Update();  // t = 995: step only
  Advance(6);
  COrvantaEngine::Update();  // t = 1001: the second is due but no step runs (6 ms)
  Advance(4);
  COrvantaEngine::Update();  // t = 1005: step, but the second was used up
  EXPECT_EQ(botPasses(), 1);
  Advance(1000);
  COrvantaEngine::Update();  // t = 2005: the next second with a step
  EXPECT_EQ(botPasses(), 2);

  // Scripted, blocked, invisible or non-mobile bots are left out.
  bot->scripted = true;
  Advance(1001);
  COrvantaEngine::Update();
  EXPECT_EQ(botPasses(), 2);
}

}  // namespace
}  // namespace enginetest
