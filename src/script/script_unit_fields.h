// What scripts keep about a unit beyond its record: the message time that SHOW uses and the
// flag ISEVENTCOLLISION (true while a script runs with the unit as its owner). Kept beside the
// unit table, keyed by unit, for as long as the units live; guarded by the world lock.
#pragma once

#include <cstdint>
#include <map>

class CGameUnit;

namespace script {

struct UnitScriptFields {
  int32_t messageTime = 0;  // ms a shown message stays; 0 keeps it
  bool eventCollision = false;
};

class UnitFieldTable {
 public:
  // The fields of a unit (created on first use).
  UnitScriptFields& Of(const CGameUnit* unit) { return table_[unit]; }
  // The fields of a unit without creating them; defaults when none were set.
  UnitScriptFields Peek(const CGameUnit* unit) const {
    auto found = table_.find(unit);
    return found == table_.end() ? UnitScriptFields{} : found->second;
  }
  void Set(const CGameUnit* unit, UnitScriptFields fields) { table_[unit] = fields; }
  // Forgets every unit (the units are going away with the engine).
  void Clear() { table_.clear(); }

 private:
  // Looked up by key only, never iterated, so pointer order does not matter.
  std::map<const CGameUnit*, UnitScriptFields> table_;
};

}  // namespace script
