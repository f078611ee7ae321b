#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "engine/engine_state_json.h"
#include "engine/world_lock.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineThreads : public EngineTest {};

// The window thread's input, pauses, messages and state dumps against a running game loop; run
// under ThreadSanitizer this is where a missing lock shows.
TEST_F(EngineThreads, WindowThreadAndGameLoopShareTheWorld) {
  UseMap(640, 640);
  config::Launcher().multiThreadDrawing = true;
  std::atomic<bool> running{true};
  std::thread gameLoop([&] {
    while (running) {
      os_->now += 3;
      COrvantaEngine::Update();
      COrvantaEngine::Render();
    }
  });
  for (int i = 0; i < 200; ++i) {
    Input(platform::kWmMouseMove, i % 3 == 0 ? platform::kMkLButton : 0, i % 2 == 0 ? 20 : 300, 200);
    if (i % 50 == 0) Key('F');
    COrvantaEngine::SetPaused(i % 7 == 0);
    std::lock_guard<std::mutex> lock(WorldLock());
    COrvantaEngine::AddHudMessage("tick " + std::to_string(i), 1, 0);
    EXPECT_LE(EngineStateJson()["messages"].size(), 6u);
  }
  COrvantaEngine::SetPaused(false);
  Input(platform::kWmLButtonUp, 0, 20, 200);
  // An input message takes effect in the next frames: the pointer now rests in the left band.
  for (int wait = 0; wait < 5000 && CameraX() == 640; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  running = false;
  gameLoop.join();
  EXPECT_GT(os_->presented, 0);
  EXPECT_LT(CameraX(), 640);
}

}  // namespace
}  // namespace enginetest
