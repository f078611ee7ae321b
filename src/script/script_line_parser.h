// Reads one line of a script into a line record and decides whether the line is kept.
#pragma once

#include <string>
#include <string_view>

#include "script/script_line.h"

namespace script {

struct ParsedLine {
  ScriptLine line;
  bool kept = false;
  std::string rejection;  // why a line with words was not kept, for the game maker; else empty
};

// A line holding only spaces and tabs is neither kept nor rejected. The line carries no line
// ending.
ParsedLine ParseScriptLine(std::string_view text);

}  // namespace script
