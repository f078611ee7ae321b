// Units that run into walls and each other in the engine's step: step back, a detour from the
// path finder, or the blocked flag when there is no way out.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineDetour : public EngineTest {
 protected:
  // The 32 x 32 map of 64-pixel cells with the listed (row, column) cells blocked.
  void UseMapWithWalls(const std::set<std::pair<int, int>>& walls) {
    UseMap(0, 0);
    std::vector<map::MapCell> cells(32 * 32, {1, 1, 0, 0, 0, map::kNoTileset, 0, 0});
    for (const auto& [row, col] : walls) cells[static_cast<std::size_t>(row * 32 + col)].walkable = 0;
    ASSERT_TRUE(map_->SetCells(cells));
  }
  // A walker with the lower 32 x 32 of its frame as box, 4 pixels a step, its centre sent to
  // the target.
  CGameUnit* AddWalker(int x, int y, units::Point target, bool visible = true) {
    CGameUnit* unit = Register(std::make_unique<CGameUnit>(), x, y, {0, 16, 32, 48});
    unit->SetSpeed(4, 4);
    unit->SetVisible(visible, 0);
    unit->FinalSetup();
    if (target != unit->Centre()) unit->MoveTo(target);
    return unit;
  }
  bool BoxOnWall(const CGameUnit& unit) const {
    const units::Rect& box = unit.CollisionBox();
    return map_->IsBlocked(unit.x + box.left, unit.y + box.top, unit.x + box.right, unit.y + box.bottom);
  }
};

// A detour walked round an obstacle to its target is pinned end to end round the plaza's well.
TEST_F(EngineDetour, AnEnclosedPlayerGetsItsBlockedFlagAndStaysSteppedBack) {
  // Cell (5, 5) with all eight neighbours walled.
  std::set<std::pair<int, int>> walls;
  for (int cell = 0; cell < 9; ++cell) {
    if (cell != 4) walls.insert({4 + cell / 3, 4 + cell % 3});
  }
  UseMapWithWalls(walls);
  CGameUnit* walker = AddWalker(336, 304, {1000, 320});
  int restingX = -1;
  for (int i = 0; i < 40; ++i) {
    Pass();
    ASSERT_FALSE(BoxOnWall(*walker));
    if (walker->blocked && restingX < 0) restingX = walker->x;
    EXPECT_TRUE(restingX < 0 || walker->x == restingX) << "step " << i;
  }
  EXPECT_GE(restingX, 0) << "never blocked";
  EXPECT_TRUE(walker->moving) << "still ordered out, trying again in turn";
  EXPECT_EQ(walker->y, 304);
}

TEST_F(EngineDetour, ADetourStartsWhereTheUnitWasSteppedBackAndEndsAtItsTarget) {
  UseMapWithWalls({{5, 7}});
  CGameUnit* walker = AddWalker(336, 304, {1000, 336});
  for (int i = 0; i < 40 && !walker->HasPath(); ++i) Pass();
  ASSERT_TRUE(walker->HasPath()) << "never met the wall";
  const std::vector<units::Point> path = walker->GetPath();
  ASSERT_GE(path.size(), 3u);
  EXPECT_EQ(path.front(), walker->Centre());
  EXPECT_EQ(path.back(), (units::Point{1000, 336}));
}

TEST_F(EngineDetour, AnotherUnitOnTheOnlyFreeCandidateBlocksEvenWhenHidden) {
  // A corridor one cell high along row 5, closed at column 2; the walker stands in cell
  // (5, 3) and is sent left, into the closed end.
  std::set<std::pair<int, int>> walls = {{5, 2}};
  for (int col = 0; col < 32; ++col) walls.insert({{4, col}, {6, col}});
  for (bool hiddenBlocker : {false, true}) {
    engine_.reset();
    engine_ = std::make_unique<COrvantaEngine>(config_);
    UseMapWithWalls(walls);
    CGameUnit* walker = AddWalker(208, 304, {0, 320});
    // The only way round would be back right, one box along: someone stands there.
    AddWalker(240, 304, {256, 328}, !hiddenBlocker);
    for (int i = 0; i < 10 && !walker->blocked; ++i) Pass();
    EXPECT_TRUE(walker->blocked) << hiddenBlocker;
  }
}

}  // namespace
}  // namespace enginetest
