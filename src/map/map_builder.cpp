#include "map/map_builder.h"

#include "config/fatal_error.h"
#include "config/game_settings.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "map/tiled_readers.h"
#include "map/tileset_lookup.h"

namespace map {

namespace {

// The first tileset in use whose range holds the global id; tileset 0 when none does.
int TilesetOf(const config::GameTables& tables, int64_t gid) {
  for (int i = 0; i < config::kMaxTilesets; ++i) {
    const config::TilesetRecord& tileset = tables.tilesets[static_cast<std::size_t>(i)];
    if (tileset.inUse && tileset.firstGid <= gid && gid <= tileset.lastGid) return i;
  }
  return 0;
}

// One layer value applied to a cell: layer 0 sets the ground, layer 1 the overlay, which can
// only close a cell, never open it.
void ApplyTile(const config::GameTables& tables, std::size_t layer, uint32_t gid, MapCell& cell) {
  if (gid == 0) {
    (layer == 0 ? cell.groundTileset : cell.overlayTileset) = kNoTileset;
    return;
  }
  const int index = TilesetOf(tables, gid);
  const config::TilesetRecord& tileset = tables.tilesets[static_cast<std::size_t>(index)];
  const int local = static_cast<int>(static_cast<int64_t>(gid) - tileset.firstGid);
  const TileRef tile = TileOf(tileset, index, local);
  const int flag = WalkableFlag(tileset, local);
  if (layer == 0) {
    cell.groundTileset = tile.tileset;
    cell.groundRow = tile.row;
    cell.groundColumn = tile.column;
    cell.walkable = flag;
    cell.baseWalkable = flag;
  } else {
    cell.overlayTileset = tile.tileset;
    cell.overlayRow = tile.row;
    cell.overlayColumn = tile.column;
    if (cell.walkable != 0) cell.walkable = flag;
  }
}

std::vector<std::string> TilesetImagePaths(const config::GameConfig& config) {
  std::vector<std::string> paths;
  for (const config::TilesetRecord& tileset : config.tables.tilesets) {
    paths.push_back(tileset.inUse ? TilesetPath(config.launcher, tileset, ".bmp") : std::string());
  }
  return paths;
}

}  // namespace

std::vector<MapCell> BuildCells(const config::GameTables& tables) {
  std::vector<MapCell> cells(static_cast<std::size_t>(kMapRows) * kMapCols);
  for (std::size_t layer = 0; layer < tables.tileLayers.size(); ++layer) {
    const std::vector<uint32_t>& values = tables.tileLayers[layer];
    // Values beyond the grid are ignored; a short layer leaves the remaining cells as they start.
    const std::size_t count = std::min(values.size(), cells.size());
    for (std::size_t i = 0; i < count; ++i) ApplyTile(tables, layer, values[i], cells[i]);
  }
  return cells;
}

std::unique_ptr<CGameMap> BuildGameMap(config::GameConfig& config) {
  config::GameTables& tables = config.tables;
  const config::LauncherSettings& launcher = config.launcher;
  auto map = std::make_unique<CGameMap>();
  map->UseConfig(&config);
  if (!map->Init(TilesetImagePaths(config), kTileSize, kTileSize, launcher.windowWidth, launcher.windowHeight, kMapRows,
                 kMapCols)) {
    config::FatalError(config.listeners,
                       config::Tr(launcher.language, "Fatal error creating the map", "Error fatal creando el mapa"),
                       config::Tr(launcher.language, "Error in graphic pattern files.",
                                  "Error en los ficheros de patrones gráficos."));
  }
  std::vector<MapCell> cells = BuildCells(tables);
  tables.tileLayers = {};
  map->SetCameraX(config.settings.initialViewX);
  map->SetCameraY(config.settings.initialViewY);
  map->SetCells(cells);
  return map;
}

}  // namespace map
