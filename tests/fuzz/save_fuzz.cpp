// Saved games on any bytes. Each input is read as a save file (its header, checksum, version and
// game are checked and it is refused without harm), and as a change to a good save of a small
// world: a JSON object merged over that save's body, which is then loaded into the world. A
// refused body must leave the world exactly as it was; an accepted one must leave it within the
// bounds every unit, the camera and the variables keep, be drawn and stepped, and give a state
// dump that can be written. Held script runs are never started, so no thread outlives an input.
#include <atomic>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

#include "app/save_file.h"
#include "config/saved_values.h"
#include "engine/test_units.h"
#include "script/orvanta_script.h"
#include "small_world.h"

namespace {

// The world every input changes: its map, units and two scripts, one of them held mid-run.
struct SavedWorld {
  std::atomic<bool> running{true};
  config::GameConfig config;
  std::unique_ptr<COrvantaEngine> engine;
  std::unique_ptr<COrvantaScriptManager> scripts;
  std::unique_ptr<CGameMap> map;
  nlohmann::json pristine;

  SavedWorld() {
    fuzz::FillTables(config);
    platform::Install(std::make_unique<fuzz::StepPlatform>(running));
    engine = std::make_unique<COrvantaEngine>(config);
    scripts = std::make_unique<COrvantaScriptManager>(*engine);
    scripts->ConnectToEngine();
    map = fuzz::MakeMap(config);
    COrvantaScript* door = nullptr;  // owned by the manager
    for (const auto& [name, text] :
         {std::pair{"door",
                    "SET opened = +1\nIF opened = 1\nWHILE opened < 9\nSLEEP 20\n"
                    "SET opened = +1\nENDWHILE\nENDIF\nSET_MAP_TILE 3,4,Ground,terrain,7"},
          std::pair{"talk", "SET test_unit_1.MESSAGE = \"Hello\"\nSHOW test_unit_1.MESSAGE"}}) {
      auto script = std::make_unique<COrvantaScript>();
      script->LoadText(name, text);
      if (door == nullptr) door = script.get();
      FUZZ_REQUIRE(scripts->AddScript(script));
    }
    engine::WorldLock lock(engine->Lock());
    engine->SetMap(map.get());
    engine::AddTestUnits(*engine, {{{40, 60}, {400, 300}, 4}, {{300, 200}, {100, 200}, 3}, {{200, 450}, {200, 50}, 5}});
    map->SetTile("5,6,Overlays,props,2");
    COrvantaScript::SavedRun held;
    held.position.next = 3;
    held.position.resume = {7, 2};
    held.position.waiting = true;
    held.position.wakeTick = engine->Now() + 15;
    held.owner = engine->UnitAt(1);
    held.currentLine = 4;
    scripts->World().engine.Lock().AssumeHeld();
    scripts->World().variables.SetNumber("opened", script::NumberChange::Assign, 2);
    door->Hold(held);
    pristine = Body();
  }
  ~SavedWorld() {
    {
      engine::WorldLock lock(engine->Lock());
      engine->SetMap(nullptr);
    }
    scripts.reset();
    engine.reset();
    map.reset();
    platform::Install(nullptr);
  }

  nlohmann::json Body() TL_NO_THREAD_SAFETY_ANALYSIS {
    nlohmann::json body;
    engine->SaveState(body["engine"]);
    scripts->SaveState(body["scripts"]);
    return body;
  }
  // Loads the body: true when accepted; a refusal puts the pristine world back.
  bool Load(const nlohmann::json& body) TL_NO_THREAD_SAFETY_ANALYSIS {
    try {
      engine->LoadState(config::SavedMember(body, "engine"));
      scripts->LoadState(config::SavedMember(body, "scripts"));
      return true;
    } catch (const std::exception&) {
      engine->LoadState(pristine["engine"]);
      scripts->LoadState(pristine["scripts"]);
      return false;
    }
  }
};

SavedWorld& World() {
  static SavedWorld world;
  return world;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::AsString(data, size);
  SavedWorld& world = World();

  // As a whole file: refused or read, never more.
  app::SaveRefusal refusal;
  const app::SaveIdentity identity{"Small", "0123456789abcdef"};
  if (!app::ReadSaveFile(bytes, identity, config::Language::English, refusal)) FUZZ_REQUIRE(!refusal.reason.empty());

  // As a change to a good save.
  nlohmann::json change = nlohmann::json::parse(bytes, nullptr, false);
  if (change.is_discarded() || !change.is_object()) return 0;
  nlohmann::json body = world.pristine;
  body.merge_patch(change);
  bool accepted = false;
  {
    engine::WorldLock lock(world.engine->Lock());
    accepted = world.Load(body);
    if (!accepted) FUZZ_REQUIRE(world.Body() == world.pristine);
  }
  if (!accepted) return 0;
  // An accepted world is drawn and stepped like any other.
  world.engine->Render();
  world.engine->Update();
  engine::WorldLock lock(world.engine->Lock());
  fuzz::CheckWorld(*world.scripts, *world.map);
  FUZZ_REQUIRE(!world.Body().dump().empty());
  FUZZ_REQUIRE(world.Load(world.pristine));
  return 0;
}
