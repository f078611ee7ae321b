// Pickups and collision events: what a player's touch does to kits, objects and event units.
#include "units/game_unit.h"

void CGameUnit::TakePickup(CGameUnit&, const units::UnitWorld&) {}
void CGameUnit::MeetEventUnit(CGameUnit&, const units::UnitWorld&) {}
bool CGameUnit::PerformAction(CGameUnit&, const units::UnitWorld&) { return false; }
