// Walking toward a target and along waypoints, the direction animations, and the players
// bounding box.
#include <gtest/gtest.h>

#include <vector>

#include "config/game_settings.h"
#include "unit_test_support.h"
#include "units/players_box.h"

namespace {

using units::Point;
using unittest::MakeSheet;
using unittest::MakeUnit;

// A mobile unit with 32 x 32 frames, the walking animations and its centre at (cx, cy).
class UnitMovement : public ::testing::Test {
 protected:
  CGameUnit& Walker(int cx, int cy, int speed = 6) {
    unit_ = MakeUnit(sprite_.get(), kUnitKindMobile, cx - 16, cy - 16);
    unittest::AddWalkAnimations(*unit_);
    unit_->SetSpeed(speed, -speed);  // stored as absolute values
    return *unit_;
  }
  // Steps until the unit stops (at most `limit` steps); the centres after each step.
  std::vector<Point> Walk(int limit = 100) {
    std::vector<Point> centres;
    for (int i = 0; i < limit && unit_->moving; ++i) {
      unit_->Update(now_ += 10);
      centres.push_back(unit_->Centre());
    }
    return centres;
  }

  std::unique_ptr<CGameSprite> sprite_ = MakeSheet(32, 32, 8, 3);
  std::unique_ptr<CGameUnit> unit_;
  uint32_t now_ = 5000;
};

// A straight walk stopping within a step on its start frame is pinned end to end by the stand-ins.
TEST_F(UnitMovement, ADiagonalFirstStepSnapsTheRowThenWalksRight) {
  CGameUnit& unit = Walker(100, 100);
  unit.MoveTo({130, 103});
  unit.Update(now_ += 10);
  EXPECT_EQ(std::make_pair(unit.Direction(), unit.velocity), std::make_pair(units::Direction::RightDown, Point{4, 4}));
  EXPECT_EQ(unit.Centre(), (Point{104, 103})) << "x takes the diagonal step, the centre's y snaps";
  EXPECT_EQ(unit.AnimationState().mode, units::kAnimLoop);
  EXPECT_EQ(Walk(), (std::vector<Point>{{110, 103}, {116, 103}, {122, 103}, {128, 103}, {128, 103}}));
  EXPECT_EQ(unit.Direction(), units::Direction::Right);
  EXPECT_EQ(unit.Frame(), 18) << "the start frame of Right";
}

TEST_F(UnitMovement, EachQuadrantAndAxisPicksItsDirectionAndVelocity) {
  const struct {
    Point target;
    units::Direction direction;
    Point velocity;
  } cases[] = {{{0, 100}, units::Direction::Left, {-6, 0}},    {{100, 200}, units::Direction::Down, {0, 6}},
               {{0, 0}, units::Direction::LeftUp, {-4, -4}},   {{0, 200}, units::Direction::LeftDown, {-4, 4}},
               {{200, 0}, units::Direction::RightUp, {4, -4}}, {{104, 20}, units::Direction::RightUp, {4, -4}}};
  for (const auto& c : cases) {
    CGameUnit& unit = Walker(100, 100);
    unit.MoveTo(c.target);
    unit.Update(now_ += 10);
    EXPECT_EQ(std::make_pair(unit.Direction(), unit.velocity), std::make_pair(c.direction, c.velocity)) << c.target.x;
    EXPECT_EQ(unit.AnimationName(), units::DirectionName(c.direction));
  }
}

TEST_F(UnitMovement, ARecordAddedWhileWalkingIsPlayedFromTheNextStep) {
  unit_ = MakeUnit(sprite_.get(), kUnitKindMobile, 84, 84);
  unit_->AddAnimation("Left", 0, 2, 0);
  unit_->SetSpeed(6, 6);
  unit_->MoveTo({400, 100});
  unit_->Update(now_ += 10);
  EXPECT_NE(unit_->AnimationName(), "Right");
  unit_->AddAnimation("Right", 3, 5, 3);
  unit_->Update(now_ += 10);
  EXPECT_EQ(unit_->AnimationName(), "Right");
  // The first record whose name begins the direction's wins, however many come after it.
  unit_->AddAnimation("RightUp", 6, 8, 6);
  unit_->MoveTo({400, -300});
  unit_->Update(now_ += 10);
  EXPECT_EQ(unit_->Direction(), units::Direction::RightUp);
  EXPECT_EQ(unit_->AnimationName(), "Right");
}

TEST_F(UnitMovement, ATargetOnTheCentreArrivesAtOnce) {
  CGameUnit& unit = Walker(100, 100);
  unit.SetAnimation("Down", units::kAnimLoop, now_);
  unit.Update(now_ += 10);
  EXPECT_EQ(unit.Frame(), 4);
  unit.MoveTo({100, 100});
  EXPECT_EQ(Walk(), (std::vector<Point>{{100, 100}}));
  EXPECT_EQ(unit.Frame(), 3) << "the start frame of the animation it had";
}

TEST_F(UnitMovement, WaypointsAreVisitedInOrderWithTheLastAsDestination) {
  CGameUnit& unit = Walker(100, 100);
  const std::vector<Point> path = {{100, 130}, {160, 130}, {160, 100}};
  unit.SetPath(path);
  EXPECT_EQ(unit.GetPath(), path);
  std::vector<Point> visited;
  for (int i = 0; i < 100 && unit.moving; ++i) {
    EXPECT_EQ(unit.Destination(), (Point{160, 100}));
    const std::size_t index = unit.PathIndex();
    unit.Update(now_ += 10);
    if (unit.PathIndex() != index || !unit.moving) visited.push_back(unit.Centre());
  }
  // Each waypoint is reached within one step, in order.
  EXPECT_EQ(visited, (std::vector<Point>{{100, 124}, {156, 130}, {160, 102}}));
  EXPECT_TRUE(unit.GetPath().empty());
  EXPECT_EQ(unit.Destination(), (Point{160, 100})) << "the last move target";
}

TEST_F(UnitMovement, OnlyMobileUnitsWithASpriteTakeMoveOrders) {
  for (const int kind : {kUnitKindOther, kUnitKindObject, kUnitKindEffect, -1}) {
    auto unit = kind < 0 ? std::make_unique<CGameUnit>() : MakeUnit(sprite_.get(), kind, 10, 10);  // -1: no sprite
    unit->SetPath({{500, 500}});
    unit->Resume();
    unit->Update(now_ += 10);
    EXPECT_FALSE(unit->moving || unit->HasPath()) << kind;
  }
}

TEST_F(UnitMovement, StopStepBackForwardAndTheBlockedFlag) {
  CGameUnit& unit = Walker(100, 100);
  unit.MoveTo({300, 100});
  unit.Update(now_ += 10);
  unit.StepBack();
  EXPECT_EQ(unit.Centre(), (Point{100, 100}));
  unit.StepForward();
  unit.blocked = true;
  unit.Update(now_ += 500);
  EXPECT_EQ(unit.Centre(), (Point{106, 100})) << "a blocked unit neither walks";
  EXPECT_EQ(unit.Frame(), 19) << "nor animates";
  unit.SetPath({{300, 100}, {300, 300}});
  unit.SetPath({});  // no points: nothing changes
  EXPECT_EQ(unit.GetPath().size(), 2u);
  unit.Stop();
  EXPECT_FALSE(unit.moving || unit.HasPath());
  unit.Resume();
  EXPECT_TRUE(unit.moving);
}

TEST_F(UnitMovement, WalkingPlayersWidenTheirBoundingBoxWhenTheViewFollowsThem) {
  std::array<int, 4> playersBox{1000, 1000, 1200, 1200};
  CGameUnit& unit = Walker(1100, 1100, 50);
  for (const bool player : {false, true}) {  // a walking non-player with a box, a player without one
    unit.isPlayer = player;
    unit.playersBox = player ? nullptr : &playersBox;
    unit.MoveTo({1300, 1100});
    unit.Update(now_ += 10);
  }
  EXPECT_EQ(playersBox, (std::array<int, 4>{1000, 1000, 1200, 1200}));
  unit.playersBox = &playersBox;

  // One step that snaps x onto the target column: x = 8000, y = 1084 + 35.
  unit.isPlayer = true;
  unit.x = 7994;
  unit.y = 1084;
  unit.MoveTo({8016, 1300});
  unit.Update(now_ += 10);
  EXPECT_EQ(unit.Position(), (Point{8000, 1119}));
  EXPECT_EQ(playersBox, (std::array<int, 4>{1000, 869, 8250, 1369}));

  std::array<int, 4> box{300, 300, 600, 600};
  units::WidenPlayersBox(box, {100, 900}, 250);
  EXPECT_EQ(box, (std::array<int, 4>{0, 300, 600, 1150}));
}

}  // namespace
