// How a local tile number of a tileset becomes a place in its image and a walkable flag; shared
// by the map builder and the tile change of scripts so that both read the tileset table alike.
#pragma once

#include <algorithm>
#include <cstddef>

#include "config/game_tables.h"
#include "map/tile_word.h"

namespace map {

// Tiles per image row: image width / 64, at least 1 so a degenerate record cannot divide by 0.
inline int TilesPerRow(const config::TilesetRecord& tileset) { return std::max(1, tileset.imageWidth / kTileSize); }

inline TileRef TileOf(const config::TilesetRecord& tileset, int tilesetIndex, int localId) {
  int perRow = TilesPerRow(tileset);
  return TileRef{tilesetIndex, localId / perRow, localId % perRow};
}

// The tile's walkable flag; a tile the tileset file gave no flag is walkable.
inline int WalkableFlag(const config::TilesetRecord& tileset, int localId) {
  if (localId < 0 || static_cast<std::size_t>(localId) >= tileset.walkable.size()) return 1;
  return tileset.walkable[static_cast<std::size_t>(localId)];
}

}  // namespace map
