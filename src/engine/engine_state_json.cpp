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
  for (int k = 0; k < state.orders.selectionCount; ++k)
    selection.push_back(engine::SlotOf(state, state.orders.selection[static_cast<std::size_t>(k)]));
  return selection;
}

}  // namespace

nlohmann::json EngineStateJson(const COrvantaEngine* engine) {
  nlohmann::json dump = nlohmann::json::object();
  if (engine == nullptr) return dump;
  const engine::EngineState& state = engine->State();
  const units::Point camera = engine->GetCameraOrigin();
  dump["camera"] = {camera.x, camera.y};
  dump["fps_shown"] = state.hud.fpsShown;
  dump["paused"] = state.paused.load();
  dump["banner_shown"] = state.hud.bannerShown;
  dump["image_dialog"] = {{"shown", state.hud.imageDialogShown},
                          {"x", state.hud.imageDialogX},
                          {"y", state.hud.imageDialogY},
                          {"w", state.hud.imageDialog.GetWidth()},
                          {"h", state.hud.imageDialog.GetHeight()},
                          {"file", platform::Utf8FromCp1252(state.hud.imageDialogFile)}};
  nlohmann::json messages = nlohmann::json::array();
  for (const engine::MessageSlot& slot : state.hud.messages) {
    if (!slot.used) continue;
    messages.push_back({{"text", platform::Utf8FromCp1252(slot.text)}, {"kind", slot.kind}, {"object", slot.object}});
  }
  dump["messages"] = messages;
  dump["selection"] = SelectionJson(state);
  dump["pointer_marker"] = MarkerJson(*state.pointerMarker);
  nlohmann::json action = MarkerJson(*state.actionSymbol);
  action["until"] = state.hud.actionSymbolUntil;
  dump["action_symbol"] = action;
  dump["drag"] = {{"active", state.pointer.dragging},
                  {"start", {state.pointer.dragStartX, state.pointer.dragStartY}},
                  {"end", {state.pointer.dragEndX, state.pointer.dragEndY}}};
  nlohmann::json bar = nlohmann::json::array();
  for (int i = 0; i < state.hud.inventoryEntryCount; ++i)
    bar.push_back(state.hud.inventoryEntries[static_cast<std::size_t>(i)]);
  dump["inventory_bar"] = {{"shown", state.hud.inventoryBarShown}, {"objects", bar}};
  dump["hovered_object"] = state.hud.hoveredObject;
  const bool tooltipShown = state.hud.inventoryBarShown && state.hud.hoveredObject != 0;
  dump["tooltip"] = {
      {"shown", tooltipShown},
      {"name", platform::Utf8FromCp1252(tooltipShown ? state.hud.tooltipName : std::string())},
      {"description", platform::Utf8FromCp1252(tooltipShown ? state.hud.tooltipDescription : std::string())}};
  dump["event_unit"] = engine::SlotOf(state, state.eventUnit);
  dump["event_target"] = engine::SlotOf(state, state.eventTarget);
  dump.update(UnitTablesJson(state));
  return dump;
}
