#include "engine/orvanta_engine.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "config/launcher_settings.h"
#include "engine/world_lock.h"
#include "gfx/bitmap_surface.h"

namespace {

struct EngineState {
  CBitmapSurface backBuffer;
};

std::unique_ptr<EngineState> gState;
std::atomic<bool> gPaused{false};

}  // namespace

COrvantaEngine::COrvantaEngine() {
  gState = std::make_unique<EngineState>();
  gPaused = false;
  const auto& launcher = config::Launcher();
  gState->backBuffer.Create(launcher.windowWidth, launcher.windowHeight);
  gState->backBuffer.Clear(0);
}

COrvantaEngine::~COrvantaEngine() { gState.reset(); }

bool COrvantaEngine::Exists() { return gState != nullptr; }

void COrvantaEngine::SetPaused(bool paused) { gPaused = paused; }
bool COrvantaEngine::IsPaused() { return gPaused; }

void COrvantaEngine::Update() {
  std::lock_guard<std::mutex> lock(WorldLock());
  if (!gState || gPaused) return;
}

void COrvantaEngine::Render() {
  std::lock_guard<std::mutex> lock(WorldLock());
  if (!gState) return;
  gState->backBuffer.Clear(0);
  gState->backBuffer.Present();
}

void COrvantaEngine::OnInput(uint32_t, uint64_t, int64_t) {
  std::lock_guard<std::mutex> lock(WorldLock());
}
