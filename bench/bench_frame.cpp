// One engine frame (Update + Render) over a demo-sized world: a 128 x 128 map of 64-pixel
// tiles (every fourth cell with a colour-keyed overlay) seen through a 1280 x 832 window, with
// the FPS panel and six messages shown and the headless presentation. Beside it, each step of
// the frame alone (map, HUD, presentation) and a memcpy of one frame as the floor.
//
// The headless clock moves only when a game-loop pass begins, so the world holds still here: the
// figure is the cost of drawing, which is the whole of a frame while no units exist.
//
// With a cast: 30 units on screen in a demo-like crowd, all selected (bars and name labels),
// five with speech bubbles, 20 of them walking back and forth across a wall in the view so
// that they keep stepping back and walking detours; each frame is handed a due world step.
// Beside it, the unit drawing alone, to give its share of the frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "config/game_config.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "map/game_map.h"
#include "map/map_cell.h"
#include "platform/headless_platform.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 832;
constexpr int kTile = 64;

// A 640 x 320 tileset of 50 tiles, each with its own gradient and a keyed hole for overlays.
std::string WriteTileset(const std::filesystem::path& folder) {
  CBitmapSurface tiles;
  tiles.Create(640, 320);
  for (int y = 0; y < 320; ++y) {
    uint32_t* row = tiles.RowTopDown(y);
    for (int x = 0; x < 640; ++x) {
      const bool hole = (x % kTile) < 24 && (y % kTile) < 24;
      row[x] = hole ? config::kDefaultTransparentColor
                    : static_cast<uint32_t>(((x / kTile) * 25) << 16 | ((y / kTile) * 50) << 8 | ((x + y) & 0xFF));
    }
  }
  const std::filesystem::path file = folder / "bench_tiles.bmp";
  tiles.SaveFile(file.string());
  return file.string();
}

class FrameWorld {
 public:
  explicit FrameWorld(bool twoThreads) : folder_(std::filesystem::temp_directory_path() / "tl_bench_frame") {
    config_.launcher.windowWidth = kScreenW;
    config_.launcher.windowHeight = kScreenH;
    config_.launcher.multiThreadDrawing = twoThreads;
    config_.tables.tilesets[0].inUse = true;
    platform::HeadlessOptions options;
    options.keepFrames = false;
    platform::Install(platform::CreateHeadlessPlatform(options));
    std::filesystem::create_directories(folder_);
    map_ = std::make_unique<CGameMap>();
    map_->UseConfig(&config_);
    map_->Init({WriteTileset(folder_)}, kTile, kTile, kScreenW, kScreenH, map::kMapRows, map::kMapCols);
    std::vector<map::MapCell> cells(static_cast<std::size_t>(map::kMapRows) * map::kMapCols);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int tile = static_cast<int>(i * 7 % 50);
      cells[i] = {1, 1, 0, tile / 10, tile % 10, i % 4 == 0 ? 0 : map::kNoTileset, (tile + 3) % 5, (tile + 1) % 10};
    }
    map_->SetCells(cells);
    map_->SetCameraX(3456);  // the demo's initial view
    map_->SetCameraY(3680);
    engine_ = std::make_unique<COrvantaEngine>(config_);
    engine_->SetMap(map_.get());
    engine_->OnInput(platform::kWmKeyDown, 'F', 0);
    engine_->OnInput(platform::kWmMouseMove, 0, platform::MakeLParam(640, 400));
    engine::WorldLock lock(engine_->Lock());
    const char* texts[] = {"You obtained Old key x1",      "You obtained health +50", "** Checkpoint **",
                           "You can't carry more objects", "You need Rope x2",        "You have used Old key x1"};
    for (int i = 0; i < 6; ++i) engine_->AddHudMessage(texts[i], i % 2 == 0 ? 1 : 2, 1);
  }
  ~FrameWorld() {
    engine_.reset();
    map_.reset();
    platform::Install(nullptr);
    std::filesystem::remove_all(folder_);
  }
  CGameMap& Map() { return *map_; }
  COrvantaEngine& Engine() { return *engine_; }

 protected:
  std::filesystem::path folder_;
  config::GameConfig config_;
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
};

// A figure sheet: 8 rows of 3 frames of 64 x 64, a keyed background, a body with a shadow.
std::unique_ptr<CGameSprite> MakeFigureSheet() {
  auto sprite = std::make_unique<CGameSprite>();
  CBitmapSurface& sheet = sprite->Sheet();
  sheet.Create(64 * 3, 64 * 8);
  sheet.Clear(0xBF7BC7);
  for (int y = 0; y < sheet.GetHeight(); ++y) {
    for (int x = 0; x < sheet.GetWidth(); ++x) {
      const int dx = x % 64 - 32, dy = y % 64 - 28;
      if (dx * dx + dy * dy < 20 * 20) sheet.SetPixel(x, y, 0x3060A0 + static_cast<uint32_t>(y));
      if (y % 64 >= 54 && y % 64 < 60 && dx * dx < 300) sheet.SetPixel(x, y, 0x0C0905);
    }
  }
  sprite->SetFrameSize(64, 64);
  sprite->SetColors(0xBF7BC7, 0x0C0905);
  return sprite;
}

// The cast in the view at the demo's camera (3456, 3680): walkers cross a wall of cells in
// column 62 (x 3968 .. 4031), rows 58 .. 68, open above and below.
class CastWorld : public FrameWorld {
 public:
  static constexpr int kCast = 30;
  static constexpr int kWalkers = 20;

  CastWorld() : FrameWorld(false) {
    std::vector<map::MapCell> cells(static_cast<std::size_t>(map::kMapRows) * map::kMapCols);
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = {1, 1, 0, 0, 0, map::kNoTileset, 0, 0};
    for (int row = 58; row <= 68; ++row) cells[static_cast<std::size_t>(row * map::kMapCols + 62)].walkable = 0;
    Map().SetCells(cells);
    AddCast();
    Restart();
  }

  // Walkers in two columns either side of the wall, each bound for the other side; the rest
  // stand in a row along the top of the view.
  void Restart() {
    engine::WorldLock lock(engine_->Lock());
    for (int i = 0; i < kCast; ++i) {
      CGameUnit& unit = *cast_[static_cast<std::size_t>(i)];
      unit.Stop();
      unit.blocked = false;
      if (i < kWalkers) {
        const bool left = i % 2 == 0;
        unit.SetPosition({left ? 3700 : 4200, 3760 + (i / 2) * 70});
        unit.MoveTo({left ? 4300 : 3650, unit.Centre().y});
      } else {
        unit.SetPosition({3500 + (i - kWalkers) * 110, 3720});
      }
    }
  }

 private:
  void AddCast() {
    engine::WorldLock lock(engine_->Lock());
    auto sprite = MakeFigureSheet();
    CGameSprite* sheet = sprite.get();
    engine_->AddSprite(sprite);
    const char* names[] = {"Up", "Down", "RightUp", "LeftUp", "RightDown", "LeftDown", "Right", "Left"};
    for (int i = 0; i < kCast; ++i) {
      auto unit = std::make_unique<CGameUnit>();
      unit->AttachSprite(sheet, 0, kUnitKindMobile, {16, 40, 48, 62});
      for (int d = 0; d < 8; ++d) unit->AddAnimation(names[d], 3 * d, 3 * d + 2, 3 * d);
      unit->SetAnimationTime(100);
      unit->SetSpeed(4, 4);
      unit->SetName("Cast member " + std::to_string(i + 1));
      unit->SetHealth(40 + i * 2);
      unit->SetAmmo(i % 3 == 0 ? 0 : 60);
      unit->selected = true;
      unit->labelDirty = true;
      if (i % 6 == 0) {
        unit->SetBubbleText("Stay close to the lanterns,\\nthe valley is dark tonight.", config_.settings.fontNames[0]);
        unit->ShowBubble(true, 0, 0);
      }
      cast_.push_back(unit.get());
      engine_->AddUnit(unit);
    }
  }

  std::vector<CGameUnit*> cast_;
};

void TakeDueStep(COrvantaEngine& engine) {
  {
    engine::WorldLock lock(engine.Lock());
    engine.State().timing.lastStepTime = engine.Now() - 10;
  }
  engine.Update();
}

// Long enough for the walkers to reach the wall, go round it and arrive.
constexpr int kCastCycle = 400;

void SetFrameCounters(benchmark::State& state) {
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(state.iterations() * int64_t{kScreenW} * kScreenH * 4);
}

void BM_Frame(benchmark::State& state) {
  FrameWorld world(state.range(0) != 0);
  for (auto _ : state) {
    world.Engine().Update();
    world.Engine().Render();
  }
  SetFrameCounters(state);
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(1)->ArgName("two_threads")->UseRealTime();

// Steps and draws the cast's frames; when `scrolling`, the camera moves ten pixels each frame,
// back and forth, so the map is drawn whole every frame instead of just under what was drawn
// over it.
void RunCastFrames(benchmark::State& state, bool scrolling) {
  CastWorld world;
  const int cameraX = world.Map().CameraX();
  int frames = 0;
  for (auto _ : state) {
    if (scrolling) world.Map().SetCameraX(cameraX + (frames % 2) * 10);
    TakeDueStep(world.Engine());
    world.Engine().Render();
    if (++frames % kCastCycle == 0) {
      state.PauseTiming();
      world.Restart();
      state.ResumeTiming();
    }
  }
  SetFrameCounters(state);
}

void BM_FrameWithCast(benchmark::State& state) { RunCastFrames(state, false); }
BENCHMARK(BM_FrameWithCast)->Iterations(8 * kCastCycle)->UseRealTime();
void BM_FrameWithCastScrolling(benchmark::State& state) { RunCastFrames(state, true); }
BENCHMARK(BM_FrameWithCastScrolling)->Iterations(8 * kCastCycle)->UseRealTime();

// The world steps of that frame alone: walking, contacts, map response and detours.
void BM_StepCastUpdate(benchmark::State& state) {
  CastWorld world;
  int steps = 0;
  for (auto _ : state) {
    TakeDueStep(world.Engine());
    if (++steps % kCastCycle == 0) {
      state.PauseTiming();
      world.Restart();
      state.ResumeTiming();
    }
  }
  SetFrameCounters(state);
}
BENCHMARK(BM_StepCastUpdate)->Iterations(8 * kCastCycle);

// The units' share of that frame: the depth sort and the drawing of the cast with its bars,
// labels and bubbles, the world standing where the walkers start.
void BM_StepUnitsDrawn(benchmark::State& state) {
  CastWorld world;
  engine::WorldLock lock(world.Engine().Lock());
  for (auto _ : state) world.Engine().DrawUnitsSorted();
  SetFrameCounters(state);
}
BENCHMARK(BM_StepUnitsDrawn);

void BM_StepMap(benchmark::State& state) {
  FrameWorld world(false);
  CBitmapSurface& frame = world.Engine().State().backBuffer;
  for (auto _ : state) {
    frame.StopChangeLog();  // the whole view, as after the camera has moved
    world.Map().DrawMap(frame);
  }
  SetFrameCounters(state);
}
BENCHMARK(BM_StepMap);

void BM_StepHud(benchmark::State& state) {
  FrameWorld world(false);
  engine::WorldLock lock(world.Engine().Lock());
  for (auto _ : state) world.Engine().DrawHud();
  SetFrameCounters(state);
}
BENCHMARK(BM_StepHud);

void BM_StepPresent(benchmark::State& state) {
  FrameWorld world(false);
  const CBitmapSurface& frame = world.Engine().State().backBuffer;
  for (auto _ : state) frame.Present();
  SetFrameCounters(state);
}
BENCHMARK(BM_StepPresent);

// The floor: one frame's pixels copied once.
void BM_FrameMemcpy(benchmark::State& state) {
  std::vector<uint32_t> from(static_cast<std::size_t>(kScreenW) * kScreenH, 0x123456);
  std::vector<uint32_t> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  SetFrameCounters(state);
}
BENCHMARK(BM_FrameMemcpy);

}  // namespace
