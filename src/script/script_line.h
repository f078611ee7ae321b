// One kept line of a script, read once at load: the interpreter works from these records alone
// and never looks at the text again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "script/script_keywords.h"

namespace script {

// Observable limits of the stored texts: longer input is cut to these lengths.
inline constexpr std::size_t kMaxTokenLength = 254;
inline constexpr std::size_t kMaxCommentLength = 1023;
inline constexpr std::size_t kMaxScriptNameLength = 255;

// No block line was found for an IF or WHILE (see elseIndex and endIndex).
inline constexpr int kNoLine = -1;

// The texts a line keeps, each cut to its limit.
enum class LineText : uint8_t {
  Comment,           // comment lines: the text from the line's fourth character
  Argument,          // one-argument commands (whole word); plain left operand of SET, IF, WHILE
  Value,             // plain right operand of SET, IF, WHILE; a quoted SET value unquoted
  LeftUnitName,      // unit.PROPERTY operands, split at the first "." (the unit name as written);
  LeftPropertyName,  //   the left one is also the unit name of MOVE_UNIT, SHOW and HIDE
  RightUnitName,
  RightPropertyName,
  OperatorText,  // third word of IF and WHILE
};
inline constexpr std::size_t kLineTextCount = 8;

// A script of a hundred thousand lines keeps as many of these: the texts share one string (short
// ones fit inside it without a heap block) and the numbers are packed, about 90 bytes a line
// where a string per text took over 400.
struct ScriptLine {
  std::string_view Text(LineText which) const {
    const std::size_t i = static_cast<std::size_t>(which);
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(texts_).substr(begin, ends_[i] - begin);
  }
  void SetText(LineText which, std::string_view text);

  std::string_view comment() const { return Text(LineText::Comment); }
  std::string_view argument() const { return Text(LineText::Argument); }
  std::string_view value() const { return Text(LineText::Value); }
  std::string_view leftUnitName() const { return Text(LineText::LeftUnitName); }
  std::string_view leftPropertyName() const { return Text(LineText::LeftPropertyName); }
  std::string_view rightUnitName() const { return Text(LineText::RightUnitName); }
  std::string_view rightPropertyName() const { return Text(LineText::RightPropertyName); }
  std::string_view operatorText() const { return Text(LineText::OperatorText); }

  ScriptCommand command = ScriptCommand::None;
  UnitProperty leftProperty = UnitProperty::Unknown;
  UnitProperty rightProperty = UnitProperty::Unknown;
  CompareOperator op = CompareOperator::Unknown;
  bool valueQuoted = false;  // the SET value was written in double quotes (never split at ".")
  bool leftDotted = false;   // the left operand was unit.PROPERTY
  bool rightDotted = false;

  // Block structure, found once at load (indices into the script's kept lines). IF: its own ELSE
  // and its ENDIF; WHILE: its ENDWHILE (elseIndex unused). kNoLine when the script lacks it.
  int elseIndex = kNoLine;
  int endIndex = kNoLine;

  int sourceLine = 0;  // 1-based line number in the file, for messages to the game maker

 private:
  std::string texts_;                            // the texts one after another, in LineText order
  std::array<uint16_t, kLineTextCount> ends_{};  // where each text ends in texts_
};

}  // namespace script
