// The bots' decision pass: the runtime generator, the squares a bot searches, the ray of line of
// sight and line of fire, the alert and the chase, static bots, giving up a stuck walk, and
// zones and distances at their limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/game_map.h"
#include "map/map_cell.h"
#include "units/runtime_random.h"
#include "units/unit_services.h"
#include "units/unit_sight.h"
#include "unit_test_support.h"

namespace {

using units::Point;

class SoundLog final : public units::UnitServices {
 public:
  void PlaySound(const std::string& file) override { sounds.push_back(file); }
  std::vector<std::string> sounds;
};

// A 32 x 32 map of 64-pixel cells, all open until walled, and units of 64 x 64 frames with the
// demo characters' collision box.
class BotBehaviour : public ::testing::Test {
 protected:
  static constexpr units::Rect kBox = {21, 34, 42, 60};

  void SetUp() override {
    units::SeedRuntimeRandom(1);
    ASSERT_TRUE(map_.Init({}, 64, 64, 640, 448, 32, 32));
    ASSERT_TRUE(map_.SetCells(cells_));
  }
  void TearDown() override { units::SeedRuntimeRandom(1); }

  void Wall(int row, int col) {
    cells_[static_cast<std::size_t>(row * 32 + col)].walkable = 0;
    ASSERT_TRUE(map_.SetCells(cells_));
  }
  CGameUnit& Add(int x, int y, int kind = kUnitKindMobile) {
    table_.push_back(std::make_unique<CGameUnit>());
    CGameUnit& unit = *table_.back();
    unit.AttachSprite(sheet_.get(), 0, kind, kBox);
    unit.SetPosition({x, y});
    unit.SetHealth(100);
    return unit;
  }
  CGameUnit& AddPlayer(int x, int y) {
    CGameUnit& player = Add(x, y);
    player.isPlayer = true;
    players_.push_back(&player);
    return player;
  }
  // A wandering bot that only looks out, always (one-in-1 draws), in a zone round its start.
  CGameUnit& AddBot(int x, int y) {
    CGameUnit& bot = Add(x, y);
    bot.isBot = true;
    bot.moveZone = {x - 100, y - 100, x + 100, y + 100};
    bot.lastPosition = {-1, -1};
    return bot;
  }
  // The bot's fire ball: a hidden 15 x 15 projectile in the table.
  void GiveFireBall(CGameUnit& bot) {
    table_.push_back(std::make_unique<CGameUnit>());
    CGameUnit& ball = *table_.back();
    ball.AttachSprite(ballSheet_.get(), 0, kUnitKindMobile, {1, 1, 13, 13});
    ball.isProjectile = true;
    ball.collisionMode = 1;
    ball.SetVisible(false, 0);
    bot.projectile = &ball;
    bot.attackFire = true;
  }
  units::UnitWorld World(uint32_t now) {
    units::UnitWorld world;
    world.map = &map_;
    world.table = table_;
    world.now = now;
    world.services = &log_;
    world.players = players_;
    return world;
  }
  void Pass(CGameUnit& bot, uint32_t now) { bot.BotDecisionPass(World(now)); }

  std::vector<map::MapCell> cells_ = std::vector<map::MapCell>(32 * 32);
  CGameMap map_;
  std::unique_ptr<CGameSprite> sheet_ = unittest::MakeSheet(64, 64, 1, 1);
  std::unique_ptr<CGameSprite> ballSheet_ = unittest::MakeSheet(15, 15, 1, 1);
  std::vector<std::unique_ptr<CGameUnit>> table_;
  std::vector<CGameUnit*> players_;
  SoundLog log_;
};

// The classic generator, written out here from its formula.
struct Lcg {
  uint32_t state;
  int Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  }
};

TEST(RuntimeRandom, SeedOneGivesTheClassicSequenceAndEmptyDrawsTakeNothing) {
  units::SeedRuntimeRandom(1);
  std::vector<int> first;
  for (int i = 0; i < 5; ++i) first.push_back(units::RuntimeRandom());
  EXPECT_EQ(first, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
  // One-in-1 and an empty range draw nothing; the next value is still the sixth of the sequence.
  units::SeedRuntimeRandom(1);
  EXPECT_TRUE(units::OneIn(1));
  EXPECT_TRUE(units::OneIn(0));
  EXPECT_EQ(units::RandomInRange(10, 9), std::nullopt);
  EXPECT_FALSE(units::OneIn(2)) << "41 is odd";
  EXPECT_EQ(units::RandomInRange(100, 100), 100);
  EXPECT_EQ(units::RandomInRange(-5, 5), -5 + 6334 % 11);
  EXPECT_EQ(units::RandomInRange(INT32_MIN, INT32_MAX), INT32_MIN + 26500) << "no overflow of the span";
  units::SeedRuntimeRandom(1);
}

TEST_F(BotBehaviour, ThePlayersASquareCountsReachTheSideHalfEachWayEdgesIncluded) {
  CGameUnit& bot = AddBot(500, 500);  // centre (532, 532)
  CGameUnit& player = AddPlayer(0, 500);
  bot.swordEffect = &Add(0, 0, kUnitKindEffect);  // a 64 x 64 sword frame: 32 each way
  const struct {
    units::Search purpose;
    int side;   // fire or vision distance
    int left;   // the player's frame left
    bool alive;
    bool found;
  } cases[] = {
      {units::Search::Fire, 300, 682, true, true},     // its left edge on the square's right edge
      {units::Search::Fire, 300, 683, true, false},
      {units::Search::Fire, 300, 318, true, true},     // its right edge (382) on the square's left
      {units::Search::Fire, 300, 317, true, false},
      {units::Search::Fire, 300, 600, false, false},   // knocked out
      {units::Search::Fire, 100, 582, true, true},     // the loaders' least fire distance: 50 each way
      {units::Search::Fire, 100, 583, true, false},
      {units::Search::Vision, 0, 532, true, true},     // a side of 0 is the centre point
      {units::Search::Vision, 0, 533, true, false},
      {units::Search::Vision, -20, 500, true, false},  // negative: nothing
      {units::Search::Vision, INT32_MAX, -1000000000, true, true},
      {units::Search::Sword, 0, 564, true, true},
      {units::Search::Sword, 0, 565, true, false},
  };
  for (const auto& c : cases) {
    bot.fireDistance = bot.visionDistance = c.side;
    player.x = c.left;
    player.alive = c.alive;
    EXPECT_EQ(units::FindPlayerInSquare(bot, c.purpose, World(0)) == &player, c.found)
        << static_cast<int>(c.purpose) << " side " << c.side << " left " << c.left;
  }
}

TEST_F(BotBehaviour, AmongSeveralPlayersOneDrawPicksByNumberAndTheSwordTakesTheFirst) {
  CGameUnit& bot = AddBot(500, 500);
  bot.swordEffect = &Add(0, 0, kUnitKindEffect);
  CGameUnit& a = AddPlayer(520, 480);
  CGameUnit& b = AddPlayer(540, 500);
  CGameUnit& c = AddPlayer(560, 520);
  // Seed 1 draws 41 first: 41 mod 3 = 2, the third in the player table; 41 mod 2 = 1 the second.
  EXPECT_EQ(units::FindPlayerInSquare(bot, units::Search::Vision, World(0)), &c);
  units::SeedRuntimeRandom(1);
  c.alive = false;
  EXPECT_EQ(units::FindPlayerInSquare(bot, units::Search::Fire, World(0)), &b);
  a.alive = false;
  units::SeedRuntimeRandom(1);
  EXPECT_EQ(units::FindPlayerInSquare(bot, units::Search::Vision, World(0)), &b);
  EXPECT_EQ(units::RuntimeRandom(), 41) << "a single candidate takes no draw";
  a.alive = c.alive = true;
  EXPECT_EQ(units::FindPlayerInSquare(bot, units::Search::Sword, World(0)), &a);
  EXPECT_EQ(units::RuntimeRandom(), 18467) << "the sword takes no draw";
}

TEST_F(BotBehaviour, WallsAndUnitsBetweenBotAndPlayerDecideTheLine) {
  enum Between { Nothing, WallCell, WallBehind, Bot, Other, HiddenOther, Pickup, OtherPlayer };
  const struct {
    Between between;
    bool clear;
  } cases[] = {{Nothing, true}, {WallCell, false},     {WallBehind, true}, {Bot, true},
               {Other, false},  {HiddenOther, false}, {Pickup, true},     {OtherPlayer, true}};
  for (const auto& c : cases) {
    for (const units::Probe probe : {units::Probe::Projectile, units::Probe::Body}) {
      table_.clear();
      players_.clear();
      cells_.assign(32 * 32, map::MapCell{});
      ASSERT_TRUE(map_.SetCells(cells_));
      CGameUnit& bot = AddBot(200, 480);  // centre (232, 512); its box's corner at (221, 514)
      GiveFireBall(bot);
      CGameUnit& player = AddPlayer(700, 480);
      switch (c.between) {
        case Nothing: break;
        case WallCell: Wall(8, 7); break;      // x 448 .. 511 on the row of both
        case WallBehind: Wall(8, 14); break;   // x 896 .. 959, past the player
        case Bot: Add(400, 480).isBot = true; break;
        case Other: Add(400, 480, kUnitKindOther); break;
        case HiddenOther: Add(400, 480, kUnitKindOther).SetVisible(false, 0); break;
        case Pickup: Add(400, 480, kUnitKindObject).autouseType = 1; break;
        case OtherPlayer: AddPlayer(400, 480); break;
      }
      EXPECT_EQ(units::LineClearToPlayer(bot, player.Centre(), probe, World(0)), c.clear)
          << "between " << c.between << " probe " << static_cast<int>(probe);
    }
  }
}

TEST_F(BotBehaviour, AWallBetweenStopsTheLookoutAndAFireBallIsNeededToFire) {
  CGameUnit& bot = AddBot(200, 480);
  CGameUnit& player = AddPlayer(500, 480);
  EXPECT_FALSE(units::LineClearToPlayer(bot, player.Centre(), units::Probe::Projectile, World(0))) << "no ball";
  EXPECT_FALSE(units::LineClearToPlayer(bot, bot.Centre(), units::Probe::Body, World(0))) << "no length";
  Wall(8, 6);
  Pass(bot, 1000);
  EXPECT_EQ(bot.moveType, 1);
  EXPECT_EQ(bot.alertTarget, nullptr);
  EXPECT_TRUE(log_.sounds.empty());
}

TEST_F(BotBehaviour, ABlindBotTakesNoLookoutDrawAndKeepsItsAlertTarget) {
  CGameUnit& bot = AddBot(500, 500);
  CGameUnit& player = AddPlayer(560, 500);
  bot.visionDistance = 0;
  bot.visionRandom = 2;
  bot.alertTarget = &player;
  bot.MoveTo({900, 500});  // no walk decision either: the pass draws nothing at all
  Pass(bot, 1000);
  EXPECT_EQ(bot.moveType, 1);
  EXPECT_EQ(bot.alertTarget, &player);
  EXPECT_EQ(units::RuntimeRandom(), 41);
}

TEST_F(BotBehaviour, ASpottedPlayerRaisesTheAlertOnceAndTheChaseEndsFifteenSecondsLater) {
  CGameUnit& bot = AddBot(500, 500);
  CGameUnit& player = AddPlayer(700, 500);
  // Walking a pixel between passes keeps the stuck count out of the way.
  auto passAt = [&](uint32_t now) {
    bot.Stop();
    ++bot.x;
    Pass(bot, now);
  };
  passAt(10000);
  EXPECT_EQ(log_.sounds, std::vector<std::string>{"alert_bot.wav"});
  EXPECT_EQ(bot.alertIconUntil, 13000u);
  EXPECT_EQ(bot.moveType, 2);
  EXPECT_EQ(bot.chaseTarget, &player);
  EXPECT_EQ(bot.chaseUntil, 25000u);
  EXPECT_TRUE(bot.moving);
  EXPECT_EQ(bot.moveTarget, player.Centre());

  passAt(11000);  // chasing: a point round the player, no lookout
  EXPECT_EQ(bot.moveType, 2);
  EXPECT_LE(std::abs(bot.moveTarget.x - player.Centre().x), 300);
  EXPECT_LE(std::abs(bot.moveTarget.y - player.Centre().y), 300);
  passAt(25000);  // the last tick of the chase still chases
  EXPECT_EQ(bot.moveType, 2);
  passAt(25001);
  EXPECT_EQ(bot.moveType, 1);
  EXPECT_EQ(bot.chaseTarget, nullptr);
  EXPECT_EQ(bot.chaseUntil, 0u);
  EXPECT_FALSE(bot.moving) << "the pass that ends the chase walks nowhere";
  EXPECT_EQ(bot.alertTarget, &player);

  passAt(26000);  // the same player again: a new chase without sound or icon
  EXPECT_EQ(bot.moveType, 2);
  EXPECT_EQ(bot.chaseUntil, 41000u);
  EXPECT_EQ(bot.alertIconUntil, 13000u);
  EXPECT_EQ(log_.sounds.size(), 1u);

  // A lookout that finds nobody forgets the player; seeing it afterwards is news again.
  bot.moveType = 1;
  player.x = 1500;
  passAt(27000);
  EXPECT_EQ(bot.alertTarget, nullptr);
  player.x = 700;
  passAt(28000);
  EXPECT_EQ(log_.sounds.size(), 2u);
  EXPECT_EQ(bot.alertIconUntil, 31000u);
}

TEST_F(BotBehaviour, AChaseEndsAtOnceWhenThePlayerIsKnockedOut) {
  CGameUnit& bot = AddBot(500, 500);
  CGameUnit& player = AddPlayer(700, 500);
  Pass(bot, 10000);
  ASSERT_EQ(bot.moveType, 2);
  bot.Stop();
  player.alive = false;
  Pass(bot, 11000);
  EXPECT_EQ(bot.moveType, 1);
  EXPECT_EQ(bot.chaseTarget, nullptr);
}

TEST_F(BotBehaviour, AStaticBotFiresAtPassingPlayersButNeverMovesNorChases) {
  CGameUnit& bot = AddBot(500, 500);
  bot.moveType = 0;
  GiveFireBall(bot);
  AddPlayer(600, 560);
  for (uint32_t now = 1000; now <= 5000; now += 1000) {
    Pass(bot, now);
    EXPECT_FALSE(bot.moving) << now;
    EXPECT_EQ(bot.Position(), (Point{500, 500}));
    EXPECT_EQ(bot.moveType, 0);
    EXPECT_EQ(bot.stuckCount, 0) << "static bots keep no stuck count";
  }
  EXPECT_TRUE(bot.projectile->IsVisible());
  EXPECT_EQ(log_.sounds, std::vector<std::string>{"fire2.wav"}) << "one ball in flight at a time, no alert";
}

TEST_F(BotBehaviour, ABotStandingStillForThreePassesGivesUpItsWalk) {
  CGameUnit& bot = AddBot(500, 500);
  bot.visionDistance = 0;
  bot.MoveTo({1500, 500});
  for (int pass = 1; pass <= 4; ++pass) {
    Pass(bot, 1000u * static_cast<uint32_t>(pass));
    EXPECT_EQ(bot.moving, pass < 4) << pass;  // the first pass notes where it stands
    EXPECT_EQ(bot.stuckCount, pass < 4 ? pass - 1 : 0) << pass;
  }
  // A bot that moved between passes starts counting again.
  bot.MoveTo({1500, 500});
  Pass(bot, 5000);
  bot.x += 4;
  Pass(bot, 6000);
  EXPECT_EQ(bot.stuckCount, 0);
  EXPECT_TRUE(bot.moving);
}

TEST_F(BotBehaviour, AStandingBotWalksToAPointDrawnInItsZoneWithTheGeneratorReseededFromTheClock) {
  CGameUnit& bot = AddBot(500, 500);
  bot.visionDistance = 0;
  bot.moveZone = {300, 320, 310, 325};
  Lcg expected{4242};
  expected.Next();  // the draw thrown away after reseeding
  const int x = 300 + expected.Next() % 11, y = 320 + expected.Next() % 6;
  units::SeedRuntimeRandom(99);
  Pass(bot, 4242);
  EXPECT_TRUE(bot.moving);
  EXPECT_EQ(bot.moveTarget, (Point{x, y}));
}

TEST_F(BotBehaviour, OddZonesAndASquareCutByTheMapEdgeLeaveTheBotStandingWithoutFault) {
  // Cells 0..3 of rows 0..3 walled: a zone there has no free point.
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) Wall(row, col);
  }
  const struct {
    const char* what;
    units::Rect zone;
    bool walks;
    Point target;
  } cases[] = {
      {"a point zone", {400, 420, 400, 420}, true, {400, 420}},
      {"inverted across", {401, 420, 400, 420}, false, {}},
      {"inverted far", {900, 900, 100, 100}, false, {}},
      {"in a wall", {100, 100, 200, 200}, false, {}},
      {"on the zero line", {0, 0, 0, 500}, false, {}},
  };
  for (const auto& c : cases) {
    CGameUnit& bot = AddBot(1000, 1000);
    bot.visionDistance = 0;
    bot.moveZone = c.zone;
    Pass(bot, 7000);
    EXPECT_EQ(bot.moving, c.walks) << c.what;
    if (c.walks) {
      EXPECT_EQ(bot.moveTarget, c.target) << c.what;
    }
  }
  // A chase round a player in the corner with a short reach: the square cut to 100 .. 8092 is
  // empty on both axes, so the bot waits while the chase lasts.
  CGameUnit& player = AddPlayer(-40, -40);
  CGameUnit& chaser = AddBot(1000, 1000);
  chaser.moveType = 2;
  chaser.chaseTarget = &player;
  chaser.chaseUntil = 9000;
  chaser.maxDistance = 10;
  Pass(chaser, 8000);
  EXPECT_FALSE(chaser.moving);
  EXPECT_EQ(chaser.moveType, 2);
}

TEST_F(BotBehaviour, ManyBotsRoundOnePlayerAllChaseItEachWithItsOwnAlert) {
  CGameUnit& player = AddPlayer(1000, 1000);
  std::vector<CGameUnit*> bots;
  for (int i = 0; i < 12; ++i) bots.push_back(&AddBot(700 + (i % 4) * 150, 700 + (i / 4) * 250));
  for (CGameUnit* bot : bots) Pass(*bot, 3000);
  for (CGameUnit* bot : bots) {
    EXPECT_EQ(bot->chaseTarget, &player);
    EXPECT_EQ(bot->moveTarget, player.Centre());
  }
  EXPECT_EQ(log_.sounds, std::vector<std::string>(12, "alert_bot.wav"));
}

}  // namespace
