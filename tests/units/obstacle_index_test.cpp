// The detour search's sorted view of the other units answers exactly as a test of every box.
#include <gtest/gtest.h>

#include "units/runtime_random.h"
#include "units/unit_obstacles.h"
#include "unit_test_support.h"

namespace {

TEST(ObstacleIndex, AnswersAsTheWholeTableWouldForBoxesOfManySizes) {
  units::SeedRuntimeRandom(7);
  auto sheet = unittest::MakeSheet(32, 32, 1, 1);
  std::vector<std::unique_ptr<CGameUnit>> table;
  for (int i = 0; i < 300; ++i) {
    const int w = units::RuntimeRandom() % 90, h = units::RuntimeRandom() % 60;
    auto unit = std::make_unique<CGameUnit>();
    unit->AttachSprite(sheet.get(), 0, kUnitKindMobile, {0, 0, w, h});
    unit->SetPosition({units::RuntimeRandom() % 2000, units::RuntimeRandom() % 2000});
    table.push_back(std::move(unit));
  }
  const CGameUnit* self = table[5].get();
  const units::UnitWorld world{nullptr, {table.data(), table.size()}, 0};
  const units::ObstacleIndex index(world, self);
  int hits = 0;
  for (int probe = 0; probe < 3000; ++probe) {
    const units::Point centre{units::RuntimeRandom() % 2100 - 50, units::RuntimeRandom() % 2100 - 50};
    const units::Point half{units::RuntimeRandom() % 40, units::RuntimeRandom() % 40};
    bool expected = false;
    for (const auto& other : table) {
      if (other.get() == self) continue;
      const units::Point c = other->BoxCentre(), h = other->BoxHalfSize();
      expected = expected || (std::abs(c.x - centre.x) < h.x + half.x && std::abs(c.y - centre.y) < h.y + half.y);
    }
    ASSERT_EQ(index.Overlaps(centre, half), expected) << probe;
    hits += expected;
  }
  EXPECT_GT(hits, 300) << "the probes meet boxes often enough to matter";
  EXPECT_LT(hits, 2700);
}

}  // namespace
