// The world step: its 10 ms pacing, the pause, edge scrolling, the once-a-second bot pass, and
// the window thread working beside the game loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "engine/engine_state_json.h"
#include "engine/orvanta_engine.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineUpdate : public EngineTest {};

TEST_F(EngineUpdate, StepsAtMostEvery10MsAndStandsStillWhilePaused) {
  UseMap(320, 320);
  Input(platform::kWmMouseMove, 0, 30, 200);  // in the left edge band: one step scrolls 10 left
  std::vector<int> cameras;
  for (const uint32_t ms : {0, 5, 5}) {  // the call 5 ms after a step runs none
    Advance(ms);
    engine_->Update();
    cameras.push_back(CameraX());
  }
  EXPECT_EQ(cameras, (std::vector<int>{310, 310, 300}));

  engine_->SetPaused(true);
  for (int i = 0; i < 5; ++i) Pass();
  EXPECT_EQ(CameraX(), 300);
  EXPECT_EQ(os_->presented, 5) << "rendering goes on while paused";
}

TEST_F(EngineUpdate, EdgeScrollingStopsAtTheLimitAndWaitsForTheDrag) {
  UseMap(15, 320);
  const uint32_t move = platform::kWmMouseMove;
  const uint64_t left = platform::kMkLButton;
  const struct {
    uint32_t message;
    uint64_t buttons;
    int x, cameraAfter;
  } steps[] = {{move, 0, 30, 5},
               {move, 0, 30, 0},
               {move, 0, 30, 0},
               {move, 0, kW - 8, 0},
               {move, 0, kW - 9, 10},
               // A drag that ends in the band scrolls only once the button is released.
               {platform::kWmLButtonDown, left, 300, 10},
               {move, left, 30, 10},
               {platform::kWmLButtonUp, 0, 30, 0}};
  for (const auto& s : steps) {
    Input(s.message, s.buttons, s.x, 200);
    Pass();
    EXPECT_EQ(CameraX(), s.cameraAfter) << "pointer x " << s.x;
  }
}

TEST_F(EngineUpdate, BotPassOncePerSecondAndASecondWithoutStepIsLost) {
  AddProbe("bot", 0, 0)->isBot = true;
  std::vector<long> passes;
  // Steps at 0, 995, 1005 and 2005 ms; the call at 1001 takes the second but runs no step.
  for (const uint32_t ms : {0, 995, 6, 4, 1000}) {
    Advance(ms);
    engine_->Update();
    passes.push_back(std::count(log_.begin(), log_.end(), "bot:bot"));
  }
  EXPECT_EQ(passes, (std::vector<long>{1, 1, 1, 1, 2}));
}

// The window thread's input, pauses, messages and state dumps against a running game loop; run
// under ThreadSanitizer this is where a missing lock shows.
TEST_F(EngineUpdate, WindowThreadAndGameLoopShareTheWorld) {
  UseMap(640, 640);
  config_.launcher.multiThreadDrawing = true;
  std::atomic<bool> running{true};
  std::thread gameLoop([&] {
    while (running) {
      os_->now += 3;
      engine_->Update();
      engine_->Render();
    }
  });
  for (int i = 0; i < 200; ++i) {
    Input(platform::kWmMouseMove, i % 3 == 0 ? platform::kMkLButton : 0, i % 2 == 0 ? 20 : 300, 200);
    engine_->SetPaused(i % 7 == 0);
    engine::WorldLock lock(engine_->Lock());
    engine_->AddHudMessage("tick " + std::to_string(i), 1, 0);
    EXPECT_LE(EngineStateJson(engine_.get())["messages"].size(), 6u);
  }
  engine_->SetPaused(false);
  Input(platform::kWmLButtonUp, 0, 20, 200);
  // An input message takes effect in the next frames: the pointer now rests in the left band.
  for (int wait = 0; wait < 5000 && CameraX() == 640; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  running = false;
  gameLoop.join();
  EXPECT_LT(CameraX(), 640);
}

}  // namespace
}  // namespace enginetest
