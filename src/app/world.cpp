#include "app/world.h"

#include <mutex>

#include "engine/orvanta_engine.h"
#include "map/game_map.h"
#include "script/script_manager.h"

namespace app {

World::World() = default;

World::~World() {
  running = 0;
  if (gameLoop.joinable()) gameLoop.join();
  ReleaseGame();
}

void World::ReleaseGame() {
  scripts.reset();  // the manager stops every script thread before it goes
  if (engine) {
    engine::WorldLock lock(engine->Lock());
    engine->SetMap(nullptr);  // the engine never keeps a map that is gone
  }
  map.reset();
  engine.reset();
}

}  // namespace app
