// The item orders: giving the hovered object, and the collision action the symbol offers.
#include "engine/engine_orders.h"
#include "units/unit_services.h"

namespace engine {
namespace {

// The one selected, living player that carries a sword; null when none or several qualify.
CGameUnit* SingleGiver(const EngineState& state) {
  CGameUnit* giver = nullptr;
  for (int i = 0; i < state.playerCount; ++i) {
    CGameUnit* player = state.players[static_cast<std::size_t>(i)];
    if (player == nullptr || !player->selected || !player->alive || !player->attackSword) continue;
    if (giver != nullptr) return nullptr;
    giver = player;
  }
  return giver;
}

// As far as the giver's sword reaches: the sword effect's frame centred on the giver.
units::Rect ReachBox(const CGameUnit& giver) {
  units::Rect reach{0, 0, giver.swordEffect->FrameWidth(), giver.swordEffect->FrameHeight()};
  units::CentreRectOnPoint(reach, giver.Centre());
  return reach;
}

units::Rect BoxOnMap(const CGameUnit& unit) {
  units::Rect box = unit.CollisionBox();
  units::OffsetRect(box, unit.x, unit.y);
  return box;
}

// The first other player, unselected and alive, whose collision box meets the reach box.
CGameUnit* ReceiverWithin(const EngineState& state, const CGameUnit& giver, const units::Rect& reach) {
  for (int i = 0; i < state.playerCount; ++i) {
    CGameUnit* player = state.players[static_cast<std::size_t>(i)];
    if (player == nullptr || player == &giver || player->selected || !player->alive) continue;
    if (units::RectsIntersect(BoxOnMap(*player), reach)) return player;
  }
  return nullptr;
}

}  // namespace

void GiveObject(EngineState& state) {
  CGameUnit* giver = SingleGiver(state);
  const int object = state.hud.hoveredObject;
  if (giver == nullptr || object == 0 || giver->swordEffect == nullptr) return;
  // The hovered icon may belong to another selected player's bar: only what the giver holds
  // can change hands, so nothing is ever handed out of thin air.
  if (giver->CountInInventory(object) < 1) return;
  CGameUnit* receiver = ReceiverWithin(state, *giver, ReachBox(*giver));
  if (receiver == nullptr) return;
  const units::UnitWorld world = WorldOf(state);
  if (!receiver->AddToInventory(object, 1, world)) return;
  giver->UseFromInventory(object, 1, world);
  world.Services().PlaySound("give_object.wav");
}

void PerformOfferedAction(EngineState& state) {
  if (!state.actionSymbol->IsVisible() || state.eventUnit == nullptr || state.eventTarget == nullptr) return;
  state.eventTarget->PerformAction(*state.eventUnit, WorldOf(state));
}

}  // namespace engine
