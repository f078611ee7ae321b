#include "app/state_dump.h"

#include <mutex>
#include <nlohmann/json.hpp>

#include "app/app_state.h"
#include "app/definitions_state_json.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "engine/engine_state_json.h"
#include "engine/world_lock.h"
#include "map/map_state.h"
#include "platform/text_encoding.h"
#include "script/script_state_json.h"

namespace app {

nlohmann::json StateDump() {
  std::lock_guard<std::mutex> lock(WorldLock());
  const auto& launcher = config::Launcher();
  nlohmann::json dump;
  dump["window"] = {launcher.windowWidth, launcher.windowHeight};
  dump["language"] = launcher.language == config::Language::English ? "english" : "spanish";
  dump["project"] = platform::Utf8FromCp1252(launcher.projectName);
  nlohmann::json folders = nlohmann::json::array();
  for (const auto& folder : launcher.folders) folders.push_back(platform::Utf8FromCp1252(folder));
  dump["folders"] = folders;
  dump["multi_thread"] = launcher.multiThreadDrawing;
  dump["running"] = App().running.load() != 0;
  dump["paused"] = COrvantaEngine::IsPaused();
  dump.update(EngineStateJson());
  dump.update(DefinitionsJson());
  dump.update(map::MapStateJson(App().map.get()));
  dump.update(ScriptStateJson());
  return dump;
}

std::string StateDumpJson() { return StateDump().dump(2) + "\n"; }

std::string StateDumpLine(uint32_t elapsedMs) {
  nlohmann::json line = {{"ms", elapsedMs}};
  line.update(StateDump());
  return line.dump() + "\n";
}

}  // namespace app
