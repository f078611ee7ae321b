// SET_MAP_TILE: a script changes the ground or the overlay tile of one cell.
#include <array>
#include <string_view>

#include "config/game_config.h"
#include "config/ini_values.h"
#include "map/game_map.h"
#include "map/tileset_lookup.h"

namespace {

constexpr std::string_view kDelimiters = " ,";

// The parameter text split as the command reads it: four tokens separated by blanks and commas,
// then everything after the delimiter that ends the fourth.
struct TileCommand {
  std::string_view x, y, layer, tileset, tile;
};

// False when an item is missing or empty.
bool SplitCommand(std::string_view text, TileCommand& out) {
  std::array<std::string_view, 4> tokens;
  std::size_t pos = 0;
  for (auto& token : tokens) {
    pos = text.find_first_not_of(kDelimiters, pos);
    if (pos == std::string_view::npos) return false;
    std::size_t end = std::min(text.find_first_of(kDelimiters, pos), text.size());
    token = text.substr(pos, end - pos);
    pos = end;
  }
  if (pos < text.size()) ++pos;  // the delimiter that ended the fourth token
  std::string_view rest = text.substr(pos);
  if (rest.empty()) return false;
  // Each item is read from a fixed-size buffer in the command: longer items are cut.
  out = TileCommand{tokens[0].substr(0, 7), tokens[1].substr(0, 7), tokens[2].substr(0, 15), tokens[3].substr(0, 63),
                    rest.substr(0, 7)};
  return true;
}

// The tileset a command names: "NULL" for none (-1), else the first tileset in use with that
// base name, else tileset 0.
int TilesetNamed(const config::GameTables& tables, std::string_view name) {
  if (config::EqualsNoCase(name, "NULL")) return map::kNoTileset;
  const auto& tilesets = tables.tilesets;
  for (int i = 0; i < config::kMaxTilesets; ++i) {
    const auto& record = tilesets[static_cast<std::size_t>(i)];
    if (record.inUse && config::EqualsNoCase(record.baseName, name)) return i;
  }
  return 0;
}

}  // namespace

void CGameMap::SetTile(const std::string& parameters) {
  if (!IsValid()) return;
  TileCommand command;
  if (!SplitCommand(parameters, command)) return;
  const int col = std::max(0, config::ParseInt(command.x));
  const int row = std::max(0, config::ParseInt(command.y));
  if (col >= cols_ || row >= rows_) return;  // never write outside the grid
  const bool overlayLayer = config::EqualsNoCase(command.layer, "Overlays");

  const int tileset = TilesetNamed(Config().tables, command.tileset);
  map::TileRef tile{map::kNoTileset, 0, 0};
  int flag = 1;
  if (tileset != map::kNoTileset) {
    const auto& record = Config().tables.tilesets[static_cast<std::size_t>(tileset)];
    if (!record.inUse) return;  // no tileset at all: nothing to draw from
    int local = config::ParseInt(command.tile);
    if (local > record.lastGid - record.firstGid) return;
    local = std::max(0, local);
    tile = map::TileOf(record, tileset, local);
    flag = map::WalkableFlag(record, local);
  }

  // The cell as the map file made it is kept the first time it changes: a saved game holds the
  // changed cells, and loading one puts back the cells changed since.
  originals_.try_emplace(row * cols_ + col, Cell(row, col));
  StoredCell& cell = At(row, col);
  if (overlayLayer) {
    cell.overlay.store(map::PackTile(tile), std::memory_order_relaxed);
    if (tileset == map::kNoTileset) {
      StoreWalkable(row, col, cell.baseWalkable.load(std::memory_order_relaxed));
    } else if (cell.walkable.load(std::memory_order_relaxed) != 0) {
      StoreWalkable(row, col, flag);
    }
  } else {
    cell.ground.store(map::PackTile(tile), std::memory_order_relaxed);
    StoreWalkable(row, col, flag);
  }
  chunks_->Invalidate(row, col);
}
