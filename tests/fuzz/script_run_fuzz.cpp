// The script interpreter on any bytes as a script, run against a fresh small world for every
// input: a 32 x 32 cell map with two tilesets, three walking players (test_unit_1..3, the first
// owning the run), two inventory objects, a picture and a sound folder. Each SLEEP and each pause
// of a script that never sleeps is one 10 ms game step; the first pause, the third SLEEP or the
// 256th call to the clock or the sounds stops the run, so every input ends within a bounded
// number of lines and of costly commands. Afterwards one frame is drawn, and the
// world must have kept its bounds (units, camera, inventories, bubbles, variables) and give a
// state dump that can be written.
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/test_units.h"
#include "script/orvanta_script.h"
#include "script/script_interpreter.h"
#include "script/script_unit_fields.h"
#include "small_world.h"

namespace {

using fuzz::CheckWorld;
using fuzz::FillTables;
using fuzz::kWaitsPerRun;
using fuzz::MakeMap;
using fuzz::StepPlatform;

bool IsLineOf(const std::vector<script::ScriptLine>& lines, int sourceLine) {
  if (sourceLine == 0) return true;
  for (const script::ScriptLine& line : lines) {
    if (line.sourceLine == sourceLine) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  COrvantaScript script;
  script.LoadText("fuzz.txt", fuzz::AsString(data, size));
  if (!script.IsLoaded()) return 0;

  std::atomic<bool> running{true};
  std::atomic<int> currentLine{0};
  config::GameConfig config;
  FillTables(config);
  auto backend = std::make_unique<StepPlatform>(running);
  StepPlatform& clock = *backend;
  platform::Install(std::move(backend));
  auto engine = std::make_unique<COrvantaEngine>(config);
  auto scripts = std::make_unique<COrvantaScriptManager>(*engine);
  scripts->ConnectToEngine();
  clock.Drive(engine.get());
  std::unique_ptr<CGameMap> map = MakeMap(config);
  CGameUnit* owner = nullptr;
  {
    engine::WorldLock lock(engine->Lock());
    engine->SetMap(map.get());
    engine::AddTestUnits(*engine, {{{40, 60}, {400, 300}, 4}, {{300, 200}, {100, 200}, 3}, {{200, 450}, {200, 50}, 5}});
    FUZZ_REQUIRE(engine->UnitCount() == 3);
    owner = engine->UnitAt(0);
    scripts->World().unitFields.Of(owner).eventCollision = true;
  }

  script::RunPosition position;
  script::RunControl control{scripts->World(), running, currentLine, owner, position};
  script::RunLines(script.Lines(), control);
  FUZZ_REQUIRE(clock.Waits() <= kWaitsPerRun);
  FUZZ_REQUIRE(IsLineOf(script.Lines(), currentLine.load()));
  engine->Render();
  {
    engine::WorldLock lock(engine->Lock());
    CheckWorld(*scripts, *map);
    engine->SetMap(nullptr);
  }
  clock.Drive(nullptr);
  scripts.reset();
  engine.reset();
  map.reset();
  platform::Install(nullptr);
  return 0;
}
