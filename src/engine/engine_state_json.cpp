#include "engine/engine_state_json.h"

#include "engine/engine_state.h"
#include "engine/units_state_json.h"
#include "platform/text_encoding.h"

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
  dump.update(UnitTablesJson());
  return dump;
}
