// Unit properties as scripts see them: SET writes one, IF and WHILE read the two flags a test
// can read, and the speech bubble that MESSAGE, SHOW and HIDE drive. Callers hold WorldLock().
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "script/script_keywords.h"

class CGameUnit;

namespace script {

// SET unit.PROPERTY = value. A value of another kind than the property's, and the read-only
// properties, change nothing.
void SetUnitProperty(CGameUnit& unit, UnitProperty property, std::string_view value, bool quoted, uint32_t now);

// The flag of ISMOVING or ISEVENTCOLLISION; nothing for any other property.
std::optional<bool> ReadUnitFlag(const CGameUnit& unit, UnitProperty property);

// The bubble text: at most 1023 characters, each backslash-n a line break, measured at once
// for drawing.
void SetBubbleText(CGameUnit& unit, std::string_view text);
// Shows or hides the bubble; a shown one goes away durationMs later (0: stays).
void ShowBubble(CGameUnit& unit, bool show, int32_t durationMs, uint32_t now);

}  // namespace script
