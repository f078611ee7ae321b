// A headless world with an engine, stand-in units and the script manager, for running real
// scripts in tests: on the test's thread (RunNow) or on their own threads with the virtual clock
// moved by the test (StartScript, then RunPasses).
#pragma once

#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/orvanta_engine.h"
#include "engine/test_units.h"
#include "platform/platform.h"
#include "script/orvanta_script.h"
#include "script/script_interpreter.h"
#include "script/script_manager.h"
#include "script/script_state_json.h"
#include "support/test_world.h"
#include "units/game_unit.h"

namespace testing_support {

class ScriptWorld : public HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    StartEngine();
  }
  void TearDown() override {
    scripts_.reset();
    engine_.reset();
    HeadlessWorld::TearDown();
  }

  // A new headless backend that runs `passes` passes of the clock before it quits (the engine
  // and units are made again with it).
  void UsePasses(int64_t passes, uint32_t stepMs = 10) {
    scripts_.reset();
    engine_.reset();
    platform::HeadlessOptions options;
    options.frames = passes;
    options.stepMs = stepMs;
    Install(options);
    StartEngine();
  }

  // test_unit_1, test_unit_2, ...: standing players at the positions.
  void AddUnits(const std::vector<units::Point>& positions) {
    std::vector<engine::TestUnitPlacement> placements;
    for (const units::Point& p : positions) placements.push_back({p, {p.x + 16, p.y + 16}, 4});
    engine::WorldLock lock(engine_->Lock());
    engine::AddTestUnits(*engine_, placements);
    for (int i = 0; i < engine_->UnitCount(); ++i) engine_->UnitAt(i)->Stop();
  }
  CGameUnit& Unit(int number) {
    CGameUnit* unit = engine_->FindUnitByName(("test_unit_" + std::to_string(number)).c_str());
    EXPECT_NE(unit, nullptr);
    return *unit;
  }

  // Runs the script text to its end on this thread (it must not SLEEP).
  void RunNow(const std::string& text, CGameUnit* owner = nullptr) {
    COrvantaScript script;
    script.LoadText("now", text);
    std::atomic<bool> running{true};
    std::atomic<int> line{0};
    script::RunPosition position;
    script::RunControl control{scripts_->World(), running, line, owner, position};
    script::RunLines(script.Lines(), control);
  }

  // Registers a script under a name; returns it (owned by the manager).
  COrvantaScript* Register(const std::string& name, const std::string& text) {
    auto script = std::make_unique<COrvantaScript>();
    script->LoadText(name, text);
    COrvantaScript* raw = script.get();
    return engine_->RegisterScript(script) ? raw : nullptr;
  }
  // Hands a script to the manager; false (the script dropped) when it is refused.
  bool RegisterOwned(std::unique_ptr<COrvantaScript> script) { return scripts_->AddScript(script); }
  void StartScript(const std::string& name, CGameUnit* eventUnit = nullptr) {
    engine::WorldLock lock(engine_->Lock());
    engine_->RunScript(name, eventUnit);
  }
  // Moves the virtual clock through every pass the backend allows, script threads in step.
  static void RunPasses() {
    platform::Message message;
    while (platform::Get().GetMessage(message)) {
    }
  }

  nlohmann::json Variables() {
    engine::WorldLock lock(engine_->Lock());
    return ScriptStateJson(scripts_.get())["variables"];
  }
  nlohmann::json Scripts() {
    engine::WorldLock lock(engine_->Lock());
    return ScriptStateJson(scripts_.get())["scripts"];
  }

  std::unique_ptr<COrvantaEngine> engine_;
  std::unique_ptr<COrvantaScriptManager> scripts_;

 private:
  void StartEngine() {
    engine_ = std::make_unique<COrvantaEngine>(config_);
    scripts_ = std::make_unique<COrvantaScriptManager>(*engine_);
    scripts_->ConnectToEngine();
  }
};

}  // namespace testing_support
