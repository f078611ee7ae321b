// The window's mouse and key messages: the pointer position, the drag box, the keys, then the
// unit pass that turns them into selection and orders (engine_orders.cpp).
#include <mutex>

#include "engine/engine_orders.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "platform/platform.h"

namespace engine {
namespace {

constexpr uint64_t kKeyFps = 'F';
constexpr uint64_t kKeyGive = 'M';
constexpr uint64_t kKeySword = 'X';
constexpr uint64_t kKeyFire = 'Z';

// The pointer travels in lParam as two unsigned 16-bit halves.
void StorePointer(EngineState& state, int64_t lParam) {
  state.pointerX = static_cast<int>(lParam & 0xFFFF);
  state.pointerY = static_cast<int>((lParam >> 16) & 0xFFFF);
}

units::Point PointerOnMap(const EngineState& state) {
  const units::Point camera = CameraOrigin(state);
  return {state.pointerX + camera.x, state.pointerY + camera.y};
}

// Hidden until the order is known to move somebody; its frame is centred on the pointer's map
// point.
void PlacePointerMarker(EngineState& state) {
  CGameUnit& marker = *state.pointerMarker;
  const units::Point point = PointerOnMap(state);
  marker.SetVisible(false, Now());
  marker.SetPosition({point.x - marker.FrameWidth() / 2, point.y - marker.FrameHeight() / 2});
}

// Returns false when the message ends here (a key the engine does not use).
bool HandleMessage(EngineState& state, uint32_t message, uint64_t wParam) {
  switch (message) {
    case platform::kWmKeyDown:
      switch (wParam) {
        case kKeyFps: state.fpsShown = !state.fpsShown; return true;
        case kKeyGive: GiveObject(state); return true;
        case kKeySword: SwordSelected(state); return true;
        case kKeyFire: FireSelected(state, PointerOnMap(state)); return true;
        default: return false;
      }
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
      PlacePointerMarker(state);
      return true;
    case platform::kWmRButtonUp: state.dragging = false; return true;
    case platform::kWmMButtonDown: PerformOfferedAction(state); return true;
    default: return true;
  }
}

}  // namespace
}  // namespace engine

void COrvantaEngine::OnInput(uint32_t message, uint64_t wParam, int64_t lParam) {
  engine::WorldLock lock(Lock());
  engine::EngineState& state = State();
  engine::JournalInput(state, engine::Now(), message, wParam, lParam);
  if (message != platform::kWmMouseWheel && message != platform::kWmKeyDown) engine::StorePointer(state, lParam);
  state.leftClick = false;
  state.rightClick = false;
  if (!engine::HandleMessage(state, message, wParam)) return;
  engine::RunUnitPass(state);
}
