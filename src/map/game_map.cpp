#include "map/game_map.h"

#include <algorithm>
#include <bit>

#include "config/game_config.h"
#include "config/game_tables.h"
#include "map/band_worker.h"
#include "map/tile_word.h"

namespace {

constexpr int kScrollStep = 10;
constexpr int kEdgeBand = 60;        // left, right and top bands
constexpr int kRightBandEnd = 8;     // the right band stops this far from the right edge
constexpr int kBottomBandTop = 100;  // the bottom band lies 48..100 pixels above the lower edge
constexpr int kBottomBandEnd = 48;

const CBitmapSurface& InvalidSurface() {
  static const CBitmapSurface invalid;
  return invalid;
}

int CeilDiv(int value, int divisor) { return (value + divisor - 1) / divisor; }

// log2 of a side that is a power of two, else -1.
int ShiftOf(int side) {
  const auto bits = static_cast<unsigned>(side);
  return std::has_single_bit(bits) ? std::countr_zero(bits) : -1;
}

}  // namespace

CGameMap::CGameMap() {
  emptyTile_.Create(map::kTileSize, map::kTileSize);
  emptyTile_.Clear(0);
}

CGameMap::~CGameMap() = default;

bool CGameMap::Init(const std::vector<std::string>& tilesetPaths, int tileWidth, int tileHeight, int viewWidth,
                    int viewHeight, int rows, int cols) {
  tilesets_ = {};
  for (std::size_t i = 0; i < tilesetPaths.size() && i < kMaxTilesets; ++i) {
    if (tilesetPaths[i].empty()) break;
    auto image = std::make_unique<CBitmapSurface>();
    if (!image->LoadFile(tilesetPaths[i])) {
      cells_.reset();
      rows_ = cols_ = 0;
      return false;
    }
    tilesets_[i] = std::move(image);
  }
  cells_.reset();
  tileWidth_ = std::max(1, tileWidth);
  tileHeight_ = std::max(1, tileHeight);
  tileShiftX_ = ShiftOf(tileWidth_);
  tileShiftY_ = ShiftOf(tileHeight_);
  rows_ = std::clamp(rows, kMinCells, kMaxCells);
  cols_ = std::clamp(cols, kMinCells, kMaxCells);
  pixelWidth_ = cols_ * tileWidth_;
  pixelHeight_ = rows_ * tileHeight_;
  viewWidth_ = std::max(0, viewWidth);
  viewHeight_ = std::max(0, viewHeight);
  visibleRows_ = CeilDiv(viewHeight_, tileHeight_);
  visibleCols_ = CeilDiv(viewWidth_, tileWidth_);
  emptyTile_.Create(tileWidth_, tileHeight_);
  emptyTile_.Clear(0);
  cells_ = std::make_unique<StoredCell[]>(static_cast<std::size_t>(rows_) * cols_);
  blockedBlocks_.Reset(rows_, cols_);
  chunks_ = std::make_unique<map::ChunkCache>(rows_, cols_, tileWidth_, tileHeight_, viewWidth_, viewHeight_);
  chunkKeys_ = {};
  SetCameraX(CameraX());
  SetCameraY(CameraY());
  return true;
}

bool CGameMap::SetCells(const std::vector<map::MapCell>& cells) {
  if (!IsValid() || cells.size() != static_cast<std::size_t>(rows_) * cols_) return false;
  for (int row = 0; row < rows_; ++row) {
    for (int col = 0; col < cols_; ++col) {
      StoreCell(row, col, cells[static_cast<std::size_t>(row) * cols_ + col]);
    }
  }
  originals_.clear();
  return true;
}

void CGameMap::StoreCell(int row, int col, const map::MapCell& from) {
  StoredCell& to = At(row, col);
  StoreWalkable(row, col, from.walkable);
  to.baseWalkable.store(from.baseWalkable, std::memory_order_relaxed);
  to.ground.store(map::PackTile({from.groundTileset, from.groundRow, from.groundColumn}), std::memory_order_relaxed);
  to.overlay.store(map::PackTile({from.overlayTileset, from.overlayRow, from.overlayColumn}),
                   std::memory_order_relaxed);
  if (chunks_) chunks_->Invalidate(row, col);
}

void CGameMap::StoreWalkable(int row, int col, int32_t value) {
  const int32_t was = At(row, col).walkable.exchange(value, std::memory_order_relaxed);
  blockedBlocks_.NoteChange(row, col, was, value);
}

map::MapCell CGameMap::Cell(int row, int col) const {
  map::MapCell cell;
  if (!IsValid() || row < 0 || col < 0 || row >= rows_ || col >= cols_) return cell;
  const StoredCell& stored = At(row, col);
  cell.walkable = stored.walkable.load(std::memory_order_relaxed);
  cell.baseWalkable = stored.baseWalkable.load(std::memory_order_relaxed);
  map::TileRef ground = map::UnpackTile(stored.ground.load(std::memory_order_relaxed));
  map::TileRef overlay = map::UnpackTile(stored.overlay.load(std::memory_order_relaxed));
  cell.groundTileset = ground.tileset;
  cell.groundRow = ground.row;
  cell.groundColumn = ground.column;
  cell.overlayTileset = overlay.tileset;
  cell.overlayRow = overlay.row;
  cell.overlayColumn = overlay.column;
  return cell;
}

void CGameMap::SetCameraX(int x) {
  cameraX_.store(std::clamp(x, 0, std::max(0, pixelWidth_ - viewWidth_)), std::memory_order_relaxed);
}

void CGameMap::SetCameraY(int y) {
  cameraY_.store(std::clamp(y, 0, std::max(0, pixelHeight_ - viewHeight_)), std::memory_order_relaxed);
}

const CBitmapSurface& CGameMap::TilesetImage(int index) const {
  if (index < 0 || index >= kMaxTilesets || !tilesets_[static_cast<std::size_t>(index)]) {
    return InvalidSurface();
  }
  return *tilesets_[static_cast<std::size_t>(index)];
}

// ---- Drawing ------------------------------------------------------------------------------

CGameMap::View CGameMap::DrawnView() const {
  // The setters clamp already; a later Init may have shrunk the map, so clamp once more.
  View view;
  view.cameraX = std::clamp(CameraX(), 0, std::max(0, pixelWidth_ - viewWidth_));
  view.cameraY = std::clamp(CameraY(), 0, std::max(0, pixelHeight_ - viewHeight_));
  return view;
}

std::array<uint32_t, CGameMap::kMaxTilesets> CGameMap::TransparentColors() const {
  std::array<uint32_t, kMaxTilesets> keys{};
  const auto& tilesets = Config().tables.tilesets;
  for (int i = 0; i < kMaxTilesets; ++i) keys[i] = tilesets[static_cast<std::size_t>(i)].transparentColor;
  return keys;
}

void CGameMap::DrawCell(CBitmapSurface& dest, int x, int y, int row, int col,
                        const std::array<uint32_t, kMaxTilesets>& keys) const {
  if (row >= rows_ || col >= cols_) {  // a view larger than the map
    dest.Draw(x, y, tileWidth_, tileHeight_, emptyTile_, 0, 0);
    return;
  }
  const StoredCell& cell = At(row, col);
  const map::TileRef ground = map::UnpackTile(cell.ground.load(std::memory_order_relaxed));
  const map::TileRef overlay = map::UnpackTile(cell.overlay.load(std::memory_order_relaxed));
  const CBitmapSurface& groundImage = TilesetImage(ground.tileset);
  const bool hasGround = groundImage.IsValid();
  const CBitmapSurface& groundSource = hasGround ? groundImage : emptyTile_;
  dest.Draw(x, y, tileWidth_, tileHeight_, groundSource, hasGround ? ground.column * tileWidth_ : 0,
            hasGround ? ground.row * tileHeight_ : 0);
  if (overlay.tileset == map::kNoTileset) return;
  dest.DrawKeyed(x, y, tileWidth_, tileHeight_, TilesetImage(overlay.tileset), overlay.column * tileWidth_,
                 overlay.row * tileHeight_,
                 keys[static_cast<std::size_t>(std::clamp(overlay.tileset, 0, kMaxTilesets - 1))]);
}

CGameMap::DrawnCells CGameMap::CellsToDraw(View view) const {
  DrawnCells cells;
  cells.topRow = view.cameraY / tileHeight_;
  cells.leftCol = view.cameraX / tileWidth_;
  cells.rows = visibleRows_ + (view.cameraY % tileHeight_ > 0 ? 1 : 0);
  cells.cols = visibleCols_ + (view.cameraX % tileWidth_ > 0 ? 1 : 0);
  return cells;
}

void CGameMap::PrepareChunks(View view) const {
  // Pictures composed with other transparent colours are composed again.
  const std::array<uint32_t, kMaxTilesets> keys = TransparentColors();
  if (keys != chunkKeys_) {
    chunks_->InvalidateAll();
    chunkKeys_ = keys;
  }
  chunks_->BeginFrame();
  const DrawnCells cells = CellsToDraw(view);
  const int cellsX = chunks_->ChunkCellsX(), cellsY = chunks_->ChunkCellsY();
  drawnChunks_.firstRow = cells.topRow / cellsY;
  drawnChunks_.firstCol = cells.leftCol / cellsX;
  drawnChunks_.endRow = std::min(chunks_->ChunkRows(), (cells.topRow + cells.rows + cellsY - 1) / cellsY);
  drawnChunks_.endCol = std::min(chunks_->ChunkCols(), (cells.leftCol + cells.cols + cellsX - 1) / cellsX);
  drawnChunks_.pictures.clear();
  const map::ChunkCache::Composer compose = [this, &keys, cellsX, cellsY](CBitmapSurface& chunk, int firstRow,
                                                                          int firstCol) {
    for (int r = 0; r < cellsY; ++r) {
      for (int c = 0; c < cellsX; ++c)
        DrawCell(chunk, c * tileWidth_, r * tileHeight_, firstRow + r, firstCol + c, keys);
    }
  };
  for (int chunkRow = drawnChunks_.firstRow; chunkRow < drawnChunks_.endRow; ++chunkRow) {
    for (int chunkCol = drawnChunks_.firstCol; chunkCol < drawnChunks_.endCol; ++chunkCol) {
      drawnChunks_.pictures.push_back(chunks_->Get(chunkRow, chunkCol, compose));
    }
  }
}

void CGameMap::DrawRows(CBitmapSurface& dest, View view, int firstRow, int endRow) const {
  // The band's cells in world pixels: whole cells, as drawn one by one, clipped by the frame.
  const DrawnCells cells = CellsToDraw(view);
  DrawArea(dest, view, cells.leftCol * tileWidth_, (cells.topRow + firstRow) * tileHeight_,
           (cells.leftCol + cells.cols) * tileWidth_, (cells.topRow + endRow) * tileHeight_);
  // Cells past the last chunk (a view larger than the map) are drawn empty one by one.
  const std::array<uint32_t, kMaxTilesets> keys = chunkKeys_;
  const int chunkedRight = chunks_->CoveredCols();
  const int chunkedBottom = chunks_->CoveredRows();
  for (int row = cells.topRow + firstRow; row < cells.topRow + endRow; ++row) {
    for (int col = cells.leftCol; col < cells.leftCol + cells.cols; ++col) {
      if (row < chunkedBottom && col < chunkedRight) continue;
      DrawCell(dest, col * tileWidth_ - view.cameraX, row * tileHeight_ - view.cameraY, row, col, keys);
    }
  }
}

void CGameMap::DrawArea(CBitmapSurface& dest, View view, int left, int top, int right, int bottom) const {
  const int chunkWidth = chunks_->ChunkCellsX() * tileWidth_;
  const int chunkHeight = chunks_->ChunkCellsY() * tileHeight_;
  const int chunkCols = drawnChunks_.endCol - drawnChunks_.firstCol;
  const std::array<uint32_t, kMaxTilesets> keys = chunkKeys_;
  // The cells of world pixels [x0, x1) x [y0, y1), whole cells, one by one.
  auto drawCells = [&](int x0, int y0, int x1, int y1) {
    for (int row = y0 / tileHeight_; row < y1 / tileHeight_; ++row) {
      for (int col = x0 / tileWidth_; col < x1 / tileWidth_; ++col)
        DrawCell(dest, col * tileWidth_ - view.cameraX, row * tileHeight_ - view.cameraY, row, col, keys);
    }
  };
  for (int chunkRow = drawnChunks_.firstRow; chunkRow < drawnChunks_.endRow; ++chunkRow) {
    const int chunkTop = chunkRow * chunkHeight;
    const int y0 = std::max(top, chunkTop), y1 = std::min(bottom, chunkTop + chunkHeight);
    if (y0 >= y1) continue;
    for (int chunkCol = drawnChunks_.firstCol; chunkCol < drawnChunks_.endCol; ++chunkCol) {
      const int chunkLeft = chunkCol * chunkWidth;
      const int x0 = std::max(left, chunkLeft), x1 = std::min(right, chunkLeft + chunkWidth);
      if (x0 >= x1) continue;
      const CBitmapSurface* picture = drawnChunks_.pictures[static_cast<std::size_t>(
          (chunkRow - drawnChunks_.firstRow) * chunkCols + (chunkCol - drawnChunks_.firstCol))];
      if (picture == nullptr) {
        drawCells(x0, y0, x1, y1);  // not composed this time
      } else {
        dest.Draw(x0 - view.cameraX, y0 - view.cameraY, x1 - x0, y1 - y0, *picture, x0 - chunkLeft, y0 - chunkTop);
      }
    }
  }
}

bool CGameMap::RedrawChanges(CBitmapSurface& dest, View view) const {
  const DrawnPicture& last = drawnPicture_;
  if (last.dest != &dest || last.logNumber != dest.ChangeLogNumber() || !dest.KeepsChangeLog() || dest.ChangedWhole() ||
      last.width != dest.GetWidth() || last.height != dest.GetHeight() || last.view != view ||
      last.compositions != chunks_->Compositions()) {
    return false;
  }
  // Every chunk is copied as composed; cells drawn one by one are drawn whole.
  if (std::find(drawnChunks_.pictures.begin(), drawnChunks_.pictures.end(), nullptr) != drawnChunks_.pictures.end()) {
    return false;
  }
  const DrawnCells cells = CellsToDraw(view);
  if (cells.topRow + cells.rows > chunks_->CoveredRows() || cells.leftCol + cells.cols > chunks_->CoveredCols()) {
    return false;
  }
  // Changes covering as much as the whole frame are cheaper drawn whole.
  int64_t area = 0;
  for (const CBitmapSurface::ChangedRect& rect : dest.ChangedRects()) area += int64_t{rect.width} * rect.height;
  if (area >= int64_t{dest.GetWidth()} * dest.GetHeight()) return false;
  const int left = cells.leftCol * tileWidth_, right = (cells.leftCol + cells.cols) * tileWidth_;
  const int top = cells.topRow * tileHeight_, bottom = (cells.topRow + cells.rows) * tileHeight_;
  // The log is stopped first, so the drawing below leaves the rectangles as they are.
  dest.StopChangeLog();
  for (const CBitmapSurface::ChangedRect& rect : dest.ChangedRects()) {
    const int x = rect.x + view.cameraX, y = rect.y + view.cameraY;
    DrawArea(dest, view, std::max(left, x), std::max(top, y), std::min(right, x + rect.width),
             std::min(bottom, y + rect.height));
  }
  return true;
}

void CGameMap::NoteDrawn(CBitmapSurface& dest, View view) const {
  dest.StartChangeLog();
  drawnPicture_ = {&dest, dest.ChangeLogNumber(), dest.GetWidth(), dest.GetHeight(), view, chunks_->Compositions()};
}

void CGameMap::DrawMap(CBitmapSurface& dest) const {
  if (!IsValid()) return;
  const View view = DrawnView();
  PrepareChunks(view);
  if (!RedrawChanges(dest, view)) {
    dest.StopChangeLog();
    DrawRows(dest, view, 0, CellsToDraw(view).rows);
  }
  NoteDrawn(dest, view);
}

void CGameMap::DrawMapTwoThreads(CBitmapSurface& dest) {
  if (!IsValid()) return;
  const View view = DrawnView();
  // The chunks are composed here, before the bands are copied on two threads.
  PrepareChunks(view);
  if (!RedrawChanges(dest, view)) {
    dest.StopChangeLog();  // nothing to note while two threads draw
    const int rows = CellsToDraw(view).rows;
    // The helper draws the screen rows above the middle, this thread the rest; the bands are
    // disjoint pixel rows of the frame.
    const int half = std::min(rows, (viewHeight_ / tileHeight_) / 2);
    if (!worker_) worker_ = std::make_unique<map::BandWorker>();
    worker_->Start([this, &dest, view, half] { DrawRows(dest, view, 0, half); });
    DrawRows(dest, view, half, rows);
    worker_->Wait();
  }
  NoteDrawn(dest, view);
}

const config::GameConfig& CGameMap::Config() const {
  static const config::GameConfig kStartValues;  // never changed
  return config_ != nullptr ? *config_ : kStartValues;
}

// ---- Scrolling and collision --------------------------------------------------------------

void CGameMap::ScrollAtEdges(int mouseX, int mouseY, const std::array<int, 4>& players) {
  if (!IsValid()) return;
  const auto& limits = Config().settings.viewLimits;  // left, top, right, bottom
  const int width = viewWidth_;
  const int height = viewHeight_;

  const int x = CameraX();
  if (mouseX >= 1 && mouseX < kEdgeBand) {
    if (x > limits[0] && x > players[0]) SetCameraX(std::max(x - kScrollStep, 0));
  } else if (mouseX > width - kEdgeBand && mouseX < width - kRightBandEnd) {
    if (x < limits[2] - width && x < players[2] - width) {
      SetCameraX(std::min(x + kScrollStep, pixelWidth_ - viewWidth_));
    }
  }

  const int y = CameraY();
  if (mouseY >= 1 && mouseY < kEdgeBand) {
    if (y > limits[1] && y > players[1]) SetCameraY(std::max(y - kScrollStep, 0));
  } else if (mouseY > height - kBottomBandTop && mouseY < height - kBottomBandEnd) {
    if (y < limits[3] - height && y < players[3] - height) {
      SetCameraY(std::min(y + kScrollStep, pixelHeight_ - viewHeight_));
    }
  }
}

bool CGameMap::IsBlocked(int left, int top, int right, int bottom) const {
  if (!IsValid()) return false;
  const int topRow = RowAt(top), bottomRow = RowAt(bottom), leftCol = ColumnAt(left), rightCol = ColumnAt(right);
  auto blocked = [this](int row, int col) { return At(row, col).walkable.load(std::memory_order_relaxed) == 0; };
  return blocked(topRow, leftCol) || blocked(topRow, rightCol) || blocked(bottomRow, leftCol) ||
         blocked(bottomRow, rightCol);
}

bool CGameMap::MayBeBlocked(int left, int top, int right, int bottom) const {
  if (!IsValid()) return false;
  return blockedBlocks_.MayBeBlocked(RowAt(top), ColumnAt(left), RowAt(bottom), ColumnAt(right));
}

int CGameMap::ClampedCell(int pixel, int side, int shift, int count) {
  // Below zero, rounding down and rounding toward zero both clamp to the first cell; a shift
  // spares the blocked test, asked thousands of times a step, its divisions.
  return std::clamp(shift >= 0 ? pixel >> shift : pixel / side, 0, count - 1);
}
