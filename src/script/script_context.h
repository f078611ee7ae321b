// What the scripts of one game run against: its engine (units, HUD, map and the world lock), the
// variables every script shares and what scripts keep about units. Everything here is guarded by
// the engine's Lock().
#pragma once

#include "script/script_unit_fields.h"
#include "script/script_variables.h"

class COrvantaEngine;

namespace script {

struct ScriptContext {
  explicit ScriptContext(COrvantaEngine& gameEngine) : engine(gameEngine) {}
  ScriptContext(const ScriptContext&) = delete;
  ScriptContext& operator=(const ScriptContext&) = delete;

  COrvantaEngine& engine;
  VariableTable variables;
  UnitFieldTable unitFields;
};

}  // namespace script
