// The last start-up step of the map: the CGameMap made from the tables the Tiled readers filled.
#pragma once

#include <memory>
#include <vector>

#include "config/game_config.h"
#include "map/game_map.h"
#include "map/map_cell.h"

namespace map {

// Creates the map, loads its tileset images, fills its 128 x 128 cells from the two tile layers
// (which are emptied afterwards) and sets its camera to the initial view of the game settings.
// When the tileset images cannot be loaded it reports "Error in graphic pattern files." and
// still returns the map (without grid: it draws nothing); the posted quit ends the run.
// The caller owns the map and hands it to the engine; the map reads the game's settings and
// tables from then on.
std::unique_ptr<CGameMap> BuildGameMap(config::GameConfig& config);

// The cells the two tile layers describe, row by row, with the walkable rules applied.
std::vector<MapCell> BuildCells(const config::GameTables& tables);

}  // namespace map
