// One running game: everything start-up loads and the game loop steps, owned in one place and
// handed by reference to whoever needs it. The application creates a world per run. Two worlds
// in one process share only the platform.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "audio/music.h"
#include "config/game_config.h"

class COrvantaEngine;
class COrvantaScriptManager;
class CGameMap;

namespace app {

struct World {
  World();
  // Stops the game loop and every script thread, then releases the scripts, the map and the
  // engine in that order.
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // The launcher, game settings and definition tables; read by everything below, so made first
  // and released last.
  config::GameConfig config;

  // Releases the scripts (their threads end first), then the map and the engine; what shutdown
  // and the destructor both end with.
  void ReleaseGame();

  std::atomic<int> running{0};
  std::thread gameLoop;
  // The background tune, closed by shutdown after the game loop.
  audio::Music music;
  // Created by start-up in this order and released in the reverse one: the scripts act on the
  // engine's units and the map, the engine draws the map.
  std::unique_ptr<COrvantaEngine> engine;
  std::unique_ptr<COrvantaScriptManager> scripts;
  std::unique_ptr<CGameMap> map;

  // Saved games: the folder of the quick-save slot (a host path; empty: the player's data
  // folder), a save to start from instead of the beginning (empty: none), and the fingerprint
  // of the project's files, worked out when first needed.
  std::string saveFolder;
  std::string loadAtStart;
  std::string fingerprint;

  // Called when the project has loaded, just before the game loop starts (debugging aids).
  std::function<void(World&)> afterLoading;
  // Called when shutdown begins, before anything is stopped or destroyed (the headless runner
  // writes its state dump and screenshot here, with the world as the run left it).
  std::function<void(World&)> beforeShutdown;
  // Called on the game-loop thread after each frame's update and drawing (the headless runner
  // writes its periodic state lines here).
  std::function<void(World&)> afterFrame;
  // Called with each window message the application handles itself (quit keys, the window's
  // close button, menu commands) before it does (the recorder of a play writes them here).
  std::function<void(World&, uint32_t message, uint64_t wParam, int64_t lParam)> windowMessage;
};

}  // namespace app
