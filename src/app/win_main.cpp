#include "app/win_main.h"

#include <mutex>

#include "app/app_state.h"
#include "app/main_window.h"
#include "audio/music.h"
#include "config/autoexec_reader.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "platform/platform.h"

namespace app {
namespace {

void GameLoopThread() {
  while (App().running.load() != 0) GameFrame();
}

void ClearObjectDefinitions() {
  for (auto& object : config::Tables().objects) {
    object.defined = false;
    object.numberOfUses = 0;
    object.sprite = nullptr;
  }
}

void StartGameLoop() {
  AppState& state = App();
  platform::Get().GameLoopStarting();
  state.running = 1;
  state.gameLoop = std::thread(GameLoopThread);
}

}  // namespace

int WinMain(const std::string& commandLine) {
  if (!config::ReadAutoexec(commandLine, true)) return 0;
  if (CreateMainWindow(kWindowTitle, config::kDefaultWindowWidth, config::kDefaultWindowHeight)) {
    InitGame(commandLine);  // a failure inside has already posted the quit where it must
    platform::Message message;
    while (platform::Get().GetMessage(message)) {
      WindowProcedure(message.id, message.wParam, message.lParam);
    }
  }
  ShutdownGame();
  return 0;
}

bool InitGame(const std::string& commandLine) {
  ClearObjectDefinitions();
  if (!config::ReadAutoexec(commandLine, false)) return false;
  // The engine exists before any loader, which register sprites and units with it.
  App().engine = std::make_unique<COrvantaEngine>();
  StartGameLoop();
  return true;
}

void GameFrame() {
  auto& os = platform::Get();
  if (!os.BeginFrame()) return;
  COrvantaEngine::Update();
  COrvantaEngine::Render();
  os.EndFrame();
}

void ShutdownGame() {
  AppState& state = App();
  if (state.beforeShutdown) state.beforeShutdown();
  if (state.running.load() != 0) {
    state.running = 0;
    platform::Get().GameLoopStopping();
    if (state.gameLoop.joinable()) state.gameLoop.join();
  }
  audio::ShutdownMusic();
  state.engine.reset();
}

}  // namespace app
