// The fight keys: 'Z' and 'X' reach exactly the selected, living players armed for them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class EngineFightOrders : public EngineTest {};

TEST_F(EngineFightOrders, ZAndXReachOnlySelectedLivingArmedPlayers) {
  UseMap(0, 0);
  const struct {
    bool selected, alive, armed, acts;
  } cases[] = {{true, true, true, true},
               {false, true, true, false},
               {true, false, true, false},
               {true, true, false, false},
               {true, true, true, true}};
  std::vector<CGameUnit*> players;
  for (const auto& c : cases) {
    // The projectile and sword effect first, as the loaders register them.
    CGameUnit* ball = Register(std::make_unique<CGameUnit>(), 0, 0, {1, 1, 13, 13});
    CGameUnit* sword = Register(std::make_unique<CGameUnit>(), 0, 0, {});
    ball->SetVisible(false, 0);
    sword->SetVisible(false, 0);
    sword->AddAnimation("Default", 0, 0, 0);
    CGameUnit* player = Register(std::make_unique<CGameUnit>(), 100 * static_cast<int>(players.size()), 100, {});
    player->isPlayer = true;
    player->SetAmmo(5);
    player->projectile = ball;
    player->swordEffect = sword;
    player->selected = c.selected;
    player->alive = c.alive;
    player->attackFire = player->attackSword = c.armed;
    engine_->AddPlayerUnit(player);
    players.push_back(player);
  }
  Input(platform::kWmMouseMove, 0, 300, 400);
  engine_->OnInput(platform::kWmKeyDown, 'Z', 0);
  engine_->OnInput(platform::kWmKeyDown, 'X', 0);
  for (std::size_t i = 0; i < players.size(); ++i) {
    const CGameUnit& player = *players[i];
    EXPECT_EQ(player.projectile->IsVisible(), cases[i].acts) << i;
    EXPECT_EQ(player.swordEffect->IsVisible(), cases[i].acts) << i;
    EXPECT_EQ(player.Ammo(), cases[i].acts ? 4 : 5) << i;
    if (cases[i].acts) {
      EXPECT_EQ(player.projectile->moveTarget, (units::Point{300, 400})) << "the pointer on the map";
    }
  }
}

}  // namespace
}  // namespace enginetest
