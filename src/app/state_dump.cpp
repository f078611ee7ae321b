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

namespace {

// What the world holds beside its engine and scripts: the launcher's settings, the definition
// tables and the map.
nlohmann::json SettingsAndTables(const World& world) {
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
  dump.update(DefinitionsJson(world.config.tables));
  dump.update(map::MapStateJson(world.config.tables, world.map.get()));
  return dump;
}

// The scripts' part without scripts: before the engine exists, or after it is gone (the scripts
// go first), there is no world lock to hold.
nlohmann::json WithoutScripts() TL_NO_THREAD_SAFETY_ANALYSIS { return ScriptStateJson(nullptr); }

}  // namespace

nlohmann::json StateDump(const World& world) {
  nlohmann::json dump = SettingsAndTables(world);
  if (!world.engine) {
    dump.update(WithoutScripts());
    return dump;
  }
  engine::WorldLock lock(world.engine->Lock());
  dump.update(EngineStateJson(world.engine.get()));
  if (!world.scripts) {
    dump.update(WithoutScripts());
  } else if (const COrvantaScriptManager* scripts = world.scripts.get();
             &scripts->World().engine == world.engine.get()) {
    // The scripts act on this engine: the lock just taken is theirs.
    scripts->World().engine.Lock().AssumeHeld();
    dump.update(ScriptStateJson(scripts));
  }
  return dump;
}

std::string StateDumpJson(const World& world) { return StateDump(world).dump(2) + "\n"; }

std::string StateDumpLine(const World& world, uint32_t elapsedMs) {
  nlohmann::json line = {{"ms", elapsedMs}};
  line.update(StateDump(world));
  return line.dump() + "\n";
}

}  // namespace app
