// Contacts between a moving unit and the other units of the table: which touches count, and the
// step back with a detour or a stop that keeps units from walking through each other. Pickups,
// collision events, projectile impacts and contact damage join here with their own rules.
#include <cstdint>
#include <cstdlib>

#include "units/game_unit.h"

namespace {

// Pickups stop neither projectiles nor bots, and a projectile passes through its shooter's side.
bool PassesThrough(const CGameUnit& mover, const CGameUnit& other) {
  if ((mover.isProjectile || mover.isBot) && other.autouseType > 0) return true;
  if (mover.isProjectile && mover.owner != nullptr) {
    if (mover.owner->isPlayer && other.isPlayer) return true;
    if (mover.owner->isBot && other.isBot) return true;
  }
  return false;
}

}  // namespace

void CGameUnit::ProcessContacts(const units::UnitWorld& world) {
  if (!m_visible || !moving || m_kindCode != kUnitKindMobile || !HasValidSprite()) return;
  bool touched = false;
  // The mover's box, taken again whenever a step back moves it: the scan over the whole table is
  // the hot part of a crowded step.
  units::Point centre = BoxCentre();
  const units::Point half = BoxHalfSize();
  for (const std::unique_ptr<CGameUnit>& entry : world.table) {
    CGameUnit* other = entry.get();
    if (other == nullptr || other == this || other == owner) continue;
    if (!other->alive || !other->IsVisible()) continue;
    const units::Point otherCentre = other->BoxCentre(), otherHalf = other->BoxHalfSize();
    if (std::llabs(int64_t{centre.x} - otherCentre.x) >= int64_t{half.x} + otherHalf.x ||
        std::llabs(int64_t{centre.y} - otherCentre.y) >= int64_t{half.y} + otherHalf.y) {
      continue;
    }
    touched = true;
    if (PassesThrough(*this, *other)) continue;
    if (!isProjectile) {
      StepBack();
      centre = BoxCentre();
    }
    if (collisionMode == 0) {
      FindDetour(world);
    } else {
      Stop();
    }
  }
  // A unit that found no way round waits for a tick without contact before trying again.
  if (blocked && !touched) blocked = false;
}
