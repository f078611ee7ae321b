// Unit properties as scripts see them: SET writes one (MESSAGE sets the unit's bubble text), IF
// and WHILE read the two flags a test can read. Callers hold the world lock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "script/script_keywords.h"
#include "script/script_unit_fields.h"

class CGameUnit;

namespace script {

// SET unit.PROPERTY = value (a MESSAGE is measured in `face`). A value of another kind than the property's, and the
// read-only properties, change nothing.
void SetUnitProperty(CGameUnit& unit, UnitProperty property, std::string_view value, bool quoted, uint32_t now,
                     UnitFieldTable& fields, const std::string& face);

// The flag of ISMOVING or ISEVENTCOLLISION; nothing for any other property.
std::optional<bool> ReadUnitFlag(const CGameUnit& unit, UnitProperty property, const UnitFieldTable& fields);

}  // namespace script
