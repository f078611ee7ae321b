// The fight keys: fire at the pointer and the sword blow of the selected players.
#include "engine/engine_orders.h"

namespace engine {
namespace {

// Every selected, living player with the weapon, in player-table order.
template <typename Order>
void ForEachArmedSelectedPlayer(EngineState& state, bool CGameUnit::*weapon, Order order) {
  for (int i = 0; i < state.playerCount; ++i) {
    CGameUnit* player = state.players[static_cast<std::size_t>(i)];
    if (player != nullptr && player->selected && player->alive && player->*weapon) order(*player);
  }
}

}  // namespace

void FireSelected(EngineState& state, units::Point mapPoint) {
  const units::UnitWorld world = WorldOf(state);
  ForEachArmedSelectedPlayer(state, &CGameUnit::attackFire, [&](CGameUnit& player) { player.FireAt(mapPoint, world); });
}

void SwordSelected(EngineState& state) {
  const units::UnitWorld world = WorldOf(state);
  ForEachArmedSelectedPlayer(state, &CGameUnit::attackSword, [&](CGameUnit& player) { player.SwordAttack(world); });
}

}  // namespace engine
