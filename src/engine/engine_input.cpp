// The window's mouse and key messages as far as the frame needs them: the pointer position,
// the drag box and the FPS key. Selection and orders join here with the units.
#include <mutex>

#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "engine/world_lock.h"
#include "platform/platform.h"

namespace engine {
namespace {

constexpr uint64_t kKeyFps = 'F';

// The pointer travels in lParam as two unsigned 16-bit halves.
void StorePointer(EngineState& state, int64_t lParam) {
  state.pointerX = static_cast<int>(lParam & 0xFFFF);
  state.pointerY = static_cast<int>((lParam >> 16) & 0xFFFF);
}

// Returns false when the message ends here (a key the engine does not use).
bool HandleMessage(EngineState& state, uint32_t message, uint64_t wParam) {
  switch (message) {
    case platform::kWmKeyDown:
      if (wParam != kKeyFps) return false;
      state.fpsShown = !state.fpsShown;
      return true;
    case platform::kWmMouseMove:
      platform::Get().UseArrowCursor();
      if ((wParam & platform::kMkLButton) != 0) {
        state.dragging = true;
        state.dragEndX = state.pointerX;
        state.dragEndY = state.pointerY;
      }
      return true;
    case platform::kWmLButtonDown:
      state.leftClick = true;
      state.dragStartX = state.pointerX;
      state.dragStartY = state.pointerY;
      state.dragging = false;
      state.selectionCount = 0;
      state.imageDialogShown = false;
      state.inventoryBarShown = false;
      state.hoveredObject = 0;
      return true;
    case platform::kWmLButtonUp:
      if (state.dragging) {
        state.dragEndX = state.pointerX;
        state.dragEndY = state.pointerY;
        state.dragging = false;
      }
      return true;
    case platform::kWmRButtonDown:
      state.dragging = false;
      state.imageDialogShown = false;
      state.rightClick = true;
      return true;
    case platform::kWmRButtonUp:
      state.dragging = false;
      return true;
    default:
      return true;
  }
}

}  // namespace
}  // namespace engine

void COrvantaEngine::OnInput(uint32_t message, uint64_t wParam, int64_t lParam) {
  std::lock_guard<std::mutex> lock(WorldLock());
  if (!engine::HasState()) return;
  engine::EngineState& state = engine::State();
  if (message != platform::kWmMouseWheel && message != platform::kWmKeyDown) engine::StorePointer(state, lParam);
  state.leftClick = false;
  state.rightClick = false;
  if (!engine::HandleMessage(state, message, wParam)) return;
  // The unit pass (selection, orders, the pointer marker) runs here once units take orders.
}
