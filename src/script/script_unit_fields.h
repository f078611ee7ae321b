// What scripts keep about a unit beyond its record: the message time that SHOW uses and the
// flag ISEVENTCOLLISION (true while a script runs with the unit as its owner). Kept beside the
// unit table, keyed by unit, for as long as the units live; guarded by WorldLock().
#pragma once

#include <cstdint>
#include <map>

class CGameUnit;

namespace script {

struct UnitScriptFields {
  int32_t messageTime = 0;  // ms a shown message stays; 0 keeps it
  bool eventCollision = false;
};

// The fields of a unit (created on first use).
UnitScriptFields& FieldsOf(const CGameUnit* unit);
// The fields of a unit without creating them; defaults when none were set.
UnitScriptFields PeekFieldsOf(const CGameUnit* unit);
// Forgets every unit (the units are going away with the engine).
void ClearUnitFields();

}  // namespace script
