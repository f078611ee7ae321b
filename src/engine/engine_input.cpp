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
  state.pointer.pointerX = static_cast<int>(lParam & 0xFFFF);
  state.pointer.pointerY = static_cast<int>((lParam >> 16) & 0xFFFF);
}

units::Point PointerOnMap(const EngineState& state) {
  const units::Point camera = CameraOrigin(state);
  return {state.pointer.pointerX + camera.x, state.pointer.pointerY + camera.y};
}

// Hidden until the order is known to move somebody; its frame is centred on the pointer's map
// point.
void PlacePointerMarker(EngineState& state) {
  CGameUnit& marker = *state.pointerMarker;
  const units::Point point = PointerOnMap(state);
  marker.SetVisible(false, Now(state));
  marker.SetPosition({point.x - marker.FrameWidth() / 2, point.y - marker.FrameHeight() / 2});
}

// Returns false when the message ends here (a key the engine does not use).
bool HandleMessage(EngineState& state, uint32_t message, uint64_t wParam) {
  switch (message) {
    case platform::kWmKeyDown:
      switch (wParam) {
        case kKeyFps: state.hud.fpsShown = !state.hud.fpsShown; return true;
        case kKeyGive: GiveObject(state); return true;
        case kKeySword: SwordSelected(state); return true;
        case kKeyFire: FireSelected(state, PointerOnMap(state)); return true;
        default: return false;
      }
    case platform::kWmMouseMove:
      platform::Get().UseArrowCursor();
      if ((wParam & platform::kMkLButton) != 0) {
        state.pointer.dragging = true;
        state.pointer.dragEndX = state.pointer.pointerX;
        state.pointer.dragEndY = state.pointer.pointerY;
      }
      return true;
    case platform::kWmLButtonDown:
      state.pointer.leftClick = true;
      state.pointer.dragStartX = state.pointer.pointerX;
      state.pointer.dragStartY = state.pointer.pointerY;
      state.pointer.dragging = false;
      state.orders.selectionCount = 0;
      state.hud.imageDialogShown = false;
      state.hud.inventoryBarShown = false;
      state.hud.hoveredObject = 0;
      return true;
    case platform::kWmLButtonUp:
      if (state.pointer.dragging) {
        state.pointer.dragEndX = state.pointer.pointerX;
        state.pointer.dragEndY = state.pointer.pointerY;
        state.pointer.dragging = false;
      }
      return true;
    case platform::kWmRButtonDown:
      state.pointer.dragging = false;
      state.hud.imageDialogShown = false;
      state.pointer.rightClick = true;
      PlacePointerMarker(state);
      return true;
    case platform::kWmRButtonUp: state.pointer.dragging = false; return true;
    case platform::kWmMButtonDown: PerformOfferedAction(state); return true;
    default: return true;
  }
}

}  // namespace
}  // namespace engine

void COrvantaEngine::OnInput(uint32_t message, uint64_t wParam, int64_t lParam) {
  engine::WorldLock lock(Lock());
  engine::EngineState& state = State();
  engine::JournalInput(state, engine::PlatformNow(), message, wParam, lParam);
  if (message != platform::kWmMouseWheel && message != platform::kWmKeyDown) engine::StorePointer(state, lParam);
  state.pointer.leftClick = false;
  state.pointer.rightClick = false;
  if (!engine::HandleMessage(state, message, wParam)) return;
  engine::RunUnitPass(state);
}
