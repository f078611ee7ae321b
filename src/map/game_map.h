// CGameMap: the world's ground. A grid of square cells, each showing a ground tile and an
// overlay tile keyed with its tileset's transparent colour, each with one walkable value; the
// images of up to ten tilesets; and the camera, the world pixel shown at the view's top-left.
//
// Threads: drawing, scrolling and the blocked test run on the game-loop thread while scripts
// change tiles and the camera from their own threads. Cell fields and the camera are atomics,
// and a cell's three fields of one tile (tileset, row, column) travel in one word, so a reader
// never sees a tile half changed.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "map/blocked_blocks.h"
#include "map/chunk_cache.h"
#include "map/map_cell.h"
#include "map/path_finder.h"

namespace config {
struct GameConfig;
}

namespace map {
class BandWorker;
}

class CGameMap {
 public:
  static constexpr int kMaxTilesets = 10;
  static constexpr int kMinCells = 32;
  static constexpr int kMaxCells = 1024;

  CGameMap();
  virtual ~CGameMap();
  CGameMap(const CGameMap&) = delete;
  CGameMap& operator=(const CGameMap&) = delete;

  // Loads the tileset images (the list ends at the first empty path, at most ten), stores the
  // sizes (rows and cols clamped to 32..1024, tile sizes at least 1) and allocates the grid.
  // A tileset image that cannot be loaded leaves the map without grid and returns false.
  bool Init(const std::vector<std::string>& tilesetPaths, int tileWidth, int tileHeight, int viewWidth, int viewHeight,
            int rows, int cols);
  bool IsValid() const { return cells_ != nullptr; }

  // The settings and tables of the game the map belongs to (tilesets' transparent colours, view
  // limits, the players' box); a map without them draws and scrolls with the start values.
  void UseConfig(const config::GameConfig* config) { config_ = config; }
  const config::GameConfig& Config() const;

  // The scratch tables of the detour searches of units on this map; searching changes no cell.
  map::DetourScratch& DetourTables() const { return detourTables_; }

  // Copies a rows x cols grid, row by row; false on a map without grid or a grid of another size.
  bool SetCells(const std::vector<map::MapCell>& cells);
  // A copy of one cell; the start values for coordinates outside the grid.
  map::MapCell Cell(int row, int col) const;

  // The camera always stays where drawing reads only cells of the grid: positions set from
  // outside (the initial view, scripts) are clamped to 0..pixel size - view size.
  int CameraX() const { return cameraX_.load(std::memory_order_relaxed); }
  int CameraY() const { return cameraY_.load(std::memory_order_relaxed); }
  void SetCameraX(int x);
  void SetCameraY(int y);

  // Draws the visible cells into the frame surface: on this thread, or split into two bands of
  // rows drawn by this thread and a helper thread. Both give the same picture. Where the surface
  // still holds the map's last picture (the same view, no chunk composed since), only the parts
  // its change log names are drawn again; the picture is the same.
  void DrawMap(CBitmapSurface& dest) const;
  void DrawMapTwoThreads(CBitmapSurface& dest);

  // Moves the camera 10 pixels when the pointer (window client coordinates) rests in an edge
  // band, within the view limits of the game settings and the players' box (left, top, right,
  // bottom).
  void ScrollAtEdges(int mouseX, int mouseY, const std::array<int, 4>& playersBox);

  // True when one of the rectangle's four corners (world pixels, edges included) lies in a
  // blocked cell; corners outside the grid count as the nearest border cell. A unit asks with
  // its collision box moved to its position.
  bool IsBlocked(int left, int top, int right, int bottom) const;
  // False only when no cell the rectangle covers (clamped to the grid in the same way) is
  // blocked: then no rectangle inside it is blocked either. Asked once for an area that many
  // blocked tests would otherwise cover one by one.
  bool MayBeBlocked(int left, int top, int right, int bottom) const;

  // SET_MAP_TILE: "x y layer tileset tile" (x, y in cells). Commands naming a cell outside the
  // grid, a missing item or a tile beyond the tileset's range change nothing.
  void SetTile(const std::string& parameters);

  // The map's part of a saved game: the camera and every cell a command changed, with what the
  // map file gave it. LoadState checks everything first (config::SaveError) and changes nothing
  // on a refusal; then the cells changed since go back to the map file's, and the saved ones
  // take their saved values. The caller holds the world lock.
  void SaveState(nlohmann::json& out) const;
  void LoadState(const nlohmann::json& in);

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  int TileWidth() const { return tileWidth_; }
  int TileHeight() const { return tileHeight_; }
  int PixelWidth() const { return pixelWidth_; }
  int PixelHeight() const { return pixelHeight_; }
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  int VisibleRows() const { return visibleRows_; }
  int VisibleCols() const { return visibleCols_; }
  const CBitmapSurface& TilesetImage(int index) const;

 private:
  // A cell as stored: each tile (tileset, row, column) packed in one word.
  struct StoredCell {
    std::atomic<int32_t> walkable{1};
    std::atomic<int32_t> baseWalkable{map::kNoGroundBaseWalkable};
    std::atomic<uint64_t> ground{0};
    std::atomic<uint64_t> overlay{0};
  };
  struct View {
    int cameraX = 0;
    int cameraY = 0;
    bool operator==(const View&) const = default;
  };
  // The picture the map last drew into a surface, which keeps a change log from then on.
  struct DrawnPicture {
    const CBitmapSurface* dest = nullptr;
    uint64_t logNumber = 0;
    int width = 0, height = 0;
    View view;
    uint64_t compositions = 0;
  };

  void StoreCell(int row, int col, const map::MapCell& cell);
  // Every change of a cell's walkable value goes through here, to keep the blocks' counts.
  void StoreWalkable(int row, int col, int32_t value);
  // The cells a view draws: from (topRow, leftCol), rows x cols of them.
  struct DrawnCells {
    int topRow = 0, leftCol = 0, rows = 0, cols = 0;
  };
  // The chunks a frame copies from, composed before it is drawn.
  struct DrawnChunks {
    int firstRow = 0, firstCol = 0, endRow = 0, endCol = 0;
    std::vector<const CBitmapSurface*> pictures;  // row by row
  };

  View DrawnView() const;
  DrawnCells CellsToDraw(View view) const;
  std::array<uint32_t, kMaxTilesets> TransparentColors() const;
  // Draws one cell (ground, then overlay keyed with its tileset's colour) at (x, y) of `dest`;
  // a cell outside the grid draws the empty tile.
  void DrawCell(CBitmapSurface& dest, int x, int y, int row, int col,
                const std::array<uint32_t, kMaxTilesets>& keys) const;
  // Composes the chunks the view shows that are missing or changed (one thread).
  void PrepareChunks(View view) const;
  // Copies the screen rows [firstRow, endRow) of the view's rows of cells from the chunks.
  void DrawRows(CBitmapSurface& dest, View view, int firstRow, int endRow) const;
  // Copies the world pixels [left, right) x [top, bottom) of the chunks the view shows; the
  // cells of a chunk not composed are drawn whole, one by one.
  void DrawArea(CBitmapSurface& dest, View view, int left, int top, int right, int bottom) const;
  // Draws again just what changed in `dest` since the map drew its picture there, when that
  // picture still stands and every chunk of the view is composed; false, drawing nothing, if not.
  bool RedrawChanges(CBitmapSurface& dest, View view) const;
  // Notes the picture just drawn and starts the surface's change log.
  void NoteDrawn(CBitmapSurface& dest, View view) const;
  // The row or column holding a pixel coordinate, clamped to the grid.
  static int ClampedCell(int pixel, int side, int shift, int count);
  int RowAt(int y) const { return ClampedCell(y, tileHeight_, tileShiftY_, rows_); }
  int ColumnAt(int x) const { return ClampedCell(x, tileWidth_, tileShiftX_, cols_); }
  StoredCell& At(int row, int col) { return cells_[static_cast<std::size_t>(row) * cols_ + col]; }
  const StoredCell& At(int row, int col) const { return cells_[static_cast<std::size_t>(row) * cols_ + col]; }

  std::unique_ptr<StoredCell[]> cells_;
  map::BlockedBlocks blockedBlocks_;
  int rows_ = 0;
  int cols_ = 0;
  int pixelWidth_ = 0;
  int pixelHeight_ = 0;
  int tileWidth_ = 0;
  int tileHeight_ = 0;
  int tileShiftX_ = -1;  // log2 of a tile side that is a power of two, else -1
  int tileShiftY_ = -1;
  int viewWidth_ = 0;
  int viewHeight_ = 0;
  int visibleRows_ = 0;
  int visibleCols_ = 0;
  std::atomic<int> cameraX_{0};
  std::atomic<int> cameraY_{0};
  std::array<std::unique_ptr<CBitmapSurface>, kMaxTilesets> tilesets_;  // null: none loaded
  CBitmapSurface emptyTile_;
  std::unique_ptr<map::BandWorker> worker_;  // started by the first two-thread drawing
  // The composed chunks, and those of the frame being drawn (the drawing thread's).
  std::unique_ptr<map::ChunkCache> chunks_;
  mutable std::array<uint32_t, kMaxTilesets> chunkKeys_{};
  mutable DrawnChunks drawnChunks_;
  mutable DrawnPicture drawnPicture_;
  const config::GameConfig* config_ = nullptr;
  mutable map::DetourScratch detourTables_;
  // The cells changed since the map was built, by row * cols + col, as the map file made them
  // (guarded by the world lock, like every change of a cell).
  std::map<int, map::MapCell> originals_;
};
