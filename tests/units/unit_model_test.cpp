// The unit record: defaults, names, clamped setters, visibility and the selection tests.
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
               {"\xC1\xC9\xCD\xD3\xDA", "\xC1\xC9\xCD\xD3\xDA"},
               {"two  spaces", "two__spaces"},
               {"", ""}};
  for (const auto& c : cases) {
    CGameUnit unit;
    unit.SetName(c.name);
    EXPECT_EQ(unit.IdentifierName(), c.identifier);
    EXPECT_EQ(unit.DisplayName(), c.name);
  }
  CGameUnit unit;
  unit.SetName(std::string(400, 'x'));
  EXPECT_EQ(unit.DisplayName().size(), 254u);
}

TEST(UnitModel, DefaultsAndClampedSetters) {
  CGameUnit unit;
  EXPECT_TRUE(unit.IsVisible());
  EXPECT_TRUE(unit.alive);
  EXPECT_TRUE(unit.male);
  EXPECT_EQ(unit.Resistance(), 1);
  EXPECT_EQ(unit.eventUsesObject, 1);
  EXPECT_EQ(unit.yesTimes, 1);
  EXPECT_EQ(unit.moveType, 1);
  EXPECT_EQ(unit.maxDistance + unit.fireDistance + unit.visionDistance, 1200);
  EXPECT_EQ(unit.swordRandom + unit.fireRandom + unit.visionRandom, 3);
  EXPECT_EQ(unit.opacity, 100);
  EXPECT_EQ(unit.defaultOpacity, 100);
  EXPECT_EQ(unit.AnimationState().index, -1);
  EXPECT_EQ(unit.label.GetWidth(), 1);
  EXPECT_EQ(unit.bubble.GetHeight(), 1);
  EXPECT_FALSE(unit.dialogImage.IsValid());

  const struct {
    int value, percentage, resistance, speed;
  } cases[] = {{-5, 0, 0, 5}, {0, 0, 0, 0}, {55, 55, 55, 55}, {101, 100, 101, 101}, {INT_MIN, 0, 0, INT_MAX}};
  for (const auto& c : cases) {
    unit.SetHealth(c.value);
    unit.SetMaxHealth(c.value);
    unit.SetAmmo(c.value);
    unit.SetDamageToPlayer(c.value);
    unit.SetResistance(c.value);
    unit.SetSpeed(c.value, -c.value == INT_MIN ? c.value : -c.value);
    EXPECT_EQ(unit.Health(), c.percentage) << c.value;
    EXPECT_EQ(unit.MaxHealth(), c.percentage);
    EXPECT_EQ(unit.Ammo(), c.percentage);
    EXPECT_EQ(unit.DamageToPlayer(), c.percentage);
    EXPECT_EQ(unit.Resistance(), c.resistance);
    EXPECT_EQ(unit.Speed(), (Point{c.speed, c.speed}));
  }
}

TEST(UnitModel, HidingANonPlayerWithRespawnStartsItsTimer) {
  const struct {
    bool player, respawn, visible;
    uint32_t due;
  } cases[] = {{false, true, false, 7000}, {false, false, false, 0}, {true, true, false, 0}, {false, true, true, 0}};
  for (const auto& c : cases) {
    CGameUnit unit;
    unit.isPlayer = c.player;
    unit.respawnEnabled = c.respawn;
    unit.respawnTime = 2000;
    unit.SetVisible(c.visible, 5000);
    EXPECT_EQ(unit.IsVisible(), c.visible);
    EXPECT_EQ(unit.respawnDue, c.due);
  }
}

TEST(UnitModel, AttachingShowsTheAbsoluteFrameUntilAnAnimationStarts) {
  auto sprite = MakeSheet(16, 24, 4, 2);
  CGameUnit unit;
  ASSERT_TRUE(unit.AttachSprite(sprite.get(), -5, kUnitKindOther, {2, 4, 14, 20}));
  unit.FinalSetup();
  EXPECT_EQ(unit.Frame(), 5);
  unit.AnimationStep(100000);
  EXPECT_EQ(unit.Frame(), 5);
  EXPECT_EQ(unit.KindCode(), kUnitKindOther);
  unit.x = 100;
  unit.y = 50;
  EXPECT_EQ(unit.Centre(), (Point{108, 62}));
  EXPECT_EQ(unit.UnitRect(), (units::Rect{100, 50, 116, 74}));
  EXPECT_EQ(unit.DepthKey(), 50 + 4 + 8);
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
               {{117, 100, 200, 200}, false},
               {{0, 0, 115, 123}, false}};
  for (const auto& b : boxes) {
    unit_->SelectInRect(b.box, camera_);
    EXPECT_EQ(unit_->selected, b.selected);
  }
  unit_->selected = true;
  unit_->SetVisible(false, 0);
  unit_->SelectAtPoint({500, 500}, camera_);
  EXPECT_TRUE(unit_->selected) << "a hidden unit keeps its selection";
  EXPECT_FALSE(unit_->IsOnScreen({0, 0, 5000, 5000}));
  unit_->SetVisible(true, 0);
  EXPECT_TRUE(unit_->IsOnScreen({1032, 548, 1100, 1100}));
  EXPECT_FALSE(unit_->IsOnScreen({1033, 0, 1100, 1100}));
}

TEST_F(UnitSelection, TheMouseSelectsAndSendsSelectedPlayers) {
  units::MouseInput click;
  click.leftClick = true;
  click.pointer = {110, 110};
  click.camera = camera_;
  unit_->HandleMouse(click);
  EXPECT_TRUE(unit_->selected);

  units::MouseInput order;
  order.rightClick = true;
  order.pointer = {300, 200};
  order.camera = camera_;
  unit_->SetPath({{5000, 5000}});
  unit_->HandleMouse(order);
  EXPECT_TRUE(unit_->HasPath()) << "only players take orders";
  unit_->isPlayer = true;
  unit_->HandleMouse(order);
  EXPECT_FALSE(unit_->HasPath());
  EXPECT_TRUE(unit_->moving);
  EXPECT_EQ(unit_->moveTarget, (Point{1200, 600}));

  units::MouseInput drag;
  drag.dragging = true;
  drag.dragBox = {0, 0, 50, 50};
  drag.camera = camera_;
  unit_->scripted = true;
  unit_->HandleMouse(drag);
  EXPECT_TRUE(unit_->selected) << "a scripted unit ignores the mouse";
  unit_->scripted = false;
  unit_->HandleMouse(drag);
  EXPECT_FALSE(unit_->selected);
}

}  // namespace
