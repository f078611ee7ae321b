// Contacts between a moving unit and the other units of the table, in table order: which touches
// count, the step back with a detour or a stop, then what the touch means — a projectile's
// impact, a pickup, a collision event, contact damage.
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
      // Every unit the ball overlaps in this tick is hit, not just the first.
      if (isProjectile) ProjectileImpact(*other, world);
    }
    if (isPlayer) {
      if (other->autouseType > 0) TakePickup(*other, world);
      MeetEventUnit(*other, world);
      if (other->DamageToPlayer() != 0) Damage(other->DamageToPlayer(), this, world);
    } else if (other->isPlayer && m_damageToPlayer != 0) {
      other->Damage(m_damageToPlayer, this, world);
    }
  }
  // A unit that found no way round waits for a tick without contact before trying again.
  if (blocked && !touched) blocked = false;
}
