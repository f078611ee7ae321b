// What the scripts of one game run against: its engine (units, HUD, map and the world lock), the
// variables every script shares and what scripts keep about units. Everything here is guarded by
// the engine's Lock().
#pragma once

#include "engine/orvanta_engine.h"
#include "script/script_unit_fields.h"
#include "script/script_variables.h"

namespace script {

struct ScriptContext {
  explicit ScriptContext(COrvantaEngine& gameEngine) : engine(gameEngine) {}
  ScriptContext(const ScriptContext&) = delete;
  ScriptContext& operator=(const ScriptContext&) = delete;

  COrvantaEngine& engine;
  VariableTable variables TL_GUARDED_BY(engine.Lock());
  UnitFieldTable unitFields TL_GUARDED_BY(engine.Lock());
};

}  // namespace script
