// The map's part of a saved game: the camera and the cells commands changed.
#include <nlohmann/json.hpp>
#include <vector>

#include "config/saved_values.h"
#include "map/game_map.h"

namespace {

constexpr int kFieldCount = 8;

nlohmann::json CellFields(const map::MapCell& cell) {
  return {cell.walkable,     cell.baseWalkable,   cell.groundTileset, cell.groundRow,
          cell.groundColumn, cell.overlayTileset, cell.overlayRow,    cell.overlayColumn};
}

map::MapCell ReadCell(const nlohmann::json& fields) {
  if (!fields.is_array() || fields.size() != kFieldCount) throw config::SaveError("a map cell has the wrong fields");
  auto at = [&](std::size_t i, int64_t low, int64_t high) {
    return static_cast<int>(config::SavedNumberAt(fields, i, low, high));
  };
  constexpr int64_t kAny = 1 << 26;  // within the packed tile word's range
  map::MapCell cell;
  cell.walkable = at(0, -kAny, kAny);
  cell.baseWalkable = at(1, -kAny, kAny);
  cell.groundTileset = at(2, map::kNoTileset, CGameMap::kMaxTilesets - 1);
  cell.groundRow = at(3, -kAny, kAny);
  cell.groundColumn = at(4, -kAny, kAny);
  cell.overlayTileset = at(5, map::kNoTileset, CGameMap::kMaxTilesets - 1);
  cell.overlayRow = at(6, -kAny, kAny);
  cell.overlayColumn = at(7, -kAny, kAny);
  return cell;
}

struct SavedCell {
  int row = 0, col = 0;
  map::MapCell now, was;
};

}  // namespace

void CGameMap::SaveState(nlohmann::json& out) const {
  out = nlohmann::json::object();
  out["camera"] = {CameraX(), CameraY()};
  out["size"] = {rows_, cols_};
  nlohmann::json cells = nlohmann::json::array();
  for (const auto& [index, was] : originals_) {
    const int row = index / cols_, col = index % cols_;
    cells.push_back({{"row", row}, {"col", col}, {"now", CellFields(Cell(row, col))}, {"was", CellFields(was)}});
  }
  out["cells"] = cells;
}

void CGameMap::LoadState(const nlohmann::json& in) {
  const auto& size = config::SavedArray(in, "size", 2);
  if (config::SavedNumberAt(size, 0, 0, kMaxCells) != rows_ || config::SavedNumberAt(size, 1, 0, kMaxCells) != cols_) {
    throw config::SaveError("the map has another size");
  }
  const auto& camera = config::SavedArray(in, "camera", 2);
  const int cameraX = static_cast<int>(config::SavedNumberAt(camera, 0, 0, 1 << 30));
  const int cameraY = static_cast<int>(config::SavedNumberAt(camera, 1, 0, 1 << 30));
  const auto& list = config::SavedArray(in, "cells", static_cast<std::size_t>(rows_) * cols_);
  std::vector<SavedCell> cells;
  cells.reserve(list.size());
  for (const auto& entry : list) {
    SavedCell cell;
    cell.row = config::SavedInt(entry, "row", 0, rows_ - 1);
    cell.col = config::SavedInt(entry, "col", 0, cols_ - 1);
    cell.now = ReadCell(config::SavedMember(entry, "now"));
    cell.was = ReadCell(config::SavedMember(entry, "was"));
    cells.push_back(cell);
  }
  // Everything is read: from here on nothing can fail.
  for (const auto& [index, was] : originals_) StoreCell(index / cols_, index % cols_, was);
  originals_.clear();
  for (const SavedCell& cell : cells) {
    originals_.insert_or_assign(cell.row * cols_ + cell.col, cell.was);
    StoreCell(cell.row, cell.col, cell.now);
  }
  SetCameraX(cameraX);
  SetCameraY(cameraY);
}
