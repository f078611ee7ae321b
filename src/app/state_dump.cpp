#include "app/state_dump.h"

#include <mutex>
#include <nlohmann/json.hpp>

#include "app/definitions_state_json.h"
#include "app/world.h"
#include "config/launcher_settings.h"
#include "engine/engine_state_json.h"
#include "engine/orvanta_engine.h"
#include "map/map_state.h"
#include "platform/text_encoding.h"
#include "script/script_state_json.h"

namespace app {

nlohmann::json StateDump(const World& world) {
  // Before the engine exists, or after it is gone, nobody else holds the world.
  std::unique_lock<std::mutex> lock;
  if (world.engine) lock = std::unique_lock<std::mutex>(world.engine->Lock());
  const auto& launcher = world.config.launcher;
  nlohmann::json dump;
  dump["window"] = {launcher.windowWidth, launcher.windowHeight};
  dump["language"] = launcher.language == config::Language::English ? "english" : "spanish";
  dump["project"] = platform::Utf8FromCp1252(launcher.projectName);
  nlohmann::json folders = nlohmann::json::array();
  for (const auto& folder : launcher.folders) folders.push_back(platform::Utf8FromCp1252(folder));
  dump["folders"] = folders;
  dump["multi_thread"] = launcher.multiThreadDrawing;
  dump["running"] = world.running.load() != 0;
  dump["paused"] = world.engine != nullptr && world.engine->IsPaused();
  dump.update(EngineStateJson(world.engine.get()));
  dump.update(DefinitionsJson(world.config.tables));
  dump.update(map::MapStateJson(world.config.tables, world.map.get()));
  dump.update(ScriptStateJson(world.scripts.get()));
  return dump;
}

std::string StateDumpJson(const World& world) { return StateDump(world).dump(2) + "\n"; }

std::string StateDumpLine(const World& world, uint32_t elapsedMs) {
  nlohmann::json line = {{"ms", elapsedMs}};
  line.update(StateDump(world));
  return line.dump() + "\n";
}

}  // namespace app
