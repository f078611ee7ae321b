#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineTables : public EngineTest {};

TEST_F(EngineTables, AddUnitRefusesNullSpritelessAndOverflowLeavingTheUnitWithTheCaller) {
  std::unique_ptr<CGameUnit> none;
  EXPECT_EQ(COrvantaEngine::AddUnit(none), -1);
  auto bare = std::make_unique<CGameUnit>();
  EXPECT_EQ(COrvantaEngine::AddUnit(bare), -1);
  EXPECT_NE(bare, nullptr);

  CGameSprite* sprite = MakeSprite(8, 8);
  for (int i = 0; i < COrvantaEngine::kMaxUnits; ++i) {
    auto unit = std::make_unique<CGameUnit>();
    unit->AttachSprite(sprite, kUnitKindOther, {});
    ASSERT_EQ(COrvantaEngine::AddUnit(unit), i);
    ASSERT_EQ(unit, nullptr);
  }
  auto extra = std::make_unique<CGameUnit>();
  extra->AttachSprite(sprite, kUnitKindOther, {});
  EXPECT_EQ(COrvantaEngine::AddUnit(extra), -1);
  EXPECT_NE(extra, nullptr);
  EXPECT_EQ(COrvantaEngine::UnitCount(), COrvantaEngine::kMaxUnits);
}

TEST_F(EngineTables, AddSpriteRefusesInvalidSheetsAndOverflow) {
  auto blank = std::make_unique<CGameSprite>();
  EXPECT_EQ(COrvantaEngine::AddSprite(blank), -1);
  EXPECT_NE(blank, nullptr);
  for (int i = 0; i < COrvantaEngine::kMaxSprites; ++i) MakeSprite(1, 1);
  auto extra = std::make_unique<CGameSprite>();
  extra->Sheet().Create(1, 1);
  EXPECT_EQ(COrvantaEngine::AddSprite(extra), -1);
  EXPECT_EQ(COrvantaEngine::SpriteCount(), COrvantaEngine::kMaxSprites);
}

TEST_F(EngineTables, FindUnitByNameIsExactAndTakesTheFirstInTableOrder) {
  std::vector<std::string> log;
  CGameSprite* sprite = MakeSprite(8, 8);
  ProbeUnit* first = AddProbe(log, "Old Jos\xE9", sprite, 0, 0);
  AddProbe(log, "Old Jos\xE9", sprite, 0, 0);
  EXPECT_EQ(COrvantaEngine::FindUnitByName("Old_Jose"), first);
  EXPECT_EQ(COrvantaEngine::FindUnitByName("old_jose"), nullptr);
  EXPECT_EQ(COrvantaEngine::FindUnitByName("Old Jos\xE9"), nullptr);
  EXPECT_EQ(COrvantaEngine::FindUnitByName(nullptr), nullptr);
  EXPECT_EQ(first->DisplayName(), "Old Jos\xE9");
}

TEST_F(EngineTables, EachConstructionStartsClean) {
  MakeSprite(8, 8);
  UseMap(64, 128);
  Key('F');
  COrvantaEngine::SetPaused(true);
  EXPECT_EQ(COrvantaEngine::GetCameraOrigin().y, 128);
  EXPECT_EQ(COrvantaEngine::GetViewRect().right, 64 + kW);
  engine_.reset();
  EXPECT_FALSE(COrvantaEngine::Exists());
  engine_ = std::make_unique<COrvantaEngine>();
  EXPECT_EQ(COrvantaEngine::SpriteCount(), 0);
  EXPECT_EQ(COrvantaEngine::Map(), nullptr);
  EXPECT_FALSE(COrvantaEngine::IsPaused());
  EXPECT_FALSE(State().fpsShown);
  EXPECT_EQ(COrvantaEngine::GetViewRect().right, 0);
  EXPECT_EQ(State().backBuffer.GetWidth(), kW);
}

}  // namespace
}  // namespace enginetest
