// A tile of a cell (tileset, row, column) packed into one 64-bit word, so that it can be stored
// and read in one atomic step. Word 0 is "no tile".
#pragma once

#include <algorithm>
#include <cstdint>

#include "map/map_cell.h"

namespace map {

struct TileRef {
  int tileset = kNoTileset;
  int row = 0;
  int column = 0;
};

namespace tile_word {
inline constexpr int kFieldBits = 28;  // row and column, signed
inline constexpr int64_t kFieldMax = (int64_t{1} << (kFieldBits - 1)) - 1;
inline constexpr uint64_t kFieldMask = (uint64_t{1} << kFieldBits) - 1;

inline uint64_t Field(int value) {
  int64_t clamped = std::clamp<int64_t>(value, -kFieldMax - 1, kFieldMax);
  return static_cast<uint64_t>(clamped) & kFieldMask;
}
inline int Unfield(uint64_t bits) {
  int64_t value = static_cast<int64_t>(bits & kFieldMask);
  if (value > kFieldMax) value -= int64_t{1} << kFieldBits;
  return static_cast<int>(value);
}
}  // namespace tile_word

// Tileset indices outside 0..254 are stored as "no tileset".
inline uint64_t PackTile(TileRef tile) {
  uint64_t set = (tile.tileset >= 0 && tile.tileset < 255) ? uint64_t(tile.tileset + 1) : 0;
  return (set << (2 * tile_word::kFieldBits)) | (tile_word::Field(tile.row) << tile_word::kFieldBits) |
         tile_word::Field(tile.column);
}

inline TileRef UnpackTile(uint64_t word) {
  TileRef tile;
  tile.tileset = static_cast<int>(word >> (2 * tile_word::kFieldBits)) - 1;
  tile.row = tile_word::Unfield(word >> tile_word::kFieldBits);
  tile.column = tile_word::Unfield(word);
  return tile;
}

}  // namespace map
