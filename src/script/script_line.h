// One kept line of a script, read once at load: the interpreter works from these records alone
// and never looks at the text again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "script/script_keywords.h"

namespace script {

// Observable limits of the stored texts: longer input is cut to these lengths.
inline constexpr std::size_t kMaxTokenLength = 254;
inline constexpr std::size_t kMaxCommentLength = 1023;
inline constexpr std::size_t kMaxScriptNameLength = 255;

// No block line was found for an IF or WHILE (see elseIndex and endIndex).
inline constexpr int kNoLine = -1;

struct ScriptLine {
  ScriptCommand command = ScriptCommand::None;
  std::string comment;   // comment lines: the text from the line's fourth character
  std::string argument;  // one-argument commands (whole word); plain left operand of SET, IF, WHILE
  std::string value;     // plain right operand of SET, IF, WHILE; a quoted SET value unquoted
  bool valueQuoted = false;  // the SET value was written in double quotes (never split at ".")

  // A dotted operand unit.PROPERTY, split at its first "."; the unit name is kept as written.
  // Also the unit name of MOVE_UNIT, SHOW and HIDE.
  bool leftDotted = false;
  std::string leftUnitName;
  std::string leftPropertyName;
  UnitProperty leftProperty = UnitProperty::Unknown;
  bool rightDotted = false;
  std::string rightUnitName;
  std::string rightPropertyName;
  UnitProperty rightProperty = UnitProperty::Unknown;

  std::string operatorText;  // third word of IF and WHILE
  CompareOperator op = CompareOperator::Unknown;

  // Block structure, found once at load (indices into the script's kept lines). IF: its own ELSE
  // and its ENDIF; WHILE: its ENDWHILE (elseIndex unused). kNoLine when the script lacks it.
  int elseIndex = kNoLine;
  int endIndex = kNoLine;

  int sourceLine = 0;  // 1-based line number in the file, for messages to the game maker
};

}  // namespace script
