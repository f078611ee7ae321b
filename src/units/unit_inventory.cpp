// A character's twelve inventory slots.
#include "units/game_unit.h"

bool CGameUnit::AddToInventory(int, int, const units::UnitWorld&) { return false; }
bool CGameUnit::UseFromInventory(int, int, const units::UnitWorld&) { return false; }
int CGameUnit::CountInInventory(int) const { return 0; }
int CGameUnit::ObjectInSlot(int) const { return 0; }
