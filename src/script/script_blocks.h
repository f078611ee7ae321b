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

// The WHILE lines (indices into the linked lines) whose body can go round without reaching a
// SLEEP or an EXIT: such a loop spins holding the game up. A pass surely waits only when a SLEEP
// or EXIT stands in the body itself or in both branches of an IF with an ELSE; a nested WHILE
// may not run at all. A WHILE without ENDWHILE is no loop.
std::vector<int> LoopsWithoutSleep(const std::vector<ScriptLine>& lines);

}  // namespace script
