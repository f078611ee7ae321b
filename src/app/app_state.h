// What the application shell keeps for the whole run: the running flag, the game-loop thread
// and the objects whose creation and destruction order start-up and shutdown fix.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class COrvantaEngine;
class CGameMap;

namespace app {

struct AppState {
  std::atomic<int> running{0};
  std::thread gameLoop;
  std::unique_ptr<COrvantaEngine> engine;
  std::unique_ptr<CGameMap> map;
  // Called when the project has loaded, just before the game loop starts (debugging aids).
  std::function<void()> afterLoading;
  // Called when shutdown begins, before anything is stopped or destroyed (the headless runner
  // writes its state dump and screenshot here, with the world as the run left it).
  std::function<void()> beforeShutdown;
  // Called on the game-loop thread after each frame's update and drawing (the headless runner
  // writes its periodic state lines here).
  std::function<void()> afterFrame;
  // Called with each window message the application handles itself (quit keys, the window's
  // close button, menu commands) before it does (the recorder of a play writes them here).
  std::function<void(uint32_t message, uint64_t wParam, int64_t lParam)> windowMessage;
};

AppState& App();
// Forgets everything (tests). The game-loop thread must not be running.
void ResetApp();

}  // namespace app
