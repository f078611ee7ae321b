// The contacts' broad phase meets the units the whole-table scan meets, in the same order: two
// copies of a crowd step side by side, one with the index, while units walk, step back, take kits,
// jump far in their own step and, as attached units, are placed by other units' blows, shots and
// impacts. The blocked test, the line of sight and the sword's blow, which ask the same index,
// answer and strike as the whole table does; so does the detour search's bucketed view of the other units, which also
// leaves players out when asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "unit_test_support.h"
#include "units/contact_index.h"
#include "units/line_of_sight.h"
#include "units/runtime_random.h"
#include "units/unit_obstacles.h"
#include "units/unit_sight.h"

namespace {

constexpr int kUnits = 300;

// A fixed sequence, the same for both copies.
struct Sequence : unittest::Lcg {
  Sequence() : Lcg{7} {}
  int Next(int below) { return Lcg::Next() % below; }
};

struct Crowd {
  std::vector<std::unique_ptr<CGameUnit>> table;
  std::vector<CGameUnit*> players;
  unittest::RecordingServices services;
};

units::UnitWorld WorldOf(Crowd& crowd, uint32_t now) {
  return {nullptr, crowd.table, now, &crowd.services, crowd.players};
}

void Fill(Crowd& crowd, CGameSprite* sheet) {
  Sequence seq;
  for (int i = 0; i < kUnits; ++i) {
    const int shape = seq.Next(10);
    // Mostly walker boxes; a few empty (effects), wide (many cells), inside-out and odd-sized
    // ones reaching left of and above the unit, or lying below and right of its frame.
    const units::Rect box = shape == 0   ? units::Rect{}
                            : shape == 1 ? units::Rect{-300, 0, 300, 40}
                            : shape == 2 ? units::Rect{30, 30, 2, 2}
                            : shape == 3 ? (i % 2 == 0 ? units::Rect{-5, -3, 20, 26} : units::Rect{40, 36, 60, 70})
                                         : units::Rect{4, 8, 28, 32};
    const int kind = seq.Next(5) == 0 ? kUnitKindObject : kUnitKindMobile;
    const int x = seq.Next(700);
    auto unit = unittest::MakeUnit(sheet, kind, x, seq.Next(700), box);
    std::string name = "u";  // built piecewise: GCC 12 misreads "u" + string as overlapping copies
    name += std::to_string(i);
    unit->SetName(name);
    unit->SetSpeed(1 + seq.Next(6), 1 + seq.Next(6));
    unit->isPlayer = seq.Next(2) == 0;
    // Some already dead, the others falling after a few blows or a shot.
    unit->SetHealth(seq.Next(4) == 0 ? 0 : 1 + seq.Next(40));
    // Search squares from none to most of the field.
    unit->fireDistance = seq.Next(4) * 120 - 20;
    unit->visionDistance = seq.Next(4) * 90;
    unit->collisionMode = seq.Next(2);
    if (unit->KindCode() == kUnitKindObject) unit->autouseType = 1 + seq.Next(2);
    unittest::AddWalkAnimations(*unit);
    unit->MoveTo({seq.Next(700), seq.Next(700)});
    crowd.table.push_back(std::move(unit));
  }
  // Every tenth unit is another one's sword blow or fire ball, and every ball's shooter has an
  // explosion: each is placed by that one's rules, wherever it stands in the table.
  auto at = [&](int i) { return crowd.table[static_cast<std::size_t>(i % kUnits)].get(); };
  for (int i = 0; i + 10 < kUnits; i += 10) {
    if (i % 20 == 0) {
      at(i)->swordEffect = at(i + 10);
      continue;
    }
    CGameUnit& ball = *at(i + 10);
    ball.isProjectile = true;
    ball.isPlayer = false;
    ball.SetVisible(false, 0);
    at(i)->isPlayer = false;  // a player would need ammunition
    at(i)->projectile = &ball;
    at(i)->explosionEffect = at(i + 5);
  }
  // The player table in another order than the unit table's.
  for (auto it = crowd.table.rbegin(); it != crowd.table.rend(); ++it) {
    if ((*it)->isPlayer) crowd.players.push_back(it->get());
  }
}

std::vector<int> Positions(const Crowd& crowd) {
  std::vector<int> out;
  for (const auto& unit : crowd.table) {
    out.insert(out.end(), {unit->x, unit->y, unit->IsVisible() ? 1 : 0, unit->moving ? 1 : 0});
  }
  return out;
}

// What the stepping unit's other questions answer: whether it is blocked where it stands,
// whether the straight line to another unit's centre reaches a player, and which players' frames
// meet its search squares.
struct Answers {
  std::vector<int> yesNo;                // three a question round
  std::vector<std::size_t> playersNear;  // index and frame of each, each list ended by the table's size
};

void AskAround(CGameUnit& unit, const units::UnitWorld& world, const CGameUnit& target, Answers& answers) {
  answers.yesNo.push_back(unit.IsBlockedIn(world, false));
  answers.yesNo.push_back(unit.IsBlockedIn(world, true));
  answers.yesNo.push_back(units::LineClearToPlayer(unit, target.Centre(), units::Probe::Body, world));
  units::NearPlayers room;
  for (const units::NearPlayer& player : units::PlayersNear(unit, units::BotSquares(unit), world, room)) {
    // The frame handed on must be where the player stands now.
    const units::Rect& frame = player.frame;
    answers.playersNear.insert(answers.playersNear.end(),
                               {player.index, std::size_t(frame.left), std::size_t(frame.top), std::size_t(frame.right),
                                std::size_t(frame.bottom)});
  }
  answers.playersNear.push_back(world.players.size());
}

TEST(ContactIndex, MeetsTheSameUnitsInTheSameOrderAsTheWholeTable) {
  auto sheet = unittest::MakeSheet(32, 32, 3, 8);
  Crowd scanned, indexed;
  Fill(scanned, sheet.get());
  Fill(indexed, sheet.get());
  units::ContactIndex index;
  Sequence moves;
  Answers scannedAnswers, indexedAnswers;
  uint32_t now = 1000;
  for (int step = 0; step < 40; ++step) {
    now += 10;
    // Now and then the tables change between steps: the players take other places in theirs, one
    // leaves it, and a player trades slots with the unit after it.
    for (Crowd* crowd : {&scanned, &indexed}) {
      std::vector<CGameUnit*>& players = crowd->players;
      if (step % 10 == 9) std::rotate(players.begin(), players.begin() + 1, players.end());
      if (step == 29) players.pop_back();
      if (step % 10 == 4) {
        auto& table = crowd->table;
        const auto player =
            std::find_if(table.begin(), table.end(), [&](const auto& unit) { return unit.get() == players[step % 7]; });
        std::iter_swap(player, table.begin() + (player - table.begin() + 1) % kUnits);
      }
    }
    const units::UnitWorld plain = WorldOf(scanned, now);
    units::UnitWorld fast = WorldOf(indexed, now);
    index.Build(indexed.table);
    fast.contacts = &index;
    for (int i = 0; i < kUnits; ++i) {
      const std::size_t slot = static_cast<std::size_t>(i);
      // Now and then a unit jumps far in its own step, or strikes with its sword or fires at the
      // next unit, whose ball explodes where it hits.
      const int jump = moves.Next(40);
      const units::Point far{moves.Next(700), moves.Next(700)};
      for (Crowd* crowd : {&scanned, &indexed}) {
        CGameUnit& unit = *crowd->table[slot];
        const units::UnitWorld& world = crowd == &scanned ? plain : fast;
        unit.Update(now);
        unit.ProcessContacts(world);
        if (jump == 0) unit.SetPosition(far);
        if (unit.isProjectile && unit.IsVisible() && !unit.moving) unit.SetVisible(false, now);
        if (jump < 10 && unit.swordEffect != nullptr) {
          unit.swordEffect->SetVisible(false, now);
          unit.SwordAttack(world);
        }
        if (jump < 10) unit.FireAt(crowd->table[(slot + 1) % kUnits]->Centre(), world);
      }
      // Asked before its own move is filed, as a bot's decision asks.
      const std::size_t target = static_cast<std::size_t>(moves.Next(kUnits));
      AskAround(*scanned.table[slot], plain, *scanned.table[target], scannedAnswers);
      AskAround(*indexed.table[slot], fast, *indexed.table[target], indexedAnswers);
      index.Refresh(i);
    }
    ASSERT_EQ(indexedAnswers.yesNo, scannedAnswers.yesNo) << "step " << step;
    ASSERT_EQ(indexedAnswers.playersNear, scannedAnswers.playersNear) << "step " << step;
    ASSERT_EQ(indexed.services.log, scanned.services.log) << "step " << step;
    ASSERT_EQ(Positions(indexed), Positions(scanned)) << "step " << step;
  }
  EXPECT_GT(scanned.services.log.size(), 500u) << "a crowd that meets";
  const std::vector<std::string>& log = scanned.services.log;
  for (const char* placed : {"sound use_sword1.wav", "sound fire2.wav", "sound explosion1.wav", "sound damage_unit.wav",
                             "sound death_unit.wav"})
    EXPECT_GT(std::count(log.begin(), log.end(), placed), 20) << placed;
  // Each question answered both ways, often enough to mean something.
  for (std::size_t question = 0; question < 3; ++question) {
    int yes = 0, all = 0;
    for (std::size_t k = question; k < scannedAnswers.yesNo.size(); k += 3, ++all) yes += scannedAnswers.yesNo[k];
    EXPECT_GT(yes, all / 20) << question;
    EXPECT_LT(yes, all - all / 20) << question;
  }
  // Players found near, and not all of them each time.
  const std::size_t rounds = 40 * kUnits, listed = (scannedAnswers.playersNear.size() - rounds) / 5;
  EXPECT_GT(listed, rounds);
  EXPECT_LT(listed, rounds * scanned.players.size() / 4);
}

TEST(ContactIndex, APileOfKitsOnOneCellIsMetTheSameWayAndEndsWithinTheStep) {
  auto sheet = unittest::MakeSheet(32, 32, 3, 8);
  std::vector<int> results;  // health, kits taken and x: without, then with the index
  for (bool withIndex : {false, true}) {
    Crowd pile;
    // The walker at (0, 0), then the kits at (20, 0): still touched after a few steps back.
    pile.table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindMobile, 0, 0, {0, 0, 32, 32}));
    for (int i = 0; i < 3000; ++i) {
      pile.table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindObject, 20, 0, {0, 0, 32, 32}));
      pile.table.back()->autouseType = 1;
    }
    CGameUnit& walker = *pile.table[0];
    walker.isPlayer = true;
    walker.SetSpeed(4, 4);
    walker.SetHealth(10);
    unittest::AddWalkAnimations(walker);
    walker.MoveTo({1000, 16});
    units::ContactIndex index;
    index.Build(pile.table);
    units::UnitWorld world = WorldOf(pile, 100);
    if (withIndex) world.contacts = &index;
    walker.Update(100);
    walker.ProcessContacts(world);
    int taken = 0;
    for (const auto& unit : pile.table) taken += unit->IsVisible() ? 0 : 1;
    results.insert(results.end(), {walker.Health(), taken, walker.x});
  }
  EXPECT_EQ(results[0], 100);
  EXPECT_GT(results[1], 1);
  EXPECT_LT(results[1], 3000) << "stepping back takes the player off the pile";
  EXPECT_EQ(std::vector<int>(results.begin() + 3, results.end()),
            std::vector<int>(results.begin(), results.begin() + 3));
}

TEST(ContactIndex, ASwordBlowStopsAtTheTablesFirstEmptySlotAsTheScanDoes) {
  auto sheet = unittest::MakeSheet(32, 32, 3, 8);
  for (bool withIndex : {false, true}) {
    Crowd crowd;
    // The striker, a victim, an empty slot, then a victim the scan never reaches.
    for (int i = 0; i < 4; ++i) {
      if (i == 2) {
        crowd.table.emplace_back();
        continue;
      }
      crowd.table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindMobile, 100, 100, {0, 0, 32, 32}));
      crowd.table.back()->SetHealth(30);
    }
    crowd.table[0]->isPlayer = true;
    units::ContactIndex index;
    index.Build(crowd.table);
    units::UnitWorld world = WorldOf(crowd, 100);
    if (withIndex) world.contacts = &index;
    crowd.table[0]->SwordAttack(world);
    EXPECT_EQ(std::make_pair(crowd.table[1]->Health(), crowd.table[3]->Health()), std::make_pair(20, 30)) << withIndex;
  }
}

TEST(ContactIndex, AUnitMovedManyTimesInAStepIsAnsweredOnceAndNeverLeftOut) {
  auto sheet = unittest::MakeSheet(32, 32, 3, 8);
  Sequence seq;
  std::vector<std::unique_ptr<CGameUnit>> table;
  for (int i = 0; i < 60; ++i) {
    // Walker boxes and wide ones, which span many cells on a row boundary and fewer off it.
    const units::Rect box = i % 3 == 0 ? units::Rect{-300, 0, 300, 40} : units::Rect{4, 8, 28, 32};
    table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindMobile, seq.Next(1500), seq.Next(1500), box));
  }
  units::ContactIndex index;
  index.Build(table);
  int met = 0;
  for (int round = 0; round < 3000; ++round) {
    const int slot = seq.Next(60);
    table[static_cast<std::size_t>(slot)]->SetPosition({seq.Next(1500), seq.Next(1500)});
    index.Refresh(slot);
    const units::Point centre{seq.Next(1500), seq.Next(1500)}, half{1 + seq.Next(200), 1 + seq.Next(200)};
    const std::vector<int> found = index.Candidates(centre, half, -1);
    ASSERT_TRUE(std::adjacent_find(found.begin(), found.end(), std::greater_equal<int>()) == found.end())
        << "ascending, each slot once; round " << round;
    for (int other = 0; other < 60; ++other) {
      const CGameUnit& unit = *table[static_cast<std::size_t>(other)];
      const units::Point c = unit.BoxCentre(), h = unit.BoxHalfSize();
      if (std::abs(c.x - centre.x) >= h.x + half.x || std::abs(c.y - centre.y) >= h.y + half.y) continue;
      ++met;
      ASSERT_TRUE(std::binary_search(found.begin(), found.end(), other)) << other << " in round " << round;
    }
  }
  EXPECT_GT(met, 3000) << "queries that meet units";
}

// The index names an attached unit by its address; when the table's units change slots between
// steps, a ball its shooter places is still filed again under the slot it holds now.
TEST(ContactIndex, AnAttachedUnitPlacedAfterTheTableChangedIsFiledUnderItsNewSlot) {
  auto sheet = unittest::MakeSheet(32, 32, 3, 8);
  std::vector<std::unique_ptr<CGameUnit>> table;
  for (int i = 0; i < 3; ++i) table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindMobile, 100 * i, 0));
  CGameUnit& ball = *table[1];
  table[2]->projectile = &ball;
  units::ContactIndex index;
  index.Build(table);
  std::rotate(table.begin(), table.begin() + 1, table.end());  // the ball now in slot 0
  index.Build(table);
  ball.SetPosition({5000, 5000});
  index.Refresh(ball);
  const std::vector<int>& found = index.Candidates(ball.BoxCentre(), ball.BoxHalfSize(), -1);
  EXPECT_TRUE(std::binary_search(found.begin(), found.end(), 0));
}

TEST(ObstacleIndex, AnswersAsTheBlockedTestOverTheWholeTable) {
  units::RuntimeRandom random(7);
  auto sheet = unittest::MakeSheet(32, 32, 1, 1);
  std::vector<std::unique_ptr<CGameUnit>> table;
  for (int i = 0; i < 300; ++i) {
    const int w = random.Next() % 90, h = random.Next() % 60, x = random.Next() % 2000;
    table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindMobile, x, random.Next() % 2000, {0, 0, w, h}));
    table.back()->SetVisible(i % 3 != 0, 0);  // hidden units count as well
  }
  CGameUnit& self = *table[5];
  units::UnitWorld world;
  world.table = {table.data(), table.size()};
  const units::ObstacleIndex index(world, &self);
  int hits = 0;
  for (int probe = 0; probe < 3000; ++probe) {
    self.SetPosition({random.Next() % 2100 - 100, random.Next() % 2100 - 100});
    const bool expected = self.IsBlockedIn(world, false);
    ASSERT_EQ(index.Overlaps(self.BoxCentre(), self.BoxHalfSize()), expected) << probe;
    hits += expected;
  }
  EXPECT_GT(hits, 300) << "the probes meet boxes often enough to matter";
  EXPECT_LT(hits, 2700);
}

TEST(ObstacleIndex, TheBlockedTestCanLeavePlayersOut) {
  auto sheet = unittest::MakeSheet(32, 32, 1, 1);
  std::vector<std::unique_ptr<CGameUnit>> table;
  for (const int at : {0, 10})
    table.push_back(unittest::MakeUnit(sheet.get(), kUnitKindMobile, at, at, {0, 0, 20, 20}));
  table[1]->isPlayer = true;
  units::UnitWorld world;
  world.table = {table.data(), table.size()};
  EXPECT_TRUE(table[0]->IsBlockedIn(world, false));
  EXPECT_FALSE(table[0]->IsBlockedIn(world, true));
  table[1]->SetPosition({20, 0});  // edges touching only
  EXPECT_FALSE(table[0]->IsBlockedIn(world, false));
}

}  // namespace
