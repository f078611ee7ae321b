// Contacts between a moving unit and the other units of the table, in table order: which touches
// count, the step back with a detour or a stop (a player that reached the pickup or event unit it
// was sent onto stops), then what the touch means — a projectile's impact, a pickup, a collision
// event, contact damage. The units near the mover come from the broad phase when the world has
// one (contact_index.h), else from the whole table; either way they are met in table order with
// the units as they stand at that moment.
#include <cstdint>
#include <cstdlib>

#include "units/contact_index.h"
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

// A player sent onto a pickup or an event unit (a door, a character with something to say) has
// arrived once it touches it: its destination lies on that unit, drawn or solid part, where no
// detour can lead (a taken pickup still stands there, hidden, for the search).
bool ArrivedAt(const CGameUnit& mover, const CGameUnit& other) {
  if (!mover.isPlayer || (other.autouseType <= 0 && other.eventProcess == 0)) return false;
  const units::Point dest = mover.Destination();
  units::Rect box = other.CollisionBox();
  units::OffsetRect(box, other.x, other.y);
  return units::PointInRect(other.UnitRect(), dest) || units::PointInRect(box, dest);
}

// The mover's box, taken again whenever a contact moves it: the test over the table is the hot
// part of a crowded step.
struct MoverBox {
  units::Point centre;
  units::Point half;
};

bool Counts(const CGameUnit& mover, const MoverBox& box, const CGameUnit* other) {
  if (other == nullptr || other == &mover || other == mover.owner) return false;
  if (!other->alive || !other->IsVisible()) return false;
  return CGameUnit::BoxesOverlap(box.centre, box.half, *other);
}

// The steps of one contact that counts, after the touch is noted.
void ContactSteps(CGameUnit& mover, CGameUnit& other, const units::UnitWorld& world) {
  if (PassesThrough(mover, other)) return;
  if (!mover.isProjectile) mover.StepBack();
  if (mover.collisionMode == 0 && !ArrivedAt(mover, other)) {
    mover.FindDetour(world);
  } else {
    mover.Stop();
    // Every unit the ball overlaps in this tick is hit, not just the first.
    if (mover.isProjectile) mover.ProjectileImpact(other, world);
  }
  if (mover.isPlayer) {
    if (other.autouseType > 0) mover.TakePickup(other, world);
    mover.MeetEventUnit(other, world);
    if (other.DamageToPlayer() != 0) mover.Damage(other.DamageToPlayer(), &mover, world);
  } else if (other.isPlayer && mover.DamageToPlayer() != 0) {
    other.Damage(mover.DamageToPlayer(), &mover, world);
  }
}

}  // namespace

void CGameUnit::ProcessContacts(const units::UnitWorld& world) {
  if (!visible_ || !moving || kindCode_ != kUnitKindMobile || !HasValidSprite()) return;
  bool touched = false;
  MoverBox box{BoxCentre(), BoxHalfSize()};
  // Meets the unit of the slot; true when that moved the mover.
  auto meet = [&](std::size_t slot) {
    CGameUnit* other = world.table[slot].get();
    if (!Counts(*this, box, other)) return false;
    touched = true;
    ContactSteps(*this, *other, world);
    const units::Point centre = BoxCentre();
    if (centre == box.centre) return false;
    box.centre = centre;
    return true;
  };
  if (units::ContactIndex* index = units::IndexFor(world)) {
    // A step back moves the box, and an impact may place an explosion or a return shot: the
    // units near the box as it now stands are asked for again, past this slot.
    const std::vector<int>* slots = &index->Candidates(box.centre, box.half, -1);
    uint64_t changes = index->Changes();
    for (std::size_t k = 0; k < slots->size();) {
      const int slot = (*slots)[k++];
      if (meet(static_cast<std::size_t>(slot)) || index->Changes() != changes) {
        slots = &index->Candidates(box.centre, box.half, slot);
        changes = index->Changes();
        k = 0;
      }
    }
  } else {
    for (std::size_t slot = 0; slot < world.table.size(); ++slot) meet(slot);
  }
  // A unit that found no way round waits for a tick without contact before trying again.
  if (blocked && !touched) blocked = false;
}
