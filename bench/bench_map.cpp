// Map drawing and the blocked test. Reference: one memcpy of a 1280 x 832 frame, and the same
// copy made in pieces as the map's chunks make it. The map is
// drawn at a camera with offsets in both directions, so 21 x 14 tiles are touched.
//   DrawMap/0  ground only          DrawMap/1  ground and an overlay on every cell (worst case)
//   DrawMap/2  the demo project's map at its first view
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "config/game_config.h"
#include "map/game_map.h"
#include "map/map_builder.h"
#include "map/tiled_readers.h"
#include "platform/headless_platform.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 832;

std::string DemoFolder() { return std::string(TL_SOURCE_DIR) + "/Projects/Demo/Map"; }

std::unique_ptr<CGameMap> SyntheticMap(bool overlays) {
  auto map = std::make_unique<CGameMap>();
  if (!map->Init({DemoFolder() + "/terrain.bmp", DemoFolder() + "/decor.bmp"}, 64, 64, kWidth, kHeight, 128, 128)) {
    return nullptr;
  }
  std::vector<map::MapCell> cells(128 * 128);
  for (int i = 0; i < 128 * 128; ++i) {
    map::MapCell& cell = cells[i];
    cell.groundTileset = 0;
    cell.groundRow = (i * 7) % 5;
    cell.groundColumn = (i * 3) % 10;
    if (overlays) {
      cell.overlayTileset = 1;
      cell.overlayRow = 0;
      cell.overlayColumn = i % 10;
    }
  }
  map->SetCells(cells);
  return map;
}

// The demo's map as the game reads it; the map keeps reading `config`, which must outlive it.
std::unique_ptr<CGameMap> DemoMap(config::GameConfig& config) {
  if (!platform::IsInstalled()) platform::Install(platform::CreateHeadlessPlatform(platform::HeadlessOptions{}));
  config.launcher.folders[config::kFolderMap] = DemoFolder();
  config.settings.mapFilePath = DemoFolder() + "\\demo_map.json";
  if (!map::ReadTiledMap(config) || !map::ReadTilesetImages(config) || !map::ReadTilesetProperties(config)) {
    return nullptr;
  }
  return map::BuildGameMap(config);
}

std::unique_ptr<CGameMap> MapFor(int kind, config::GameConfig& config) {
  std::unique_ptr<CGameMap> map = kind == 2 ? DemoMap(config) : SyntheticMap(kind == 1);
  if (map && kind != 2) {
    map->SetCameraX(3456 + 23);
    map->SetCameraY(3680 + 41);
  } else if (map) {
    map->SetCameraX(map->CameraX() + 23);
    map->SetCameraY(map->CameraY() + 41);
  }
  return map;
}

void BM_FrameMemcpy(benchmark::State& state) {
  std::vector<uint32_t> from(kWidth * kHeight, 0x123456), to(kWidth * kHeight);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(from.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_FrameMemcpy);

// The same frame copied row by row in pieces of the given width, as the map copies it from its
// 256-pixel chunks: the least any drawing from chunks can cost, set beside the whole-frame copy.
void BM_FrameCopyInPieces(benchmark::State& state) {
  const int piece = static_cast<int>(state.range(0));
  std::vector<uint32_t> from(kWidth * kHeight, 0x123456), to(kWidth * kHeight);
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; x += piece) {
        const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
        std::memcpy(to.data() + at, from.data() + at, sizeof(uint32_t) * std::min(piece, kWidth - x));
      }
    }
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(from.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_FrameCopyInPieces)->Arg(256)->Arg(kWidth);

void DrawBenchmark(benchmark::State& state, bool twoThreads) {
  config::GameConfig config;
  std::unique_ptr<CGameMap> map = MapFor(static_cast<int>(state.range(0)), config);
  if (!map) {
    state.SkipWithError("the map could not be built");
    return;
  }
  CBitmapSurface frame;
  frame.Create(kWidth, kHeight);
  for (auto _ : state) {
    frame.StopChangeLog();  // the whole view each time, as after the camera has moved
    if (twoThreads) {
      map->DrawMapTwoThreads(frame);
    } else {
      map->DrawMap(frame);
    }
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}

void BM_DrawMap(benchmark::State& state) { DrawBenchmark(state, false); }
void BM_DrawMapTwoThreads(benchmark::State& state) { DrawBenchmark(state, true); }
BENCHMARK(BM_DrawMap)->Arg(0)->Arg(1)->Arg(2)->UseRealTime();
BENCHMARK(BM_DrawMapTwoThreads)->Arg(0)->Arg(1)->Arg(2)->UseRealTime();

void BM_IsBlocked(benchmark::State& state) {
  config::GameConfig config;
  std::unique_ptr<CGameMap> map = DemoMap(config);
  if (!map) {
    state.SkipWithError("the demo map could not be built");
    return;
  }
  int x = 0;
  int blocked = 0;
  for (auto _ : state) {
    x = (x + 97) & 8191;
    blocked += map->IsBlocked(x, 4000, x + 40, 4050);
  }
  benchmark::DoNotOptimize(blocked);
}
BENCHMARK(BM_IsBlocked);

}  // namespace
