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
  ProbeUnit* second = AddProbe("Guard Leon", 0, 0);  // the same identifier
  AddProbe("guard", 0, 0);
  EXPECT_EQ(COrvantaEngine::FindUnitByName("Guard_Leon"), first);
  EXPECT_NE(second, first);
  EXPECT_EQ(COrvantaEngine::FindUnitByName("guard_leon"), nullptr);
  EXPECT_EQ(COrvantaEngine::FindUnitByName("Guard Le\xF3n"), nullptr) << "display names are not identifiers";
  EXPECT_EQ(COrvantaEngine::FindUnitByName("Guard"), nullptr);
  EXPECT_EQ(COrvantaEngine::FindUnitByName(nullptr), nullptr);
}

TEST_F(EngineUnits, TheSpriteTableRefusesNullInvalidAndOverflow) {
  std::unique_ptr<CGameSprite> none;
  EXPECT_EQ(COrvantaEngine::AddSprite(none), -1);
  auto blank = std::make_unique<CGameSprite>();  // no sheet
  EXPECT_EQ(COrvantaEngine::AddSprite(blank), -1);
  EXPECT_NE(blank, nullptr) << "a refused sprite stays with the caller";
  // The engine's own markers are not in the table.
  EXPECT_EQ(COrvantaEngine::SpriteCount(), 0);
  for (int i = 0; i <= COrvantaEngine::kMaxSprites; ++i) {
    auto sprite = std::make_unique<CGameSprite>();
    sprite->Sheet().Create(1, 1);
    EXPECT_EQ(COrvantaEngine::AddSprite(sprite), i < COrvantaEngine::kMaxSprites ? i : -1);
  }
  EXPECT_EQ(COrvantaEngine::SpriteCount(), COrvantaEngine::kMaxSprites);
}

TEST_F(EngineUnits, EachUnitWalksThenMeetsTheLaterRulesInTableOrder) {
  UseMap(0, 0);
  ProbeUnit* a = AddProbe("a", 100, 100);
  ProbeUnit* b = AddProbe("b", 300, 100);
  for (ProbeUnit* unit : {a, b}) {
    unit->SetSpeed(5, 5);
    unit->respawnEnabled = true;
    unit->respawnDue = 1;  // long past
    unit->MoveTo({unit->Centre().x + 100, unit->Centre().y});
  }
  Advance(10);
  COrvantaEngine::Update();
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
  Pass();
  EXPECT_TRUE(timed->IsVisible());
  EXPECT_TRUE(shot->IsVisible()) << "still flying";
  Pass();
  EXPECT_FALSE(timed->IsVisible());
  EXPECT_EQ(timed->expiry, 0u);
  EXPECT_FALSE(shot->IsVisible()) << "arrived and hidden in the same step";
}

TEST_F(EngineUnits, TheDumpListsUnitsInTableOrderAndPlayersByTheirIndex) {
  AddProbe("rock", 5, 6);
  ProbeUnit* hero = AddProbe("Se\xF1or Hero", 40, 50);
  hero->isPlayer = true;
  hero->SetHealth(80);
  hero->SetSpeed(3, 4);
  hero->inventory[2] = {7, 3};
  hero->AddAnimation("Right", 0, 0, 0);
  hero->SetPath({{100, 74}, {200, 74}});
  hero->Update(os_->now + 10);
  EXPECT_EQ(COrvantaEngine::AddPlayerUnit(hero), 0);
  EXPECT_EQ(COrvantaEngine::AddPlayerUnit(nullptr), -1);

  const nlohmann::json dump = EngineStateJson();
  ASSERT_EQ(dump["units"].size(), 2u);
  EXPECT_EQ(dump["players"], nlohmann::json::array({1}));
  const nlohmann::json& unit = dump["units"][1];
  EXPECT_EQ(unit["index"], 1);
  EXPECT_EQ(unit["name"], "Se\u00F1or Hero");
  EXPECT_EQ(unit["id_name"], "Senor_Hero");
  EXPECT_EQ(std::make_pair(unit["x"], unit["y"]), std::make_pair(nlohmann::json(43), nlohmann::json(50)));
  EXPECT_EQ(unit["health"], 80);
  EXPECT_EQ(unit["speed_y"], 4);
  EXPECT_EQ(unit["dest"], nlohmann::json::array({200, 74}));
  EXPECT_EQ(unit["path"], nlohmann::json::parse("[[100, 74], [200, 74]]"));
  EXPECT_EQ(unit["animation"], "Right");
  EXPECT_EQ(unit["inventory"].size(), 12u);
  EXPECT_EQ(unit["inventory"][1], nlohmann::json::array({7, 3}));
  EXPECT_EQ(dump["units"][0]["animation"], "");
}

}  // namespace
}  // namespace enginetest
