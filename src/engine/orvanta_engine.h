// The running game: owns the world, steps it, turns input into orders and draws the frame.
// One engine per process; its operations are static so every part of the game can reach them.
// Each construction rebuilds the state from nothing.
#pragma once

#include <cstdint>

class COrvantaEngine {
 public:
  COrvantaEngine();
  virtual ~COrvantaEngine();
  COrvantaEngine(const COrvantaEngine&) = delete;
  COrvantaEngine& operator=(const COrvantaEngine&) = delete;

  // Window thread: brackets modal boxes so the world does not move behind them.
  static void SetPaused(bool paused);
  static bool IsPaused();

  // Game-loop thread.
  static void Update();
  static void Render();

  // Window thread: forwarded mouse and key messages.
  static void OnInput(uint32_t message, uint64_t wParam, int64_t lParam);

  static bool Exists();
};
