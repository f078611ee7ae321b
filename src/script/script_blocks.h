// Finds, once at load, the lines that close each IF and WHILE, so that a run jumps straight
// there instead of searching the script on every pass.
#pragma once

#include <vector>

#include "script/script_line.h"

namespace script {

// An ELSE or ENDIF belongs to the nearest unclosed IF and an ENDWHILE to the nearest unclosed
// WHILE (IF and WHILE blocks are counted apart); an IF's ELSE is the first at its own level.
// Fills elseIndex and endIndex of IF and WHILE lines; a block left open keeps kNoLine.
void LinkBlocks(std::vector<ScriptLine>& lines);

}  // namespace script
