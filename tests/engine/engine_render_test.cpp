#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "config/game_settings.h"
#include "engine/world_lock.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineRender : public EngineTest {};

bool AllGrey(const std::vector<uint32_t>& frame) {
  return std::all_of(frame.begin(), frame.end(), [](uint32_t p) {
    return ((p >> 16) & 0xFF) == ((p >> 8) & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF);
  });
}

TEST_F(EngineRender, WithoutAMapNothingIsPresented) {
  COrvantaEngine::Render();
  EXPECT_EQ(os_->presented, 0);
  UseMap(0, 0);
  COrvantaEngine::Render();
  EXPECT_EQ(os_->presented, 1);
  const std::vector<uint32_t> frame = os_->Frame();
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kW * kH));
  // Bottom-up rows: the last stored row is the top of the picture, cell (0, 0) then (0, 1).
  EXPECT_EQ(frame[static_cast<std::size_t>((kH - 1) * kW)], TileColor(0));
  EXPECT_EQ(frame[static_cast<std::size_t>((kH - 1) * kW + 64)], TileColor(1));
}

TEST_F(EngineRender, UnitsAreDrawnByDepthAndOnlyWhenInView) {
  UseMap(100, 100);
  std::vector<std::string> log;
  CGameSprite* sprite = MakeSprite(32, 48);
  // Depth key = y + box top + (box bottom - box top) / 2.
  AddProbe(log, "low", sprite, 200, 300, {0, 10, 30, 40});      // 325
  AddProbe(log, "high", sprite, 220, 200, {0, 0, 30, 40});      // 220
  AddProbe(log, "middle", sprite, 240, 290, {0, -20, 30, 0});   // 280
  AddProbe(log, "edge", sprite, 100 - 32, 400, {0, 0, 30, 40}); // touches the view's left edge: 420
  AddProbe(log, "outside", sprite, 100 - 33, 400, {0, 0, 0, 0});
  AddProbe(log, "right", sprite, 100 + kW, 150, {0, 0, 0, 2});  // on the right edge: 151
  ProbeUnit* hidden = AddProbe(log, "hidden", sprite, 300, 300);
  hidden->SetVisible(false);
  COrvantaEngine::Render();
  EXPECT_EQ(log, (std::vector<std::string>{"right:draw@100,100", "high:draw@100,100", "middle:draw@100,100",
                                           "low:draw@100,100", "edge:draw@100,100"}));
}

TEST_F(EngineRender, DragBoxIsDrawnOverThePresentedPictureNotIntoIt) {
  UseMap(0, 0);
  COrvantaEngine::Render();
  const std::vector<uint32_t> plain = os_->Frame();
  EXPECT_FALSE(os_->Drag().has_value());
  Input(platform::kWmLButtonDown, platform::kMkLButton, 300, 200);
  Input(platform::kWmMouseMove, platform::kMkLButton, 120, 90);
  COrvantaEngine::Render();
  ASSERT_TRUE(os_->Drag().has_value());
  const platform::Rect box = *os_->Drag();
  EXPECT_EQ(box.left, 300);
  EXPECT_EQ(box.top, 200);
  EXPECT_EQ(box.right, 120);
  EXPECT_EQ(box.bottom, 90);
  EXPECT_EQ(os_->Frame(), plain);
  Input(platform::kWmLButtonUp, 0, 130, 95);
  COrvantaEngine::Render();
  EXPECT_FALSE(os_->Drag().has_value());
}

TEST_F(EngineRender, FirstFpsFigureCountsEveryFrameSinceTheLastRefresh) {
  UseMap(0, 0);
  for (int i = 0; i < 37; ++i) {
    COrvantaEngine::Render();
    Advance(3);
  }
  Key('F');
  COrvantaEngine::Render();
  EXPECT_EQ(State().fpsText, "FPS: 38");
  const std::vector<uint32_t> withPanel = os_->Frame();
  // Frames inside the next second change nothing; the one at 1000 ms shows their count.
  for (int i = 0; i < 9; ++i) {
    Advance(100);
    COrvantaEngine::Render();
  }
  EXPECT_EQ(State().fpsText, "FPS: 38");
  Advance(100);
  COrvantaEngine::Render();
  EXPECT_EQ(State().fpsText, "FPS: 10");
  // The panel is blended at (5, 5) over the map: somewhere there the picture differs from the
  // bare map, which the frame without the panel shows.
  Key('F');
  COrvantaEngine::Render();
  const std::vector<uint32_t> bare = os_->Frame();
  EXPECT_NE(withPanel, bare);
  const std::size_t topLeft = static_cast<std::size_t>((kH - 1 - 5) * kW + 5);
  EXPECT_NE(withPanel[topLeft], bare[topLeft]) << "the dark panel dims the map at its corner";
}

TEST_F(EngineRender, DeathBannerFreezesTheWorldInGreyForSixSeconds) {
  UseMap(320, 320);
  Input(platform::kWmMouseMove, 0, 30, 200);
  {
    std::lock_guard<std::mutex> lock(WorldLock());
    COrvantaEngine::ShowDeathBanner("Ann", "Eliminated");
  }
  EXPECT_EQ(os_->Audio(), (std::vector<std::string>{"effect Snd\\player_busted.wav"}));
  COrvantaEngine::Update();
  COrvantaEngine::Render();
  EXPECT_EQ(CameraX(), 320);
  EXPECT_TRUE(AllGrey(os_->Frame()));
  Advance(6000);
  COrvantaEngine::Update();
  COrvantaEngine::Render();
  EXPECT_EQ(CameraX(), 320) << "still frozen at exactly 6000 ms";
  EXPECT_TRUE(AllGrey(os_->Frame()));
  Advance(1);
  COrvantaEngine::Render();  // the banner's time is over: this frame ends it
  COrvantaEngine::Update();
  COrvantaEngine::Render();
  EXPECT_EQ(CameraX(), 310);
  EXPECT_FALSE(AllGrey(os_->Frame()));
}

TEST_F(EngineRender, NoBannerWhenTheGameDoesNotShowDeaths) {
  config::Settings().showMessageWhenPlayersDie = false;
  UseMap(320, 320);
  Input(platform::kWmMouseMove, 0, 30, 200);
  State().inventoryBarShown = true;
  State().hoveredObject = 3;
  COrvantaEngine::ShowDeathBanner("Ann", "Eliminated");
  EXPECT_FALSE(State().inventoryBarShown);
  EXPECT_EQ(State().hoveredObject, 0);
  COrvantaEngine::Update();
  COrvantaEngine::Render();
  EXPECT_EQ(CameraX(), 310);
  EXPECT_FALSE(AllGrey(os_->Frame()));
  EXPECT_TRUE(os_->Audio().empty());
}

}  // namespace
}  // namespace enginetest
