// The unit side of the engine: the tables' refusals, finding units by name, the per-unit order
// of a step, and the unit tables in the state dump.
#include <gtest/gtest.h>

#include "engine/engine_state_json.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineUnits : public EngineTest {};

TEST_F(EngineUnits, FindUnitByNameIsExactAndTakesTheFirstInTableOrder) {
  ProbeUnit* first = AddProbe("Guard Le\xF3n", 0, 0);
  AddProbe("Guard Leon", 0, 0);  // the same identifier
  EXPECT_EQ(engine_->FindUnitByName("Guard_Leon"), first);
  EXPECT_EQ(engine_->FindUnitByName("guard_leon"), nullptr);
  EXPECT_EQ(engine_->FindUnitByName("Guard"), nullptr);
  EXPECT_EQ(engine_->FindUnitByName(nullptr), nullptr);
}

TEST_F(EngineUnits, TheTablesRefuseNullInvalidAndOverflowLeavingTheObjectWithTheCaller) {
  std::unique_ptr<CGameUnit> none;
  EXPECT_EQ(engine_->AddUnit(none), -1);
  CGameSprite* sprite = AddProbe("first", 0, 0)->Sprite();
  for (int i = 1; i <= COrvantaEngine::kMaxUnits + 1; ++i) {
    auto unit = std::make_unique<CGameUnit>();  // the first one has no sprite
    if (i > 1) unit->AttachSprite(sprite, 0, kUnitKindOther, {});
    const bool taken = i > 1 && i <= COrvantaEngine::kMaxUnits;
    EXPECT_EQ(engine_->AddUnit(unit), taken ? i - 1 : -1);
    EXPECT_EQ(unit == nullptr, taken);
  }
  auto blank = std::make_unique<CGameSprite>();  // no sheet
  EXPECT_EQ(engine_->AddSprite(blank), -1);
  EXPECT_NE(blank, nullptr);
  for (int i = 1; i <= COrvantaEngine::kMaxSprites; ++i) {
    auto sheet = std::make_unique<CGameSprite>();
    sheet->Sheet().Create(1, 1);
    EXPECT_EQ(engine_->AddSprite(sheet), i < COrvantaEngine::kMaxSprites ? i : -1);
  }
}

TEST_F(EngineUnits, EachUnitWalksThenMeetsTheLaterRulesInTableOrder) {
  UseMap(0, 0);
  for (const char* name : {"a", "b"}) {
    ProbeUnit* unit = AddProbe(name, name[0] == 'a' ? 100 : 300, 100);
    unit->SetSpeed(5, 5);
    unit->respawnEnabled = true;
    unit->respawnDue = 1;  // long past
    unit->MoveTo({unit->Centre().x + 100, unit->Centre().y});
  }
  Advance(10);
  engine_->Update();
  EXPECT_EQ(log_, (std::vector<std::string>{"a:contacts@105", "a:map@105", "a:respawn@105", "b:contacts@305",
                                            "b:map@305", "b:respawn@305"}));
}

TEST_F(EngineUnits, ExpiryAndAProjectileAtRestHideTheUnitInTheirStep) {
  UseMap(0, 0);
  ProbeUnit* timed = AddProbe("timed", 0, 0);
  timed->expiry = os_->now + 15;
  ProbeUnit* shot = AddProbe("shot", 0, 0);
  shot->isProjectile = true;
  shot->SetSpeed(10, 10);
  shot->MoveTo({shot->Centre().x + 15, shot->Centre().y});
  for (const bool visible : {true, false}) {  // the second step: due, and arrived
    Pass();
    EXPECT_EQ(std::make_pair(timed->IsVisible(), shot->IsVisible()), std::make_pair(visible, visible));
  }
}

TEST_F(EngineUnits, TheDumpListsUnitsInTableOrderAndPlayersByTheirIndex) {
  AddProbe("rock", 5, 6);
  ProbeUnit* hero = AddProbe("Se\xF1or Hero", 40, 50);
  hero->inventory[2] = {7, 3};
  EXPECT_EQ(engine_->AddPlayerUnit(hero), 0);
  EXPECT_EQ(engine_->AddPlayerUnit(nullptr), -1);
  const nlohmann::json dump = EngineStateJson(engine_.get());
  EXPECT_EQ(dump["players"], nlohmann::json::array({1}));
  const nlohmann::json& unit = dump["units"][1];
  EXPECT_EQ(unit["name"], "Se\u00F1or Hero") << "UTF-8 in the dump";
  EXPECT_EQ(unit["inventory"][1], nlohmann::json::array({7, 3})) << "slots from 0";
}

}  // namespace
}  // namespace enginetest
