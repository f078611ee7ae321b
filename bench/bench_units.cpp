// One world step (COrvantaEngine::Update, no drawing) with N walking units on a demo-sized map:
// 128 x 128 cells of 64 pixels, every unit a mobile player with the eight walking animations,
// each heading across the map in one of the eight directions. The figure is the baseline that
// the contact and detour work of later rules is measured against; its growth with N is reported
// as the fitted complexity.
//
// The headless clock stands still outside a game-loop pass, so each iteration hands the engine
// a step that is due by moving the last step time back; the units walk, the frame times never
// pass (a held frame costs the same test as a due one).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "map/game_map.h"
#include "map/map_cell.h"
#include "platform/headless_platform.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace {

constexpr int kTile = 64;
constexpr int kMapPixels = map::kMapCols * kTile;
constexpr int kRestartEvery = 256;  // steps before the units go back to their starts

class UnitsWorld {
 public:
  explicit UnitsWorld(int count) {
    config::ResetLauncher();
    config::ResetSettings();
    config::ResetTables();
    config::Settings().viewLimitsByPlayers = true;
    platform::Install(platform::CreateHeadlessPlatform(platform::HeadlessOptions{}));
    map_ = std::make_unique<CGameMap>();
    map_->Init({}, kTile, kTile, 1280, 832, map::kMapRows, map::kMapCols);
    engine_ = std::make_unique<COrvantaEngine>();
    COrvantaEngine::SetMap(map_.get());
    auto sprite = std::make_unique<CGameSprite>();
    sprite->Sheet().Create(32 * 3, 48 * 8);
    sprite->SetFrameSize(32, 48);
    CGameSprite* sheet = sprite.get();
    COrvantaEngine::AddSprite(sprite);
    const char* names[] = {"Up", "Down", "RightUp", "LeftUp", "RightDown", "LeftDown", "Right", "Left"};
    for (int i = 0; i < count; ++i) {
      auto unit = std::make_unique<CGameUnit>();
      unit->AttachSprite(sheet, 0, kUnitKindMobile, {4, 30, 28, 46});
      for (int d = 0; d < 8; ++d) unit->AddAnimation(names[d], 3 * d, 3 * d + 2, 3 * d);
      unit->SetAnimationTime(100);
      unit->SetSpeed(4, 4);
      unit->isPlayer = true;
      units_.push_back(unit.get());
      COrvantaEngine::AddUnit(unit);
      COrvantaEngine::AddPlayerUnit(units_.back());
    }
    Restart();
  }
  ~UnitsWorld() {
    engine_.reset();
    map_.reset();
    platform::Install(nullptr);
  }

  // Every unit back in the middle band of the map, heading for a far point in its direction.
  void Restart() {
    const int middle = kMapPixels / 2;
    const int offsets[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
    for (std::size_t i = 0; i < units_.size(); ++i) {
      CGameUnit* unit = units_[i];
      const int column = static_cast<int>(i % 40), row = static_cast<int>(i / 40);
      unit->x = middle - 1280 + column * 64;
      unit->y = middle - 1200 + row * 96;
      const int* way = offsets[i % 8];
      unit->MoveTo({unit->Centre().x + way[0] * 3000, unit->Centre().y + way[1] * 3000});
    }
  }

  void Step() {
    engine::EngineState& state = engine::State();
    state.lastStepTime = engine::Now() - 10;
    COrvantaEngine::Update();
  }

 private:
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
  std::vector<CGameUnit*> units_;
};

void BM_UpdateWalkingUnits(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  UnitsWorld world(count);
  int steps = 0;
  for (auto _ : state) {
    world.Step();
    if (++steps % kRestartEvery == 0) {
      state.PauseTiming();
      world.Restart();
      state.ResumeTiming();
    }
  }
  state.SetComplexityN(count);
  state.counters["units"] = count;
}
BENCHMARK(BM_UpdateWalkingUnits)->Arg(100)->Arg(250)->Arg(500)->Arg(1000)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
