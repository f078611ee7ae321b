// The unit record: names, clamped setters, visibility and selection by a point.
#include <gtest/gtest.h>

#include <climits>

#include "unit_test_support.h"

namespace {

using units::Point;
using unittest::MakeSheet;
using unittest::MakeUnit;

TEST(UnitModel, TheIdentifierFoldsLowerCaseAccentsAndSpacesButKeepsCapitals) {
  const struct {
    std::string name, identifier;
  } cases[] = {{"Capit\xE1n Le\xF3n \xD1u", "Capitan_Leon_\xD1u"},  // Windows-1252 á, ó, Ñ
               {"\xE1\xE9\xED\xF3\xFA\xF1", "aeioun"},
               {"\xC1\xC9\xCD\xD3\xDA", "\xC1\xC9\xCD\xD3\xDA"}};
  for (const auto& c : cases) {
    CGameUnit unit;
    unit.SetName(c.name);
    EXPECT_EQ(unit.IdentifierName(), c.identifier);
    EXPECT_EQ(unit.DisplayName(), c.name);
  }
}

TEST(UnitModel, SettersClampAndHidingANonPlayerStartsItsRespawnTimer) {
  const struct {
    int value, percentage, resistance, speed;
  } cases[] = {{-5, 0, 0, 5},
               {55, 55, 55, 55},
               {101, 100, 101, 101},
               {INT_MIN, 0, 0, units::kSizeLimit},
               {INT_MAX, 100, INT_MAX, units::kSizeLimit}};
  for (const auto& c : cases) {
    CGameUnit unit;
    unit.SetHealth(c.value);
    unit.SetAmmo(c.value);
    unit.SetDamageToPlayer(c.value);
    unit.SetResistance(c.value);
    unit.SetSpeed(c.value, c.value);
    EXPECT_EQ(std::vector<int>({unit.Health(), unit.Ammo(), unit.DamageToPlayer(), unit.Resistance()}),
              std::vector<int>({c.percentage, c.percentage, c.percentage, c.resistance}))
        << c.value;
    EXPECT_EQ(unit.Speed(), (Point{c.speed, c.speed}));
  }
  CGameUnit player;  // hiding a player starts no respawn timer (see the fade for one that does)
  player.isPlayer = player.respawnEnabled = true;
  player.respawnTime = 2000;
  player.SetVisible(false, 5000);
  EXPECT_EQ(player.respawnDue, 0u);
}

TEST(UnitModel, AttachingShowsTheAbsoluteFrameUntilAnAnimationStarts) {
  auto sprite = MakeSheet(16, 24, 4, 2);
  CGameUnit unit;
  ASSERT_TRUE(unit.AttachSprite(sprite.get(), -5, kUnitKindOther, {2, 4, 14, 20}));
  unit.FinalSetup();
  unit.AnimationStep(100000);
  EXPECT_EQ(unit.Frame(), 5);
}

TEST(UnitSelection, APointSelectsWithTheEdgesIncludedAndAHiddenUnitIsLeftAsItWas) {
  auto sprite = MakeSheet(32, 48, 1, 1);
  // Unit rectangle (1000, 500) .. (1032, 548) under a camera at (900, 400).
  auto unit = MakeUnit(sprite.get(), kUnitKindMobile, 1000, 500);
  const struct {
    Point point;
    bool selected;
  } points[] = {{{100, 100}, true}, {{132, 148}, true}, {{133, 148}, false}, {{99, 120}, false}};
  for (const auto& p : points) {
    unit->SelectAtPoint(p.point, {900, 400});
    EXPECT_EQ(unit->selected, p.selected) << p.point.x << "," << p.point.y;
  }
  unit->SetVisible(false, 0);
  unit->SelectAtPoint({100, 100}, {900, 400});
  EXPECT_FALSE(unit->selected);
}

}  // namespace
