// The definition tables the cast loaders filled, as JSON for the state dump.
#pragma once

#include <nlohmann/json.hpp>

#include "config/game_tables.h"

namespace app {

// {"inventory_objects": [{"number", "name", "description", "uses", "decrease_uses",
// "has_sprite"}...] for the defined objects in number order, "sprites": {"player": [numbers],
// "bot": [...], "other": [...]}}, texts in UTF-8.
nlohmann::json DefinitionsJson(const config::GameTables& tables);

}  // namespace app
