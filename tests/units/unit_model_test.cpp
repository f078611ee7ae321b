// The unit record: names, clamped setters, visibility and the selection tests.
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
  } cases[] = {{-5, 0, 0, 5}, {55, 55, 55, 55}, {101, 100, 101, 101}, {INT_MIN, 0, 0, INT_MAX}};
  for (const auto& c : cases) {
    CGameUnit unit;
    unit.SetHealth(c.value);
    unit.SetAmmo(c.value);
    unit.SetDamageToPlayer(c.value);
    unit.SetResistance(c.value);
    unit.SetSpeed(c.value, c.value);
    EXPECT_EQ(unit.Health(), c.percentage) << c.value;
    EXPECT_EQ(unit.Ammo(), c.percentage);
    EXPECT_EQ(unit.DamageToPlayer(), c.percentage);
    EXPECT_EQ(unit.Resistance(), c.resistance);
    EXPECT_EQ(unit.Speed(), (Point{c.speed, c.speed}));
  }
  const struct {
    bool player, respawn, visible;
    uint32_t due;
  } hides[] = {{false, true, false, 7000}, {false, false, false, 0}, {true, true, false, 0}, {false, true, true, 0}};
  for (const auto& c : hides) {
    CGameUnit unit;
    unit.isPlayer = c.player;
    unit.respawnEnabled = c.respawn;
    unit.respawnTime = 2000;
    unit.SetVisible(c.visible, 5000);
    EXPECT_EQ(unit.respawnDue, c.due);
  }
}

TEST(UnitModel, AttachingShowsTheAbsoluteFrameUntilAnAnimationStarts) {
  auto sprite = MakeSheet(16, 24, 4, 2);
  CGameUnit unit;
  ASSERT_TRUE(unit.AttachSprite(sprite.get(), -5, kUnitKindOther, {2, 4, 14, 20}));
  unit.FinalSetup();
  unit.AnimationStep(100000);
  EXPECT_EQ(unit.Frame(), 5);
  unit.x = 100;
  unit.y = 50;
  EXPECT_EQ(unit.Centre(), (Point{108, 62}));
  EXPECT_EQ(unit.UnitRect(), (units::Rect{100, 50, 116, 74}));
}

class UnitSelection : public ::testing::Test {
 protected:
  std::unique_ptr<CGameSprite> sprite_ = MakeSheet(32, 48, 1, 1);
  // Unit rectangle (1000, 500) .. (1032, 548), centre (1016, 524); camera at (900, 400).
  std::unique_ptr<CGameUnit> unit_ = MakeUnit(sprite_.get(), kUnitKindMobile, 1000, 500);
  Point camera_{900, 400};
};

TEST_F(UnitSelection, APointOrABoxSelectsWithTheEdgesIncluded) {
  const struct {
    Point point;
    bool selected;
  } points[] = {{{100, 100}, true}, {{132, 148}, true}, {{133, 148}, false}, {{99, 120}, false}};
  for (const auto& p : points) {
    unit_->SelectAtPoint(p.point, camera_);
    EXPECT_EQ(unit_->selected, p.selected) << p.point.x << "," << p.point.y;
  }
  const struct {
    units::Rect box;
    bool selected;
  } boxes[] = {{{110, 120, 116, 124}, true},  // the centre on the corner
               {{116, 124, 110, 120}, true},  // dragged up and left
               {{117, 100, 200, 200}, false}};
  for (const auto& b : boxes) {
    unit_->SelectInRect(b.box, camera_);
    EXPECT_EQ(unit_->selected, b.selected);
  }
  unit_->SetVisible(false, 0);
  unit_->SelectAtPoint({100, 100}, camera_);
  EXPECT_FALSE(unit_->selected) << "a hidden unit is left as it was";
  EXPECT_FALSE(unit_->IsOnScreen({0, 0, 5000, 5000}));
}

TEST_F(UnitSelection, TheMouseSelectsAndSendsSelectedPlayers) {
  units::MouseInput input;
  input.camera = camera_;
  input.leftClick = true;
  input.pointer = {110, 110};
  unit_->HandleMouse(input);
  EXPECT_TRUE(unit_->selected);

  input.leftClick = false;
  input.rightClick = true;
  input.pointer = {300, 200};
  unit_->SetPath({{5000, 5000}});
  unit_->HandleMouse(input);
  EXPECT_TRUE(unit_->HasPath()) << "only players take orders";
  unit_->isPlayer = true;
  unit_->HandleMouse(input);
  EXPECT_FALSE(unit_->HasPath());
  EXPECT_EQ(unit_->moveTarget, (Point{1200, 600}));

  input.rightClick = false;
  input.dragging = true;
  input.dragBox = {0, 0, 50, 50};
  unit_->scripted = true;
  unit_->HandleMouse(input);
  EXPECT_TRUE(unit_->selected) << "a scripted unit ignores the mouse";
}

}  // namespace
