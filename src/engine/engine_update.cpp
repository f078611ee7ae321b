// One world update: at most one 10 ms step per call, paced by the tick counter alone.
#include <mutex>

#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "map/game_map.h"

namespace engine {
namespace {

constexpr uint32_t kStepMs = 10;
constexpr uint32_t kBotPassMs = 1000;

// Takes the one-second mark when it has passed; true when a bot pass is due in this call. A
// call that then runs no step uses the mark up without a bot pass.
bool TakeOneSecondMark(EngineState& state, uint32_t now) {
  if (now <= state.timing.oneSecondMark) return false;
  state.timing.oneSecondMark = now + kBotPassMs;
  return true;
}

// True, noting the time, when at least 10 ms have passed since the last step.
bool TakeStep(EngineState& state, uint32_t now) {
  if (now - state.timing.lastStepTime < kStepMs) return false;
  state.timing.lastStepTime = now;
  return true;
}

void ScrollAtEdges(EngineState& state) {
  if (state.pointer.dragging || state.map == nullptr) return;
  state.map->ScrollAtEdges(state.pointer.pointerX, state.pointer.pointerY, state.playersBox);
}

bool TimePassed(uint32_t now, uint32_t due) { return due != 0 && now > due; }

void StepUnit(CGameUnit& unit, const units::UnitWorld& world, bool botPassDue) {
  const uint32_t now = world.now;
  unit.Update(now);
  unit.ProcessContacts(world);
  unit.RespondToMap(world);
  if (unit.respawnEnabled && TimePassed(now, unit.respawnDue)) unit.Respawn(world);
  if (TimePassed(now, unit.expiry)) {
    unit.expiry = 0;
    unit.SetVisible(false, now);
  }
  // A projectile that has come to rest disappears.
  if (unit.IsVisible() && !unit.moving && unit.isProjectile) unit.SetVisible(false, now);
  if (botPassDue && unit.isBot && unit.IsVisible() && !unit.blocked && !unit.scripted &&
      unit.KindCode() == kUnitKindMobile) {
    unit.BotDecisionPass(world);
  }
}

}  // namespace
}  // namespace engine

void COrvantaEngine::Update() {
  engine::WorldLock lock(Lock());
  engine::EngineState& state = State();
  // A new game-loop pass: the journal hears of it once if time moves the world.
  state.timing.passActive = false;
  state.timing.passWritten = false;
  // The world stands still while a modal box is up or the death banner is shown.
  if (IsPaused() || state.hud.bannerShown) return;
  const uint32_t now = engine::Now(state);
  const bool botPassDue = engine::TakeOneSecondMark(state, now);
  if (botPassDue) engine::MarkPassActive(state, now);
  if (!engine::TakeStep(state, now)) {
    engine::JournalPass(state);
    return;
  }
  engine::MarkPassActive(state, now);
  engine::ScrollAtEdges(state);
  units::UnitWorld world = CurrentWorld();
  world.now = now;
  // The contacts' broad phase follows each unit as it takes its step.
  state.contacts.Build(world.table);
  world.contacts = &state.contacts;
  for (int i = 0; i < state.unitCount; ++i) {
    engine::StepUnit(*state.units[static_cast<std::size_t>(i)], world, botPassDue);
    state.contacts.Refresh(i);
  }
  for (CGameUnit* marker : {state.pointerMarker.get(), state.actionSymbol.get()}) {
    if (marker->IsVisible()) marker->Update(now);
  }
  engine::JournalPass(state);
}
