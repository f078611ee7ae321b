// One world step (COrvantaEngine::Update, no drawing) with N walking units on a demo-sized map:
// 128 x 128 cells of 64 pixels, every unit a mobile player with the eight walking animations,
// each heading across the map in one of the eight directions. Every walker is tested against
// every unit for contacts, and the crowd bumps and detours as it crosses; the growth with N is
// reported as the fitted complexity.
//
// Beside it, 1000 units of which 200 walk: once on open ground (the baseline) and once with a
// wall of pieces with gaps across their way, that sends each of them into the detour search.
// And a fight: 1000 units of which 100 exchange fire balls, with balls in the air and explosions
// playing on every step (the fire orders are part of the timed step). And 1000 units of which 500
// are bots: the step in which they all make their once-a-second decision pass, and an ordinary
// step between passes.
//
// The headless clock stands still outside a game-loop pass, so each iteration hands the engine
// a step that is due by moving the last step time back; the units walk, the frame times never
// pass (a held frame costs the same test as a due one).
#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
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

constexpr int kTile = 64;
constexpr int kMapPixels = map::kMapCols * kTile;
constexpr int kRestartEvery = 256;  // steps before the units go back to their starts

// A blank sheet of columns x rows frames, owned by the engine.
CGameSprite* AddSheet(COrvantaEngine& engine, int frameWidth, int frameHeight, int columns, int rows) {
  auto sprite = std::make_unique<CGameSprite>();
  sprite->Sheet().Create(frameWidth * columns, frameHeight * rows);
  sprite->SetFrameSize(frameWidth, frameHeight);
  CGameSprite* sheet = sprite.get();
  engine.AddSprite(sprite);
  return sheet;
}

// A 3-frame-per-direction sheet of 32 x 48 frames.
CGameSprite* AddWalkerSheet(COrvantaEngine& engine) { return AddSheet(engine, 32, 48, 3, 8); }

// A mobile unit on that sheet with its eight walking animations, speed 4.
std::unique_ptr<CGameUnit> MakeWalker(CGameSprite* sheet, const units::Rect& box) {
  auto unit = std::make_unique<CGameUnit>();
  unit->AttachSprite(sheet, 0, kUnitKindMobile, box);
  const char* names[] = {"Up", "Down", "RightUp", "LeftUp", "RightDown", "LeftDown", "Right", "Left"};
  for (int d = 0; d < 8; ++d) unit->AddAnimation(names[d], 3 * d, 3 * d + 2, 3 * d);
  unit->SetAnimationTime(100);
  unit->SetSpeed(4, 4);
  return unit;
}

void TakeDueStep(COrvantaEngine& engine) {
  engine::EngineState& state = engine.State();
  state.timing.lastStepTime = engine::Now(state) - 10;
  engine.Update();
}

// A fresh engine over an open map of the demo's size, on the headless backend; undone with it.
class BenchWorld {
 public:
  BenchWorld() {
    platform::Install(platform::CreateHeadlessPlatform(platform::HeadlessOptions{}));
    map_ = std::make_unique<CGameMap>();
    map_->UseConfig(&config_);
    map_->Init({}, kTile, kTile, 1280, 832, map::kMapRows, map::kMapCols);
    engine_ = std::make_unique<COrvantaEngine>(config_);
    engine_->SetMap(map_.get());
  }
  ~BenchWorld() {
    engine_.reset();
    map_.reset();
    platform::Install(nullptr);
  }
  BenchWorld(const BenchWorld&) = delete;
  BenchWorld& operator=(const BenchWorld&) = delete;

  COrvantaEngine& Engine() { return *engine_; }

 protected:
  CGameMap& Map() { return *map_; }

  config::GameConfig config_;
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
};

class UnitsWorld : public BenchWorld {
 public:
  explicit UnitsWorld(int count) {
    config_.settings.viewLimitsByPlayers = true;
    CGameSprite* sheet = AddWalkerSheet(*engine_);
    for (int i = 0; i < count; ++i) {
      auto unit = MakeWalker(sheet, {4, 30, 28, 46});
      unit->isPlayer = true;
      units_.push_back(unit.get());
      engine_->AddUnit(unit);
      engine_->AddPlayerUnit(units_.back());
    }
    Restart();
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

  void Step() { TakeDueStep(*engine_); }

 private:
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
BENCHMARK(BM_UpdateWalkingUnits)
    ->Arg(100)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// 1000 units on the demo-sized map: 800 standing in a block far below, 200 walking straight
// down in 32 lanes 256 pixels apart, seven deep. With `walled`, row 40 (y 2560 .. 2623) is a
// wall of 128-pixel pieces centred on the lanes with 128-pixel gaps between them, so every
// walker bumps into the wall, steps back and walks the detour the search gives through a gap.
class DetourWorld : public BenchWorld {
 public:
  static constexpr int kUnits = 1000;
  static constexpr int kWalkers = 200;
  static constexpr int kLanes = 32;
  static constexpr int kLaneWidth = 256;
  static constexpr int kWallRow = 40;

  explicit DetourWorld(bool walled) {
    std::vector<map::MapCell> cells(static_cast<std::size_t>(map::kMapRows) * map::kMapCols);
    if (walled) {
      for (int col = 0; col < map::kMapCols; ++col) {
        // Lane l runs down x = l * 256 + 128: cells 4l + 1 and 4l + 2 are walled.
        if (col % 4 == 1 || col % 4 == 2) cells[static_cast<std::size_t>(kWallRow * map::kMapCols + col)].walkable = 0;
      }
    }
    Map().SetCells(cells);
    CGameSprite* sheet = AddWalkerSheet(*engine_);
    for (int i = 0; i < kUnits; ++i) {
      auto unit = MakeWalker(sheet, {4, 24, 28, 48});
      units_.push_back(unit.get());
      engine_->AddUnit(unit);
    }
    Restart();
  }

  void Restart() {
    for (int i = 0; i < kUnits; ++i) {
      CGameUnit* unit = units_[static_cast<std::size_t>(i)];
      unit->Stop();
      unit->blocked = false;
      if (i < kWalkers) {
        // Centred on its lane, the ranks 192 pixels apart above the wall, bound for below it in
        // the same order, so that nobody has to pass the one ahead.
        const int lane = i % kLanes, rank = i / kLanes;
        unit->x = lane * kLaneWidth + kLaneWidth / 2 - 16;
        unit->y = (kWallRow - 4) * kTile - rank * 192;
        unit->MoveTo({unit->Centre().x, (kWallRow + 20) * kTile - rank * 192});
      } else {
        const int k = i - kWalkers;
        unit->x = 512 + (k % 80) * 64;
        unit->y = 5600 + (k / 80) * 64;
      }
    }
  }

 private:
  std::vector<CGameUnit*> units_;
};

// Long enough for the walkers to reach the wall, walk round it and arrive.
constexpr int kDetourCycle = 1024;

void BM_UpdateDetours(benchmark::State& state) {
  DetourWorld world(state.range(0) != 0);
  int steps = 0;
  for (auto _ : state) {
    TakeDueStep(world.Engine());
    if (++steps % kDetourCycle == 0) {
      state.PauseTiming();
      world.Restart();
      state.ResumeTiming();
    }
  }
  state.counters["units"] = DetourWorld::kUnits;
  state.counters["walkers"] = DetourWorld::kWalkers;
}
BENCHMARK(BM_UpdateDetours)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("wall")
    ->Iterations(4 * kDetourCycle)
    ->Unit(benchmark::kMicrosecond);

// 1000 units of which 100 fight: 50 players and 50 bots in facing pairs 240 pixels apart, each
// firing at the other whenever its ball is not in flight (as the fire key and the bots' return
// fire would), so balls fly, hit and explode all the time. The fighters take no health (high
// resistance) but every hit plays its sounds and shows the bars. Their attached units and 600
// standing units fill the table.
class FightWorld : public BenchWorld {
 public:
  static constexpr int kUnits = 1000;
  static constexpr int kPairs = 50;

  FightWorld() {
    CGameSprite* sheet = AddWalkerSheet(*engine_);
    const Sheets attached{AddSheet(*engine_, 15, 15, 3, 1), AddSheet(*engine_, 56, 56, 14, 1),
                          AddSheet(*engine_, 81, 81, 4, 1)};
    for (int p = 0; p < kPairs; ++p) {
      const int x = 1024 + (p % 10) * 512, y = 1024 + (p / 10) * 128;
      CGameUnit* player = AddFighter(sheet, attached, {x, y});
      player->isPlayer = true;
      engine_->AddPlayerUnit(player);
      CGameUnit* bot = AddFighter(sheet, attached, {x + 240, y});
      bot->isBot = true;
      bot->returnFire = true;
      pairs_.emplace_back(player, bot);
    }
    for (int i = engine_->State().unitCount; i < kUnits; ++i) {
      auto unit = MakeWalker(sheet, {4, 24, 28, 48});
      unit->x = 512 + (i % 80) * 64;
      unit->y = 5600 + (i / 80) * 64;
      engine_->AddUnit(unit);
    }
  }

  // Whoever has no ball in the air fires at the other's centre.
  void Exchange() {
    const units::UnitWorld world = engine_->CurrentWorld();
    for (const auto& [player, bot] : pairs_) {
      player->SetAmmo(100);
      player->FireAt(bot->Centre(), world);
      bot->FireAt(player->Centre(), world);
    }
  }

 private:
  struct Sheets {
    CGameSprite *ball, *explosion, *sword;
  };
  CGameUnit* AddAttached(std::unique_ptr<CGameUnit> unit) {
    CGameUnit* kept = unit.get();
    unit->SetVisible(false, 0);
    engine_->AddUnit(unit);
    return kept;
  }
  CGameUnit* AddEffect(CGameSprite* sheet, int lastFrame, int frameTime) {
    auto effect = std::make_unique<CGameUnit>();
    effect->AttachSprite(sheet, 0, kUnitKindEffect, {});
    effect->SetAnimationTime(frameTime);
    effect->AddAnimation("Default", 0, lastFrame, 0);
    return AddAttached(std::move(effect));
  }
  // A standing fighter with its projectile, explosion and sword registered before it, as the
  // loaders do.
  CGameUnit* AddFighter(CGameSprite* sheet, const Sheets& attached, units::Point at) {
    auto ball = MakeWalker(attached.ball, {1, 1, 13, 13});
    ball->SetAnimationTime(40);
    ball->collisionMode = 1;
    ball->isProjectile = true;
    auto fighter = MakeWalker(sheet, {4, 24, 28, 48});
    fighter->projectile = AddAttached(std::move(ball));
    fighter->explosionEffect = AddEffect(attached.explosion, 13, 50);
    fighter->swordEffect = AddEffect(attached.sword, 3, 100);
    fighter->SetPosition(at);
    fighter->SetHealth(100);
    fighter->SetResistance(50);
    CGameUnit* kept = fighter.get();
    engine_->AddUnit(fighter);
    return kept;
  }

  std::vector<std::pair<CGameUnit*, CGameUnit*>> pairs_;
};

void BM_UpdateFightingUnits(benchmark::State& state) {
  FightWorld world;
  for (auto _ : state) {
    world.Exchange();
    TakeDueStep(world.Engine());
  }
  state.counters["units"] = FightWorld::kUnits;
  state.counters["fighters"] = 2 * FightWorld::kPairs;
  // What the last step left in the air, to show the fight is on.
  int balls = 0, explosions = 0;
  for (const auto& unit : engine::UnitTable(world.Engine().State())) {
    if (!unit->IsVisible()) continue;
    balls += unit->isProjectile ? 1 : 0;
    explosions += unit->KindCode() == kUnitKindEffect ? 1 : 0;
  }
  state.counters["balls_flying"] = balls;
  state.counters["explosions_playing"] = explosions;
}
BENCHMARK(BM_UpdateFightingUnits)->Unit(benchmark::kMicrosecond);

// 1000 units on the demo-sized map: 500 bots in a grid 192 pixels apart, each wandering 150
// pixels round its start with every draw certain (one-in-1), 250 players standing between them
// (resistance 0: hits cost them nothing, so no knock-out pauses the world), and the fire balls of
// the first 250 bots. Every bot has players within its fire and vision squares, none within its
// sword's reach.
//   pass:1  the worst step of a second: all 500 bots make their decision pass in it (a walk with
//           its free-point tests, the three player searches, the rays of fire and sight)
//   pass:0  an ordinary step a little later, the bots walking and chasing, the balls flying
class BotsWorld : public BenchWorld {
 public:
  static constexpr int kBots = 500;
  static constexpr int kPlayers = 250;
  static constexpr int kColumns = 25;
  static constexpr int kSpacing = 192;

  // With `atSwordsReach`, each player stands beside a bot instead, within its sword's reach.
  explicit BotsWorld(bool atSwordsReach = false) : atSwordsReach_(atSwordsReach) {
    CGameSprite* sheet = AddWalkerSheet(*engine_);
    CGameSprite* ballSheet = AddSheet(*engine_, 15, 15, 3, 1);
    for (int i = 0; i < kBots; ++i) {
      auto bot = MakeWalker(sheet, {4, 30, 28, 46});
      bot->isBot = true;
      bot->attackFire = bot->attackSword = true;
      bots_.push_back(bot.get());
      engine_->AddUnit(bot);
      if (i >= kPlayers) continue;
      auto ball = std::make_unique<CGameUnit>();
      ball->AttachSprite(ballSheet, 0, kUnitKindMobile, {1, 1, 13, 13});
      ball->SetSpeed(15, 15);
      ball->isProjectile = true;
      ball->collisionMode = 1;
      bots_.back()->projectile = ball.get();
      engine_->AddUnit(ball);
    }
    for (int i = 0; i < kPlayers; ++i) {
      auto player = MakeWalker(sheet, {4, 30, 28, 46});
      player->isPlayer = true;
      player->SetHealth(100);
      player->SetResistance(0);
      players_.push_back(player.get());
      engine_->AddUnit(player);
      engine_->AddPlayerUnit(players_.back());
    }
    Restart();
  }

  // Bots standing at their grid points, wandering, with nothing in mind; balls at rest; players
  // in every other gap of the grid.
  void Restart() {
    const int left = 1024, top = 1024;
    for (int i = 0; i < kBots; ++i) {
      CGameUnit& bot = *bots_[static_cast<std::size_t>(i)];
      bot.Stop();
      bot.blocked = false;
      bot.SetPosition({left + (i % kColumns) * kSpacing, top + (i / kColumns) * kSpacing});
      bot.moveZone = {bot.x - 150, bot.y - 150, bot.x + 150, bot.y + 150};
      bot.moveType = units::MoveType::Wander;
      bot.alertTarget = bot.chaseTarget = nullptr;
      bot.chaseUntil = 0;
      bot.stuckCount = 0;
      if (bot.projectile != nullptr) {
        bot.projectile->Stop();
        bot.projectile->SetVisible(false, 0);
      }
    }
    for (int i = 0; i < kPlayers; ++i) {
      const int gap = 2 * i;
      const units::Point offset = atSwordsReach_ ? units::Point{40, 0} : units::Point{kSpacing / 2, kSpacing / 2};
      players_[static_cast<std::size_t>(i)]->SetPosition(
          {left + (gap % kColumns) * kSpacing + offset.x, top + (gap / kColumns) * kSpacing + offset.y});
    }
  }

  // The next step runs the bots' decision pass, or not.
  void DueBotPass(bool due) {
    engine::EngineState& state = engine_->State();
    state.timing.oneSecondMark = due ? 0 : engine::Now(state) + 1000;
  }

 private:
  bool atSwordsReach_;
  std::vector<CGameUnit*> bots_;
  std::vector<CGameUnit*> players_;
};

void BM_UpdateBots(benchmark::State& state) {
  const bool pass = state.range(0) != 0;
  BotsWorld world;
  for (auto _ : state) {
    state.PauseTiming();
    world.Restart();
    if (!pass) {
      // A pass sets everybody going; a few steps later comes the ordinary step measured.
      world.DueBotPass(true);
      TakeDueStep(world.Engine());
      world.DueBotPass(false);
      for (int i = 0; i < 5; ++i) TakeDueStep(world.Engine());
    }
    world.DueBotPass(pass);
    state.ResumeTiming();
    TakeDueStep(world.Engine());
  }
  state.counters["units"] = world.Engine().UnitCount();
  state.counters["bots"] = BotsWorld::kBots;
}
BENCHMARK(BM_UpdateBots)->Arg(1)->Arg(0)->ArgName("pass")->Unit(benchmark::kMicrosecond);

// The decision pass with every other bot finding a player at its side: 250 sword blows, each
// looking for what it strikes among the 1000 units.
void BM_BotsStrikeInAPass(benchmark::State& state) {
  BotsWorld world(true);
  for (auto _ : state) {
    state.PauseTiming();
    world.Restart();
    world.DueBotPass(true);
    state.ResumeTiming();
    TakeDueStep(world.Engine());
  }
}
BENCHMARK(BM_BotsStrikeInAPass)->Unit(benchmark::kMicrosecond);

// 1000 players packed in a block of 40 x 25, 20 pixels apart across and 12 down, with 24 x 16
// collision boxes, so that each overlaps its eight neighbours. Every step each of them is
// ordered on toward a point beside the block and walks into its neighbours: it steps back,
// stops (collision mode 1) and meets each of them as an event target; a crowd with many
// contacts in every step.
class DenseWorld {
 public:
  static constexpr int kUnits = 1000;
  static constexpr int kColumns = 40;

  DenseWorld() : walkers_(kUnits) {
    for (int i = 0; i < kUnits; ++i) Engine().UnitAt(i)->collisionMode = 1;
  }

  // Everybody back in the block, ordered to alternate sides of it by column.
  COrvantaEngine& Engine() { return walkers_.Engine(); }

  void Order() {
    for (int i = 0; i < kUnits; ++i) {
      CGameUnit* unit = Engine().UnitAt(i);
      unit->x = 2048 + (i % kColumns) * 20;
      unit->y = 2048 + (i / kColumns) * 12;
      unit->MoveTo({i % 2 == 0 ? 1000 : 4000, unit->Centre().y + (i % 3 - 1) * 500});
    }
  }

 private:
  UnitsWorld walkers_;
};

void BM_UpdateDenseContacts(benchmark::State& state) {
  DenseWorld world;
  for (auto _ : state) {
    state.PauseTiming();
    world.Order();
    state.ResumeTiming();
    TakeDueStep(world.Engine());
  }
  state.counters["units"] = DenseWorld::kUnits;
}
BENCHMARK(BM_UpdateDenseContacts)->Unit(benchmark::kMicrosecond);

}  // namespace
