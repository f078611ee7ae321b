#include "engine/engine_state_json.h"

#include "engine/engine_state.h"
#include "engine/units_state_json.h"
#include "platform/text_encoding.h"

namespace {

nlohmann::json MarkerJson(const CGameUnit& marker) {
  return {{"x", marker.x}, {"y", marker.y}, {"visible", marker.IsVisible()}};
}

// Slots of the selection list's units in the unit table.
nlohmann::json SelectionJson(const engine::EngineState& state) {
  nlohmann::json selection = nlohmann::json::array();
  for (int k = 0; k < state.selectionCount; ++k) {
    const CGameUnit* unit = state.selection[static_cast<std::size_t>(k)];
    int slot = -1;
    for (int i = 0; i < state.unitCount && slot < 0; ++i) {
      if (state.units[static_cast<std::size_t>(i)].get() == unit) slot = i;
    }
    selection.push_back(slot);
  }
  return selection;
}

}  // namespace

nlohmann::json EngineStateJson() {
  nlohmann::json dump = nlohmann::json::object();
  if (!engine::HasState()) return dump;
  const engine::EngineState& state = engine::State();
  const units::Point camera = COrvantaEngine::GetCameraOrigin();
  dump["camera"] = {camera.x, camera.y};
  dump["fps_shown"] = state.fpsShown;
  dump["paused"] = COrvantaEngine::IsPaused();
  dump["banner_shown"] = state.bannerShown;
  dump["image_dialog"] = {{"shown", state.imageDialogShown},
                          {"x", state.imageDialogX},
                          {"y", state.imageDialogY},
                          {"w", state.imageDialog.GetWidth()},
                          {"h", state.imageDialog.GetHeight()}};
  nlohmann::json messages = nlohmann::json::array();
  for (const engine::MessageSlot& slot : state.messages) {
    if (!slot.used) continue;
    messages.push_back(
        {{"text", platform::Utf8FromCp1252(slot.text)}, {"kind", slot.kind}, {"object", slot.object}});
  }
  dump["messages"] = messages;
  dump["selection"] = SelectionJson(state);
  dump["pointer_marker"] = MarkerJson(*state.pointerMarker);
  nlohmann::json action = MarkerJson(*state.actionSymbol);
  action["until"] = state.actionSymbolUntil;
  dump["action_symbol"] = action;
  dump["drag"] = {{"active", state.dragging},
                  {"start", {state.dragStartX, state.dragStartY}},
                  {"end", {state.dragEndX, state.dragEndY}}};
  dump.update(UnitTablesJson());
  return dump;
}
