// The inventory bar of the first selected player, and the tooltip of the icon under the pointer.
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"

void COrvantaEngine::RefreshInventoryBar() {}

CGameUnit* COrvantaEngine::FirstSelectedPlayer() {
  const engine::EngineState& state = engine::State();
  for (int i = 0; i < state.playerCount; ++i) {
    CGameUnit* player = state.players[static_cast<std::size_t>(i)];
    if (player == nullptr) break;
    if (player->selected) return player;
  }
  return nullptr;
}

void COrvantaEngine::BuildObjectTooltip() {}
