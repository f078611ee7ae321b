#include "app/app_state.h"

#include "engine/orvanta_engine.h"
#include "map/game_map.h"
#include "script/script_manager.h"

namespace app {
namespace {
AppState* gApp = new AppState();  // never destroyed: threads may outlive static destruction order
}

AppState& App() { return *gApp; }

void ResetApp() {
  gApp->running = 0;
  if (gApp->gameLoop.joinable()) gApp->gameLoop.join();
  script::ResetScripts();
  gApp->map.reset();
  gApp->engine.reset();
  gApp->beforeShutdown = nullptr;
  gApp->afterLoading = nullptr;
  gApp->afterFrame = nullptr;
}

}  // namespace app
