#include "script/script_unit_fields.h"

namespace script {
namespace {

// Looked up by key only, never iterated, so pointer order does not matter.
std::map<const CGameUnit*, UnitScriptFields>& Table() {
  static std::map<const CGameUnit*, UnitScriptFields> table;
  return table;
}

}  // namespace

UnitScriptFields& FieldsOf(const CGameUnit* unit) { return Table()[unit]; }

UnitScriptFields PeekFieldsOf(const CGameUnit* unit) {
  auto found = Table().find(unit);
  return found == Table().end() ? UnitScriptFields{} : found->second;
}

void ClearUnitFields() { Table().clear(); }

}  // namespace script
