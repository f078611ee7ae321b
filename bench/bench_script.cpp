// Loading scripts: lines per second of the parser on a typical script, on one very long line
// and on binary garbage (the reported items are lines).
//   ParseScript/0  100 000 typical lines   /1  one 10 000-word line   /2  1 MB of random bytes
// Running them: lines per second of the interpreter, and the frame beside script threads.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <filesystem>

#include "config/game_config.h"
#include "engine/orvanta_engine.h"
#include "engine/test_units.h"
#include "gfx/bitmap_surface.h"
#include "map/game_map.h"
#include "map/map_cell.h"
#include "platform/headless_platform.h"
#include "platform/template_platform.h"
#include "script/orvanta_script.h"
#include "script/script_interpreter.h"
#include "script/script_manager.h"
#include "script/script_variables.h"

namespace {

std::string TypicalScript() {
  const char* lines[] = {"// the guard's round\r\n", "SET steps = 0\r\n",
                         "WHILE steps < 3\r\n",      "\tSET guard.DESTINATIONX = 640\r\n",
                         "\tMOVE_UNIT guard\r\n",    "\tSET guard.MESSAGE = \"Halt! Who goes there?\"\r\n",
                         "\tSHOW guard.MESSAGE\r\n", "\tSLEEP 2000\r\n",
                         "\tSET steps = +1\r\n",     "ENDWHILE\r\n"};
  std::string text;
  for (int i = 0; i < 10000; ++i) {
    for (const char* line : lines) text += line;
  }
  return text;
}

std::string LongLine() {
  std::string text = "IF";
  for (int i = 0; i < 10000; ++i) text += " word";
  return text;
}

std::string Garbage() {
  uint32_t state = 1;
  std::string text;
  for (int i = 0; i < 1 << 20; ++i) {
    state = state * 214013u + 2531011u;
    text += static_cast<char>((state >> 16) & 0xFF);
  }
  return text;
}

void BM_ParseScript(benchmark::State& state) {
  const std::string text = state.range(0) == 0 ? TypicalScript() : state.range(0) == 1 ? LongLine() : Garbage();
  std::size_t lines = 0;
  for (auto _ : state) {
    COrvantaScript script;
    script.LoadText("bench", text);
    lines = script.LineCount() + script.RejectedLines().size();
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseScript)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// ---- Running scripts ---------------------------------------------------------------------------

constexpr int kLoopCount = 100000;

// Lines per second of the interpreter on a tight arithmetic WHILE, on this thread, world lock
// taken per line. /0: nothing paces it (every wait cut short: the interpreter alone); /1: the
// real-time pacing of a script that never sleeps (a short pause every slice of lines).
void BM_InterpretTightWhile(benchmark::State& state) {
  const bool paced = state.range(0) != 0;
  platform::Install(paced ? platform::CreateTemplatePlatform() : platform::CreateHeadlessPlatform({}));
  if (!paced) platform::Get().WakeScripts(true);
  COrvantaScript script;
  script.LoadText("bench", "SET i = 0\nSET total = 0\nWHILE i < " + std::to_string(kLoopCount) +
                               "\n  SET i = +1\n  SET total = +3\nENDWHILE\n");
  config::GameConfig config;
  auto engine = std::make_unique<COrvantaEngine>(config);
  auto scripts = std::make_unique<COrvantaScriptManager>(*engine);
  script::ScriptContext& world = scripts->World();
  for (auto _ : state) {
    {
      engine::WorldLock lock(engine->Lock());
      world.variables.Clear();
    }
    std::atomic<bool> running{true};
    std::atomic<int> line{0};
    script::RunPosition position;
    script::RunControl control{world, running, line, nullptr, position};
    script::RunLines(script.Lines(), control);
  }
  // Two SETs, four lines a pass, and the last WHILE test.
  state.SetItemsProcessed(state.iterations() * (2 + 4 * int64_t{kLoopCount} + 1));
  scripts.reset();
  engine.reset();
  platform::Install(nullptr);
}
BENCHMARK(BM_InterpretTightWhile)->Arg(0)->Arg(1)->ArgName("paced")->Unit(benchmark::kMillisecond)->UseRealTime();

// One engine frame (Update + Render) on the real clock: a 64 x 64 map of one plain 64-pixel tile
// seen through a 1280 x 832 window, 50 stand-in units walking in view, and beside it script
// threads: /0 none; /1 50 scripts asleep in a long SLEEP; /2 50 scripts that each set their
// unit's destination and sleep 10 ms, again and again; /3 one script that never sleeps.
class ScriptFrameWorld {
 public:
  explicit ScriptFrameWorld(int64_t mode) : folder_(std::filesystem::temp_directory_path() / "tl_bench_script") {
    config_.launcher.windowWidth = 1280;
    config_.launcher.windowHeight = 832;
    config_.tables.tilesets[0].inUse = true;
    platform::Install(platform::CreateTemplatePlatform());
    std::filesystem::create_directories(folder_);
    CBitmapSurface tile;
    tile.Create(64, 64);
    tile.Clear(0x406030);
    const std::string tilePath = (folder_ / "tile.bmp").string();
    tile.SaveFile(tilePath);
    map_ = std::make_unique<CGameMap>();
    map_->UseConfig(&config_);
    map_->Init({tilePath}, 64, 64, 1280, 832, 64, 64);
    map::MapCell cell;
    cell.groundTileset = 0;
    cell.groundRow = 0;
    map_->SetCells(std::vector<map::MapCell>(64 * 64, cell));
    engine_ = std::make_unique<COrvantaEngine>(config_);
    engine_->SetMap(map_.get());
    scripts_ = std::make_unique<COrvantaScriptManager>(*engine_);
    scripts_->ConnectToEngine();
    std::vector<engine::TestUnitPlacement> placements;
    for (int i = 0; i < 50; ++i) placements.push_back({{100 + 100 * (i % 10), 100 + 100 * (i / 10)}, {3000, 3000}, 1});
    engine::WorldLock lock(engine_->Lock());
    engine::AddTestUnits(*engine_, placements);
    StartScripts(mode);
  }
  ~ScriptFrameWorld() {
    scripts_.reset();
    engine_.reset();
    map_.reset();
    platform::Install(nullptr);
    std::filesystem::remove_all(folder_);
  }

 public:
  COrvantaEngine& Engine() { return *engine_; }

 private:
  // The caller holds the engine's Lock().
  void StartScripts(int64_t mode) {
    const int count = mode == 0 ? 0 : mode == 3 ? 1 : 50;
    for (int i = 0; i < count; ++i) {
      const std::string n = std::to_string(i + 1);
      std::string text = "SLEEP 3600000\n";
      if (mode == 2) {
        text = "SET x" + n + " = 0\nWHILE x" + n + " >= 0\n  SET x" + n + " = +1\n  SET test_unit_" + n +
               ".DESTINATIONX = 3000\n  SLEEP 10\nENDWHILE\n";
      } else if (mode == 3) {
        text = "SET x = 0\nWHILE x >= 0\n  SET x = +1\nENDWHILE\n";
      }
      auto script = std::make_unique<COrvantaScript>();
      script->LoadText("s" + n, text);
      engine_->RegisterScript(script);
      engine_->RunScript("s" + n);
    }
  }

  std::filesystem::path folder_;
  config::GameConfig config_;
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
  std::unique_ptr<COrvantaScriptManager> scripts_;
};

void BM_FrameWithScripts(benchmark::State& state) {
  ScriptFrameWorld world(state.range(0));
  for (auto _ : state) {
    world.Engine().Update();
    world.Engine().Render();
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FrameWithScripts)->DenseRange(0, 3)->ArgName("scripts")->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
