// One cell of the game map as the map builder prepares it and as CGameMap hands it out. The
// defaults are the values every cell starts with before the Tiled layers are applied.
#pragma once

namespace map {

inline constexpr int kMapRows = 128;
inline constexpr int kMapCols = 128;
inline constexpr int kTileSize = 64;
inline constexpr int kNoTileset = -1;
// Base walkable of a cell built without a ground tile: non-zero, so passable.
inline constexpr int kNoGroundBaseWalkable = 33;

struct MapCell {
  int walkable = 1;  // 0 = blocked, anything else = passable
  int baseWalkable = kNoGroundBaseWalkable;
  int groundTileset = kNoTileset;
  int groundRow = 2;
  int groundColumn = 0;
  int overlayTileset = kNoTileset;
  int overlayRow = 0;
  int overlayColumn = 0;
};

}  // namespace map
