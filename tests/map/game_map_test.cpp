#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <thread>
#include <utility>

#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/saved_values.h"
#include "map/game_map.h"
#include "map_test_support.h"

namespace {

using map::MapCell;

constexpr int kW = 1280;
constexpr int kH = 832;
constexpr uint32_t kUntouched = 0xABCDEF;

// A fixed sequence of numbers below a bound, for the randomised drawings.
struct Sequence {
  uint32_t seed;
  int operator()(int below) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(below));
  }
};

int GroundTileOf(int row, int col) { return (row * 7 + col) % 50; }

// A 128 x 128 map over the two fixture tilesets: every cell has a terrain ground tile except
// cell (0, 2), which has none; cell (1, 1) has props tile 1 as overlay; cell (3, 3) is blocked.
class GameMap : public maptest::MapProject {
 protected:
  void SetUp() override {
    MapProject::SetUp();
    auto& tilesets = config_.tables.tilesets;
    tilesets[0] = {true, "terrain", 1, 50, 640, 320, config::kDefaultTransparentColor, std::vector<int>(50, 1)};
    tilesets[0].walkable[5] = 0;
    tilesets[1] = {true, "props", 51, 54, 128, 128, maptest::kPropsKey, {1, 0, 0, 1}};
    map_.UseConfig(&config_);
    ASSERT_TRUE(map_.Init(Paths(), 64, 64, kW, kH, 128, 128));
    std::vector<MapCell> cells(128 * 128);
    for (int row = 0; row < 128; ++row) {
      for (int col = 0; col < 128; ++col) {
        MapCell& cell = cells[row * 128 + col];
        const int tile = GroundTileOf(row, col);
        cell = MapCell{1, 1, 0, tile / 10, tile % 10, map::kNoTileset, 0, 0};
      }
    }
    cells[2].groundTileset = map::kNoTileset;
    cells[128 + 1].overlayTileset = 1;
    cells[128 + 1].overlayColumn = 1;
    cells[3 * 128 + 3].walkable = 0;
    ASSERT_TRUE(map_.SetCells(cells));
  }

  std::vector<std::string> Paths() const {
    return {std::string(maptest::kMapFolder) + "\\terrain.bmp", std::string(maptest::kMapFolder) + "\\props.bmp"};
  }

  // The pixel the map must show at a window point for a camera, worked out from the cell layout.
  static uint32_t Expected(int cameraX, int cameraY, int x, int y) {
    const int wx = cameraX + x, wy = cameraY + y;
    const int row = wy / 64, col = wx / 64, ix = wx % 64, iy = wy % 64;
    if (row == 1 && col == 1 && ix >= 32) return maptest::PropsPixel(1, ix);
    if (row == 0 && col == 2) return 0;
    return maptest::TerrainPixel(GroundTileOf(row, col), ix, iy);
  }

  struct MapSize {
    int tileW, tileH, rows, cols;
  };
  // Three tile sizes, the last with a view larger than the map.
  static constexpr std::array<MapSize, 3> kSizes{{{64, 64, 128, 128}, {48, 40, 64, 96}, {16, 16, 32, 40}}};

  // A map of that size whose cells show many tiles, with an overlay on every fifth.
  void BuildPatterned(CGameMap& map, const MapSize& size) {
    map.UseConfig(&config_);
    ASSERT_TRUE(map.Init(Paths(), size.tileW, size.tileH, kW, kH, size.rows, size.cols));
    std::vector<MapCell> cells(static_cast<std::size_t>(size.rows) * size.cols);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int tile = static_cast<int>(i * 7 % 50);
      cells[i] =
          MapCell{1, 1, 0, tile / 10 % 5, tile % 10, i % 5 == 0 ? 1 : map::kNoTileset, 0, static_cast<int>(i % 2)};
    }
    ASSERT_TRUE(map.SetCells(cells));
  }

  static std::unique_ptr<CBitmapSurface> Frame(int width = kW, int height = kH) {
    auto frame = std::make_unique<CBitmapSurface>();
    frame->Create(width, height);
    frame->Clear(kUntouched);
    return frame;
  }

  // The first window point where the frame differs from the expected picture, as text.
  static std::string FirstDifference(const CBitmapSurface& frame, int cameraX, int cameraY) {
    for (int y = 0; y < frame.GetHeight(); ++y) {
      for (int x = 0; x < frame.GetWidth(); ++x) {
        if (frame.GetPixel(x, y) != Expected(cameraX, cameraY, x, y)) {
          return "at " + std::to_string(x) + "," + std::to_string(y);
        }
      }
    }
    return "";
  }

  CGameMap map_;
};

TEST_F(GameMap, InitClampsSizesAndFailsOnAnImageThatCannotBeLoaded) {
  CGameMap other;
  ASSERT_TRUE(other.Init(Paths(), 0, 64, 1281, 833, 5, 5000));
  EXPECT_EQ((std::array{other.TileWidth(), other.Rows(), other.Cols(), other.VisibleRows()}),
            (std::array{1, 32, 1024, 14}));
  EXPECT_FALSE(other.SetCells(std::vector<MapCell>(128 * 128))) << "a grid of another size";
  EXPECT_FALSE(other.Init({Paths()[0], "Projects\\Fx\\Map\\none.bmp"}, 64, 64, kW, kH, 128, 128));
  EXPECT_FALSE(other.IsValid());
  EXPECT_EQ(other.Rows(), 0);
  EXPECT_FALSE(other.SetCells(std::vector<MapCell>(32 * 1024)));
  auto frame = Frame();
  other.DrawMap(*frame);
  other.SetTile("1 1 Ground terrain 1");
  EXPECT_FALSE(other.IsBlocked(0, 0, 10, 10));
  EXPECT_EQ(frame->GetPixel(5, 5), kUntouched) << "a map without grid draws nothing";
}

// A camera set outside the map is pulled back before drawing; both drawings show the cells for
// view heights that split into bands of whole tiles and of parts of tiles.
TEST_F(GameMap, BothDrawingsShowTheVisibleCellsAtTheCamera) {
  const std::array<int, 4> cases[] = {// the camera set, the camera used in a full-height view
                                      {0, 0, 0, 0},         {10, 0, 10, 0},
                                      {10, 37, 10, 37},     {6912, 7360, 6912, 7360},
                                      {4000, 63, 4000, 63}, {9000, -40, 8192 - kW, 0}};
  for (int height : {kH, 800, 700}) {
    CGameMap view;
    view.UseConfig(&config_);  // the props tileset's key colour
    ASSERT_TRUE(view.Init(Paths(), 64, 64, kW, height, 128, 128));
    std::vector<MapCell> cells(128 * 128);
    for (int i = 0; i < 128 * 128; ++i) cells[i] = map_.Cell(i / 128, i % 128);
    ASSERT_TRUE(view.SetCells(cells));
    for (const auto& [x, y, usedX, usedY] : cases) {
      view.SetCameraX(x);
      view.SetCameraY(y);
      if (height == kH) {
        EXPECT_EQ(std::make_pair(view.CameraX(), view.CameraY()), std::make_pair(usedX, usedY));
      }
      for (const bool twoThreads : {false, true}) {
        auto frame = Frame(kW, height);
        if (twoThreads) {
          view.DrawMapTwoThreads(*frame);
        } else {
          view.DrawMap(*frame);
        }
        EXPECT_EQ(FirstDifference(*frame, view.CameraX(), view.CameraY()), "")
            << "height " << height << " camera " << x << "," << y << " two threads " << twoThreads;
      }
    }
  }
}

std::vector<uint32_t> PixelsOf(const CBitmapSurface& s) {
  return {s.Pixels(), s.Pixels() + static_cast<std::size_t>(s.GetWidth()) * s.GetHeight()};
}

// The map drawn cell by cell from what the cells hold, with no composed chunk kept between
// frames: what the drawing must show for any camera and after any change of a cell.
std::unique_ptr<CBitmapSurface> DrawnCellByCell(const CGameMap& map, const config::GameConfig& config, int width,
                                                int height) {
  auto frame = std::make_unique<CBitmapSurface>();
  frame->Create(width, height);
  frame->Clear(kUntouched);
  const int tw = map.TileWidth(), th = map.TileHeight();
  CBitmapSurface black;
  black.Create(tw, th);
  black.Clear(0);
  const int cameraX = map.CameraX(), cameraY = map.CameraY();
  const int rows = map.VisibleRows() + (cameraY % th > 0), cols = map.VisibleCols() + (cameraX % tw > 0);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int row = cameraY / th + r, col = cameraX / tw + c;
      const int x = c * tw - cameraX % tw, y = r * th - cameraY % th;
      const MapCell cell = map.Cell(row, col);
      const CBitmapSurface& ground = map.TilesetImage(cell.groundTileset);
      if (row >= map.Rows() || col >= map.Cols() || !ground.IsValid()) {
        frame->Draw(x, y, tw, th, black, 0, 0);
      } else {
        frame->Draw(x, y, tw, th, ground, cell.groundColumn * tw, cell.groundRow * th);
      }
      if (row >= map.Rows() || col >= map.Cols() || cell.overlayTileset == map::kNoTileset) continue;
      const uint32_t key = config.tables.tilesets[static_cast<std::size_t>(cell.overlayTileset)].transparentColor;
      frame->DrawKeyed(x, y, tw, th, map.TilesetImage(cell.overlayTileset), cell.overlayColumn * tw,
                       cell.overlayRow * th, key);
    }
  }
  return frame;
}

// Composed chunks are kept between frames: scrolling over them, changing cells in view and out of
// it, and changing a tileset's transparent colour, both drawings (one thread and two) show
// exactly what the cells hold, for several tile sizes and a view larger than the map.
TEST_F(GameMap, KeptChunksDrawWhatTheCellsHoldWhereverTheCameraGoes) {
  for (const MapSize& size : kSizes) {
    CGameMap map;
    BuildPatterned(map, size);
    Sequence next{12345u};
    for (int step = 0; step < 60; ++step) {
      const int x = next(map.PixelWidth() + 200) - 100, y = next(map.PixelHeight() + 200) - 100;
      map.SetCameraX(x);
      map.SetCameraY(y);
      // Pulled back into the map; to 0 where the view is larger than the map.
      ASSERT_EQ(map.CameraX(), std::clamp(x, 0, std::max(0, map.PixelWidth() - kW)));
      ASSERT_EQ(map.CameraY(), std::clamp(y, 0, std::max(0, map.PixelHeight() - kH)));
      // A few cells change, anywhere: in the view, in chunks kept but out of view, or elsewhere.
      for (int change = next(4); change > 0; --change) {
        const std::string where = std::to_string(next(size.cols)) + " " + std::to_string(next(size.rows));
        const char* what[] = {" Ground terrain ", " Overlays props ", " Overlays NULL ", " Ground NULL "};
        map.SetTile(where + what[next(4)] + std::to_string(next(4)));
      }
      if (step == 30) config_.tables.tilesets[1].transparentColor = maptest::TerrainPixel(0, 40, 0);
      const auto expected = DrawnCellByCell(map, config_, kW, kH);
      // Drawn three times: chunks first seen are drawn cell by cell, then composed a few a frame.
      for (int again = 0; again < 3; ++again) {
        auto drawn = Frame();
        if ((step + again) % 2 == 0) {
          map.DrawMap(*drawn);
        } else {
          map.DrawMapTwoThreads(*drawn);
        }
        ASSERT_EQ(PixelsOf(*drawn), PixelsOf(*expected))
            << size.tileW << "x" << size.tileH << " tiles, step " << step << ", drawing " << again << ", camera "
            << map.CameraX() << "," << map.CameraY();
      }
    }
    config_.tables.tilesets[1].transparentColor = maptest::kPropsKey;
  }
}

// A frame drawn over (sprites, panels, pixels, a whole clear) and then given the map again shows
// exactly the map, whether the camera stayed (only what was drawn over is drawn again), moved,
// or cells changed in view and out of it; for a view larger than the map as well.
TEST_F(GameMap, AFrameDrawnOverAndGivenTheMapAgainShowsJustTheMap) {
  CBitmapSurface sprite;
  sprite.Create(90, 70);
  sprite.Clear(0x123456);
  for (const MapSize& size : kSizes) {
    CGameMap map;
    BuildPatterned(map, size);
    Sequence next{777u};
    CBitmapSurface kept;
    kept.Create(kW, kH);
    const CBitmapSurface& shown = kept;  // read without counting as a change
    for (int step = 0; step < 60; ++step) {
      // Now and then the camera jumps, or scrolls a few pixels over the chunks it shows.
      const int move = next(8);
      if (move == 0) {
        map.SetCameraX(next(map.PixelWidth()));
        map.SetCameraY(next(map.PixelHeight()));
      } else if (move == 1) {
        map.SetCameraX(map.CameraX() + next(21) - 10);
        map.SetCameraY(map.CameraY() + next(21) - 10);
      }
      // A cell changes now and then, in view or anywhere.
      if (next(4) == 0) {
        const bool inView = next(2) == 0;
        const int col = inView ? map.CameraX() / size.tileW + next(kW / size.tileW) : next(size.cols);
        const int row = inView ? map.CameraY() / size.tileH + next(kH / size.tileH) : next(size.rows);
        const std::string where = std::to_string(col) + " " + std::to_string(row);
        map.SetTile(where + (next(2) == 0 ? " Ground terrain " : " Overlays props ") + std::to_string(next(4)));
      }
      // What a frame draws over the map: sprites and panels, partly off the frame, and pixels;
      // now and then more than the log holds, or a change of the whole picture.
      for (int k = next(12); k > 0; --k) {
        const int x = next(kW + 200) - 100, y = next(kH + 200) - 100;
        if (k % 3 == 0) {
          kept.DrawBlended(x, y, 90, 70, sprite, 0, 0, 50);
        } else {
          kept.Draw(x, y, 60, 40, sprite, 10, 10);
        }
      }
      const int pixels = next(10) == 0 ? static_cast<int>(CBitmapSurface::kMaxLoggedChanges) + 5 : next(3);
      for (int k = 0; k < pixels; ++k) kept.SetPixel(next(kW), next(kH), 0xFFFFFF);
      if (next(15) == 0) kept.Clear(0x00FF00);
      if (next(15) == 0) kept.Pixels()[next(kW * kH)] = 0x0000FF;
      if (step % 2 == 0) {
        map.DrawMap(kept);
      } else {
        map.DrawMapTwoThreads(kept);
      }
      const auto expected = DrawnCellByCell(map, config_, kW, kH);
      ASSERT_EQ(PixelsOf(shown), PixelsOf(*expected)) << size.tileW << "x" << size.tileH << " tiles, step " << step
                                                      << ", camera " << map.CameraX() << "," << map.CameraY();
    }
  }
}

TEST_F(GameMap, ScrollsInTheEdgeBandsWithinLimitsAndPlayersBox) {
  std::array<int, 4> playersBox{0, 0, 8192, 8192};
  auto scrollFrom = [&](int cameraX, int cameraY, int mouseX, int mouseY) {
    map_.SetCameraX(cameraX);
    map_.SetCameraY(cameraY);
    map_.ScrollAtEdges(mouseX, mouseY, playersBox);
    return std::pair{map_.CameraX(), map_.CameraY()};
  };
  // The left limit and the right band's end are pinned through the engine's step.
  using P = std::pair<int, int>;
  EXPECT_EQ(scrollFrom(500, 500, 0, 400), P(500, 500)) << "x = 0 is outside the left band";
  EXPECT_EQ(scrollFrom(500, 500, 59, 400), P(490, 500));
  EXPECT_EQ(scrollFrom(6910, 500, kW - 30, 400), P(6912, 500));
  EXPECT_EQ(scrollFrom(500, 500, 400, 1), P(500, 490));
  EXPECT_EQ(scrollFrom(500, 500, 400, kH - 100), P(500, 500));
  EXPECT_EQ(scrollFrom(500, 500, 400, kH - 99), P(500, 510));
  EXPECT_EQ(scrollFrom(500, 500, 400, kH - 48), P(500, 500)) << "the bottom band ends 48 pixels above";

  config_.settings.viewLimits = {100, 0, 3000, 8192};
  EXPECT_EQ(scrollFrom(105, 500, 30, 400), P(95, 500)) << "the test is made before the step";
  EXPECT_EQ(scrollFrom(100, 500, 30, 400), P(100, 500)) << "a camera on the limit stays";
  EXPECT_EQ(scrollFrom(3000 - kW - 1, 500, kW - 30, 400), P(3000 - kW + 9, 500));
  EXPECT_EQ(scrollFrom(3000 - kW, 500, kW - 30, 400), P(3000 - kW, 500));

  config_.settings.viewLimits = {0, 0, 8192, 8192};
  playersBox = {-1, -1, -1, -1};  // limited by players, none placed
  EXPECT_EQ(scrollFrom(500, 500, kW - 30, kH - 60), P(500, 500));
  EXPECT_EQ(scrollFrom(500, 500, 30, 30), P(490, 490)) << "corners scroll both ways";
  playersBox = {600, 0, 8192, 2000};
  EXPECT_EQ(scrollFrom(600, 2000 - kH, 30, kH - 60), P(600, 2000 - kH));
}

TEST_F(GameMap, IsBlockedFindsTheSameCellsForEveryTileSize) {
  // Tile sides that are powers of two and others, against the corners' cells worked out here: a
  // box is blocked when one of its four corners, clamped to the grid, is in a blocked cell.
  for (const auto& [tileW, tileH] : {std::pair{64, 32}, std::pair{48, 40}}) {
    CGameMap map;
    map.UseConfig(&config_);
    ASSERT_TRUE(map.Init(Paths(), tileW, tileH, kW, kH, 32, 40));
    std::vector<MapCell> cells(32 * 40);
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i].walkable = i % 7 == 0 ? 0 : 1;
    ASSERT_TRUE(map.SetCells(cells));
    auto blockedAt = [&](int x, int y) {
      const int row = std::clamp(y < 0 ? 0 : y / tileH, 0, 31), col = std::clamp(x < 0 ? 0 : x / tileW, 0, 39);
      return cells[static_cast<std::size_t>(row * 40 + col)].walkable == 0;
    };
    Sequence next{99};
    int blocked = 0;
    for (int trial = 0; trial < 2000; ++trial) {  // corners before, inside and past the grid
      const int left = next(2800) - 100, top = next(1500) - 100;
      const int right = left + next(90), bottom = top + next(90);
      const bool expected =
          blockedAt(left, top) || blockedAt(right, top) || blockedAt(left, bottom) || blockedAt(right, bottom);
      ASSERT_EQ(map.IsBlocked(left, top, right, bottom), expected) << tileW << "x" << tileH << " trial " << trial;
      blocked += expected ? 1 : 0;
    }
    EXPECT_GT(blocked, 200);
    EXPECT_LT(blocked, 1800);
  }
}

TEST_F(GameMap, MayBeBlockedNeverMissesABlockedCellAndForgetsUnblockedOnes) {
  // Cells blocked and opened again by every kind of change, then areas asked against the cells.
  Sequence next{7};
  const char* what[] = {" Ground terrain 5", " Ground terrain 1", " Overlays props 1", " Overlays NULL 0"};
  for (int change = 0; change < 3000; ++change) {
    map_.SetTile(std::to_string(next(40)) + " " + std::to_string(next(40)) + what[next(4)]);
  }
  auto anyBlocked = [&](int left, int top, int right, int bottom) {
    auto cell = [](int pixel) { return std::clamp(pixel < 0 ? 0 : pixel / 64, 0, 127); };
    for (int row = cell(top); row <= cell(bottom); ++row) {
      for (int col = cell(left); col <= cell(right); ++col) {
        if (map_.Cell(row, col).walkable == 0) return true;
      }
    }
    return false;
  };
  int open = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const int left = next(3000) - 100, top = next(3000) - 100;
    const int right = left + next(300), bottom = top + next(300);
    const bool may = map_.MayBeBlocked(left, top, right, bottom);
    if (anyBlocked(left, top, right, bottom)) {
      ASSERT_TRUE(may) << "trial " << trial;
    }
    open += may ? 0 : 1;
  }
  EXPECT_GT(open, 300) << "areas away from the changed cells are open ground";

  // Every cell made walkable again, by tiles and by a whole grid: no area is left in doubt.
  for (int row = 0; row < 40; ++row) {
    for (int col = 0; col < 40; ++col) map_.SetTile(std::to_string(col) + " " + std::to_string(row) + what[1]);
  }
  EXPECT_FALSE(map_.MayBeBlocked(-100, -100, 9000, 9000));
  std::vector<MapCell> cells(128 * 128);
  cells[100 * 128 + 100].walkable = 0;
  ASSERT_TRUE(map_.SetCells(cells));
  EXPECT_TRUE(map_.MayBeBlocked(-100, -100, 9000, 9000));
  EXPECT_FALSE(map_.MayBeBlocked(0, 0, 90 * 64, 9000)) << "columns left of the blocked cell's block";
  cells[100 * 128 + 100].walkable = 1;
  ASSERT_TRUE(map_.SetCells(cells));
  EXPECT_FALSE(map_.MayBeBlocked(-100, -100, 9000, 9000));
}

TEST_F(GameMap, SetTileChangesOneCellByTheWalkableRules) {
  map_.SetTile("3 4 Overlays props 1");
  MapCell cell = map_.Cell(4, 3);
  EXPECT_EQ((std::array{cell.overlayTileset, cell.overlayRow, cell.overlayColumn, cell.walkable}),
            (std::array{1, 0, 1, 0}));
  map_.SetTile("3,4,overlays,PROPS,0");
  EXPECT_EQ(map_.Cell(4, 3).overlayColumn, 0);
  EXPECT_EQ(map_.Cell(4, 3).walkable, 0) << "a walkable overlay leaves a blocked cell blocked";
  map_.SetTile("3 4 Overlays NULL 0");
  EXPECT_EQ(map_.Cell(4, 3).overlayTileset, map::kNoTileset);
  EXPECT_EQ(map_.Cell(4, 3).walkable, 1) << "removing the overlay restores the base walkable value";

  map_.SetTile("5 5 Overlays props 3");  // the tileset's last tile
  EXPECT_EQ(map_.Cell(5, 5).overlayRow, 1);
  map_.SetTile("2 2 Anything nosuch 12");  // any layer word but Overlays: ground; unknown name: tileset 0
  cell = map_.Cell(2, 2);
  EXPECT_EQ((std::array{cell.groundTileset, cell.groundRow, cell.groundColumn, cell.walkable}),
            (std::array{0, 1, 2, 1}));
  map_.SetTile("2 2 Ground terrain 5");
  EXPECT_EQ(map_.Cell(2, 2).walkable, 0);
  EXPECT_EQ(map_.Cell(2, 2).baseWalkable, 1) << "a script's ground change keeps the base value";
  map_.SetTile("2 2 Ground NULL 5");
  EXPECT_EQ(map_.Cell(2, 2).groundTileset, map::kNoTileset);
  EXPECT_EQ(map_.Cell(2, 2).walkable, 1);
  map_.SetTile("0 0 Ground terrain 12");
  map_.SetTile("-4 -9 Ground terrain -3");
  EXPECT_EQ(map_.Cell(0, 0).groundRow, 0);
  EXPECT_EQ(map_.Cell(0, 0).groundColumn, 0) << "negative numbers become 0";
}

// A saved map holds the cells changed before the save; loading it puts back a cell changed after
// the save as the map file made it, and refuses a save of another map without changing a cell.
TEST_F(GameMap, LoadingASavedMapPutsBackCellsChangedSinceTheSave) {
  const MapCell fromFile = map_.Cell(8, 9);
  map_.SetTile("3 4 Overlays props 1");
  map_.SetCameraX(640);
  nlohmann::json saved;
  map_.SaveState(saved);
  map_.SetTile("9 8 Ground terrain 5");
  map_.SetTile("3 4 Overlays NULL 0");
  map_.SetCameraX(0);
  nlohmann::json otherSize = saved;
  otherSize["size"] = {64, 64};
  EXPECT_THROW(map_.LoadState(otherSize), config::SaveError);
  EXPECT_EQ(map_.Cell(8, 9).walkable, 0) << "a refused save changes nothing";
  map_.LoadState(saved);
  EXPECT_EQ(map_.Cell(8, 9).groundColumn, fromFile.groundColumn);
  EXPECT_EQ(map_.Cell(8, 9).walkable, fromFile.walkable);
  EXPECT_EQ(map_.Cell(4, 3).overlayTileset, 1);
  EXPECT_EQ(map_.CameraX(), 640);
  // Loaded twice, the save still knows what the file gave the cell it changed.
  map_.LoadState(saved);
  nlohmann::json again;
  map_.SaveState(again);
  EXPECT_EQ(again, saved);
}

TEST_F(GameMap, SetTileIgnoresCommandsOutsideTheGridTheRangeOrIncomplete) {
  auto grid = [&] {
    std::vector<int> words;
    for (int i = 0; i < 128 * 128; ++i) {
      MapCell c = map_.Cell(i / 128, i % 128);
      words.insert(words.end(), {c.walkable, c.groundTileset, c.groundRow, c.groundColumn, c.overlayTileset});
    }
    return words;
  };
  const std::vector<int> before = grid();
  for (const char* command :
       {"128 0 Ground terrain 1", "0 128 Overlays props 1", "99999999 1 Ground terrain 1", "1 1 Ground terrain 50",
        "1 1 Overlays props 4", "1 1 Ground terrain", "1 1 Ground terrain ", "", "1,,, ,"}) {
    map_.SetTile(command);
    EXPECT_EQ(grid(), before) << command;
  }
}

TEST_F(GameMap, ATileIsNeverSeenHalfChangedWhileAScriptChangesIt) {
  std::atomic<bool> stop{false};
  std::thread script([&] {
    for (int i = 0; !stop; ++i) map_.SetTile(i % 2 ? "6 6 Ground terrain 0" : "6 6 Ground props 3");
  });
  bool torn = false;
  for (int i = 0; i < 20000 && !torn; ++i) {
    const MapCell cell = map_.Cell(6, 6);
    const std::array tile{cell.groundTileset, cell.groundRow, cell.groundColumn};
    torn = tile != std::array{0, 0, 0} && tile != std::array{1, 1, 1} &&
           tile != std::array{0, GroundTileOf(6, 6) / 10, GroundTileOf(6, 6) % 10};
  }
  stop = true;
  script.join();
  EXPECT_FALSE(torn);
}

}  // namespace
