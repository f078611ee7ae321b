// One engine frame (Update + Render) over a demo-sized world: a 128 x 128 map of 64-pixel
// tiles (every fourth cell with a colour-keyed overlay) seen through a 1280 x 832 window, with
// the FPS panel and six messages shown and the headless presentation. Beside it, each step of
// the frame alone (map, HUD, presentation) and a memcpy of one frame as the floor.
//
// The headless clock moves only when a game-loop pass begins, so the world holds still here: the
// figure is the cost of drawing, which is the whole of a frame while no units exist.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "engine/world_lock.h"
#include "map/game_map.h"
#include "map/map_cell.h"
#include "platform/headless_platform.h"

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
    config::ResetLauncher();
    config::ResetSettings();
    config::ResetTables();
    config::Launcher().windowWidth = kScreenW;
    config::Launcher().windowHeight = kScreenH;
    config::Launcher().multiThreadDrawing = twoThreads;
    config::Tables().tilesets[0].inUse = true;
    platform::HeadlessOptions options;
    options.keepFrames = false;
    platform::Install(platform::CreateHeadlessPlatform(options));
    std::filesystem::create_directories(folder_);
    map_ = std::make_unique<CGameMap>();
    map_->Init({WriteTileset(folder_)}, kTile, kTile, kScreenW, kScreenH, map::kMapRows, map::kMapCols);
    std::vector<map::MapCell> cells(static_cast<std::size_t>(map::kMapRows) * map::kMapCols);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int tile = static_cast<int>(i * 7 % 50);
      cells[i] = {1, 1, 0, tile / 10, tile % 10, i % 4 == 0 ? 0 : map::kNoTileset, (tile + 3) % 5, (tile + 1) % 10};
    }
    map_->SetCells(cells);
    map_->SetCameraX(3456);  // the demo's initial view
    map_->SetCameraY(3680);
    engine_ = std::make_unique<COrvantaEngine>();
    COrvantaEngine::SetMap(map_.get());
    COrvantaEngine::OnInput(platform::kWmKeyDown, 'F', 0);
    COrvantaEngine::OnInput(platform::kWmMouseMove, 0, platform::MakeLParam(640, 400));
    std::lock_guard<std::mutex> lock(WorldLock());
    const char* texts[] = {"You obtained Old key x1", "You obtained health +50", "** Checkpoint **",
                           "You can't carry more objects", "You need Rope x2", "You have used Old key x1"};
    for (int i = 0; i < 6; ++i) COrvantaEngine::AddHudMessage(texts[i], i % 2 == 0 ? 1 : 2, 1);
  }
  ~FrameWorld() {
    engine_.reset();
    map_.reset();
    platform::Install(nullptr);
    std::filesystem::remove_all(folder_);
  }
  CGameMap& Map() { return *map_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
};

void SetFrameCounters(benchmark::State& state) {
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(state.iterations() * int64_t{kScreenW} * kScreenH * 4);
}

void BM_Frame(benchmark::State& state) {
  FrameWorld world(state.range(0) != 0);
  for (auto _ : state) {
    COrvantaEngine::Update();
    COrvantaEngine::Render();
  }
  SetFrameCounters(state);
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(1)->ArgName("two_threads")->UseRealTime();

void BM_StepMap(benchmark::State& state) {
  FrameWorld world(false);
  CBitmapSurface& frame = engine::State().backBuffer;
  for (auto _ : state) world.Map().DrawMap(frame);
  SetFrameCounters(state);
}
BENCHMARK(BM_StepMap);

void BM_StepHud(benchmark::State& state) {
  FrameWorld world(false);
  std::lock_guard<std::mutex> lock(WorldLock());
  for (auto _ : state) COrvantaEngine::DrawHud();
  SetFrameCounters(state);
}
BENCHMARK(BM_StepHud);

void BM_StepPresent(benchmark::State& state) {
  FrameWorld world(false);
  const CBitmapSurface& frame = engine::State().backBuffer;
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
