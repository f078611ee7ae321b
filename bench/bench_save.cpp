// Saving and loading the demo's game as a player does (F5, F9): the whole world written to the
// quick-save slot (the temporary file flushed to the disk and renamed over the old save), read
// back, checked and loaded in place with its script runs suspended and resumed; and the
// fingerprint of the project's files that both check, worked out once per game.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/save_game.h"
#include "app/win_main.h"
#include "app/world.h"
#include "bench_folder.h"

namespace {

// The demo loaded headless in a private folder, its initial script waiting on the clock.
class DemoGame {
 public:
  DemoGame() {
    const std::filesystem::path& path = folder_.path();
    std::filesystem::create_directory_symlink(std::filesystem::path(TL_SOURCE_DIR) / "Projects/Demo",
                                              path / "Projects/Demo");
    std::ofstream(path / "Projects/autoexec.ini") << "[autoexec]\nproject_name=Demo\n";
    world_.saveFolder = (path / "saves").string();
    loaded_ = app::LoadGame(world_, "");
  }
  ~DemoGame() { app::ShutdownGame(world_); }
  bool Loaded() const { return loaded_; }
  app::World& World() { return world_; }
  std::uintmax_t SaveSize() const { return std::filesystem::file_size(folder_.path() / "saves" / app::kQuickSaveFile); }

 private:
  BenchFolder folder_{"save"};  // first: the world lives inside it
  app::World world_;
  bool loaded_ = false;
};

void BM_SaveDemo(benchmark::State& state) {
  DemoGame game;
  if (!game.Loaded()) return state.SkipWithError("the demo did not load");
  for (auto _ : state) app::SaveGameToSlot(game.World());
  state.counters["bytes"] = static_cast<double>(game.SaveSize());
}
BENCHMARK(BM_SaveDemo)->Unit(benchmark::kMillisecond);

void BM_LoadDemo(benchmark::State& state) {
  DemoGame game;
  if (!game.Loaded()) return state.SkipWithError("the demo did not load");
  app::SaveGameToSlot(game.World());
  for (auto _ : state) app::LoadGameFromSlot(game.World());
}
BENCHMARK(BM_LoadDemo)->Unit(benchmark::kMillisecond);

void BM_FingerprintDemo(benchmark::State& state) {
  DemoGame game;
  if (!game.Loaded()) return state.SkipWithError("the demo did not load");
  for (auto _ : state) {
    game.World().fingerprint.clear();
    benchmark::DoNotOptimize(app::IdentityOf(game.World()));
  }
}
BENCHMARK(BM_FingerprintDemo)->Unit(benchmark::kMillisecond);

}  // namespace
