// The scripts' part of the state dump. The caller holds the world lock.
#pragma once

#include <nlohmann/json.hpp>

#include "script/script_manager.h"

// "variables": {name: value} (numbers, true/false, texts) and "scripts": [{"name", "running",
// "line"}] in slot order, "line" being the file line in progress (0 when not running).
// Both empty without a manager.
nlohmann::json ScriptStateJson(const COrvantaScriptManager* manager) TL_REQUIRES(manager->World().engine.Lock());
