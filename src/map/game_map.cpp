#include "map/game_map.h"

#include <algorithm>

#include "config/game_config.h"
#include "config/game_tables.h"
#include "gfx/blit_rows.h"
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
  to.walkable.store(from.walkable, std::memory_order_relaxed);
  to.baseWalkable.store(from.baseWalkable, std::memory_order_relaxed);
  to.ground.store(map::PackTile({from.groundTileset, from.groundRow, from.groundColumn}), std::memory_order_relaxed);
  to.overlay.store(map::PackTile({from.overlayTileset, from.overlayRow, from.overlayColumn}),
                   std::memory_order_relaxed);
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

int CGameMap::RowsToDraw(View view) const { return visibleRows_ + (view.cameraY % tileHeight_ > 0 ? 1 : 0); }

void CGameMap::DrawRows(CBitmapSurface& dest, View view, int firstRow, int endRow) const {
  const int topRow = view.cameraY / tileHeight_;
  const int leftCol = view.cameraX / tileWidth_;
  const int offsetY = view.cameraY % tileHeight_;
  const int offsetX = view.cameraX % tileWidth_;
  const int colsToDraw = visibleCols_ + (offsetX > 0 ? 1 : 0);

  std::array<uint32_t, kMaxTilesets> keys{};
  const auto& tilesets = Config().tables.tilesets;
  for (int i = 0; i < kMaxTilesets; ++i) keys[i] = tilesets[static_cast<std::size_t>(i)].transparentColor;

  // A cell with an overlay is put together here and copied to the frame once: large frames are
  // written with streaming stores that bypass the caches, so keying the overlay straight onto
  // the frame would read the ground back from memory.
  CBitmapSurface composed;
  composed.Create(tileWidth_, tileHeight_);

  for (int r = firstRow; r < endRow; ++r) {
    const int row = topRow + r;
    const int y = r * tileHeight_ - offsetY;
    for (int c = 0; c < colsToDraw; ++c) {
      const int col = leftCol + c;
      const int x = c * tileWidth_ - offsetX;
      if (row >= rows_ || col >= cols_) {  // a view larger than the map
        dest.Draw(x, y, tileWidth_, tileHeight_, emptyTile_, 0, 0);
        continue;
      }
      const StoredCell& cell = At(row, col);
      const map::TileRef ground = map::UnpackTile(cell.ground.load(std::memory_order_relaxed));
      const map::TileRef overlay = map::UnpackTile(cell.overlay.load(std::memory_order_relaxed));
      const CBitmapSurface& groundImage = TilesetImage(ground.tileset);
      const bool hasGround = groundImage.IsValid();
      const CBitmapSurface& groundSource = hasGround ? groundImage : emptyTile_;
      const int groundX = hasGround ? ground.column * tileWidth_ : 0;
      const int groundY = hasGround ? ground.row * tileHeight_ : 0;
      if (overlay.tileset == map::kNoTileset) {
        dest.Draw(x, y, tileWidth_, tileHeight_, groundSource, groundX, groundY);
        continue;
      }
      composed.Draw(0, 0, tileWidth_, tileHeight_, groundSource, groundX, groundY);
      composed.DrawKeyed(0, 0, tileWidth_, tileHeight_, TilesetImage(overlay.tileset), overlay.column * tileWidth_,
                         overlay.row * tileHeight_,
                         keys[static_cast<std::size_t>(std::clamp(overlay.tileset, 0, kMaxTilesets - 1))]);
      dest.Draw(x, y, tileWidth_, tileHeight_, composed, 0, 0);
    }
  }
}

void CGameMap::DrawMap(CBitmapSurface& dest) const {
  if (!IsValid()) return;
  const View view = DrawnView();
  DrawRows(dest, view, 0, RowsToDraw(view));
}

void CGameMap::DrawMapTwoThreads(CBitmapSurface& dest) {
  if (!IsValid()) return;
  const View view = DrawnView();
  const int rows = RowsToDraw(view);
  // The helper draws the screen rows above the middle, this thread the rest; the bands are
  // disjoint pixel rows of the frame.
  const int half = std::min(rows, (viewHeight_ / tileHeight_) / 2);
  if (!worker_) worker_ = std::make_unique<map::BandWorker>();
  worker_->Start([this, &dest, view, half] {
    DrawRows(dest, view, 0, half);
    gfx::PublishStreamedWrites();  // the caller reads the frame next
  });
  DrawRows(dest, view, half, rows);
  worker_->Wait();
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
  const int corners[4][2] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
  for (const auto& corner : corners) {
    const int row = std::clamp(corner[1] / tileHeight_, 0, rows_ - 1);
    const int col = std::clamp(corner[0] / tileWidth_, 0, cols_ - 1);
    if (At(row, col).walkable.load(std::memory_order_relaxed) == 0) return true;
  }
  return false;
}
