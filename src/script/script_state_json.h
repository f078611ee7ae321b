// The scripts' part of the state dump. The caller holds WorldLock().
#pragma once

#include <nlohmann/json.hpp>

// "variables": {name: value} (numbers, true/false, texts) and "scripts": [{"name", "running",
// "line"}] in slot order, "line" being the file line in progress (0 when not running).
nlohmann::json ScriptStateJson();
