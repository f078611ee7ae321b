// The detour search's bucketed view of the other units answers exactly as the unit blocked test
// over the whole table, which also leaves players out when asked.
#include <gtest/gtest.h>

#include "unit_test_support.h"
#include "units/runtime_random.h"
#include "units/unit_obstacles.h"

namespace {

TEST(ObstacleIndex, AnswersAsTheBlockedTestOverTheWholeTable) {
  units::RuntimeRandom random(7);
  auto sheet = unittest::MakeSheet(32, 32, 1, 1);
  std::vector<std::unique_ptr<CGameUnit>> table;
  for (int i = 0; i < 300; ++i) {
    const int w = random.Next() % 90, h = random.Next() % 60;
    auto unit = std::make_unique<CGameUnit>();
    unit->AttachSprite(sheet.get(), 0, kUnitKindMobile, {0, 0, w, h});
    unit->SetPosition({random.Next() % 2000, random.Next() % 2000});
    unit->SetVisible(i % 3 != 0, 0);  // hidden units count as well
    table.push_back(std::move(unit));
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
  std::vector<std::unique_ptr<CGameUnit>> table(2);
  for (auto& unit : table) {
    unit = std::make_unique<CGameUnit>();
    unit->AttachSprite(sheet.get(), 0, kUnitKindMobile, {0, 0, 20, 20});
  }
  table[1]->SetPosition({10, 10});
  table[1]->isPlayer = true;
  units::UnitWorld world;
  world.table = {table.data(), table.size()};
  EXPECT_TRUE(table[0]->IsBlockedIn(world, false));
  EXPECT_FALSE(table[0]->IsBlockedIn(world, true));
  table[1]->SetPosition({20, 0});  // edges touching only
  EXPECT_FALSE(table[0]->IsBlockedIn(world, false));
}

}  // namespace
