// The map's part of the world state written for end-to-end tests (--dump-state).
#pragma once

#include <nlohmann/json.hpp>

#include "config/game_tables.h"

class CGameMap;

namespace map {

// {"map": {"camera": [x, y], "tilesets": [{"name", "first_gid", "last_gid", "width", "height",
//  "transparent": "#RRGGBB"}, ...], "walkable": [one string per cell row, '1' passable, '0'
//  blocked, row 0 first]}, "objects": {"<object layer name>": [[number, x, y, width, height],
//  ...]}}. A null or invalid map gives camera [0, 0] and no walkable rows.
nlohmann::json MapStateJson(const config::GameTables& tables, const CGameMap* map);

}  // namespace map
