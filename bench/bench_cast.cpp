// The cast loaders.
//   CastLoadersDemo           every cast loader over the demo project (its map's object layers
//                             read first), with a fresh engine each time: the loaders' share of
//                             the start-up
//   OtherUnitsTenThousand     sprite and unit loaders of other_units.ini holding 10 000 sections
//                             (one sprite, 9 999 units), parsed from the file each time
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_folder.h"
#include "cast/cast_loaders.h"
#include "config/autoexec_reader.h"
#include "config/config_reader.h"
#include "config/game_config.h"
#include "engine/orvanta_engine.h"
#include "map/tiled_readers.h"
#include "platform/ini.h"
#include "script/script_manager.h"

namespace {

// The launcher settings of the project: its name and folders.
config::LauncherSettings ProjectLauncher(const std::string& name) {
  config::LauncherSettings launcher;
  launcher.projectName = name;
  config::BuildProjectFolders(launcher, name);
  return launcher;
}

void BM_CastLoadersDemo(benchmark::State& state) {
  BenchFolder folder("cast");
  std::filesystem::create_directory_symlink(std::filesystem::path(TL_SOURCE_DIR) / "Projects/Demo",
                                            folder.path() / "Projects/Demo");
  config::GameConfig read;
  read.launcher = ProjectLauncher("Demo");
  if (!config::ReadConfig(read) || !map::ReadTiledMap(read)) state.SkipWithError("the demo map did not load");
  for (auto _ : state) {
    state.PauseTiming();
    auto config = std::make_unique<config::GameConfig>();
    config->launcher = read.launcher;
    config->settings = read.settings;
    config->tables.mapObjects = read.tables.mapObjects;
    platform::ClearIniCache();
    state.ResumeTiming();
    auto engine = std::make_unique<COrvantaEngine>(*config);
    auto scripts = std::make_unique<COrvantaScriptManager>(*engine);
    scripts->ConnectToEngine();
    cast::LoadSystemSprites(*engine);
    cast::LoadObjectDefinitions(*engine);
    cast::LoadUnitObjects(*engine);
    for (int kind : {cast::kKindPlayer, cast::kKindBot, cast::kKindOther}) {
      cast::LoadSpriteDefinitions(*engine, kind);
      cast::LoadUnitDefinitions(*engine, kind);
    }
    benchmark::DoNotOptimize(engine->UnitCount());
    state.PauseTiming();
    scripts.reset();
    engine.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CastLoadersDemo)->Unit(benchmark::kMillisecond);

void BM_OtherUnitsTenThousand(benchmark::State& state) {
  BenchFolder folder("cast");
  const std::filesystem::path project = folder.path() / "Projects/Big";
  std::filesystem::create_directories(project / "Data");
  std::filesystem::create_directories(project / "Graphics/Sprites_other_units");
  std::filesystem::copy_file(
      std::filesystem::path(TL_SOURCE_DIR) / "Projects/Demo/Graphics/Sprites_other_units/signpost.bmp",
      project / "Graphics/Sprites_other_units/signpost.bmp");
  {
    std::ofstream ini(project / "Data/other_units.ini", std::ios::binary);
    ini << "[other_sprite_1]\r\nsprite_bmp=signpost.bmp\r\n";
    for (int n = 1; n < 10000; ++n) {
      ini << "[other_unit_" << n << "]\r\nunit_sprite=1\r\nunit_name=Stone " << n
          << "\r\nunit_position=" << n % 8000 + 1 << ", 200\r\nunit_description=A grey stone.\r\n";
    }
  }
  const config::LauncherSettings launcher = ProjectLauncher("Big");
  for (auto _ : state) {
    state.PauseTiming();
    platform::ClearIniCache();
    auto config = std::make_unique<config::GameConfig>();
    config->launcher = launcher;
    auto engine = std::make_unique<COrvantaEngine>(*config);
    state.ResumeTiming();
    cast::LoadSpriteDefinitions(*engine, cast::kKindOther);
    cast::LoadUnitDefinitions(*engine, cast::kKindOther);
    benchmark::DoNotOptimize(engine->UnitCount());
    state.PauseTiming();
    engine.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OtherUnitsTenThousand)->Unit(benchmark::kMillisecond);

}  // namespace
