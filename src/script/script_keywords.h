// The words of the script language: commands (the first word of a line), unit properties (the
// part after the "." of unit.PROPERTY) and the comparison operators of IF and WHILE.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace script {

// A line's command; None marks a line that is not a command (it is not kept).
enum class ScriptCommand : uint8_t {
  None = 0,
  Comment,
  Set,
  If,
  Then,
  Else,
  EndIf,
  While,
  EndWhile,
  Sleep,
  MoveUnit,
  Show,
  Hide,
  ShowImage,
  AddInventoryObject,
  SubUseInventoryObject,
  GetInventoryObject,
  SetMapTile,
  PlaySound,
  CheckPoint,
  SetCameraPosition,
  Exit,
};

// What follows a command's word on its line, and so how the line is read and when it is kept.
enum class ArgumentShape {
  Comment,      // free text, kept from the line's fourth character
  Assignment,   // target, operator (not examined), value: needs all three words after SET
  Comparison,   // left, operator, right: needs all three words after IF / WHILE
  NoOperand,    // later words ignored
  Argument,     // one word (it may be missing); later words ignored
  UnitName,     // one word naming a unit, taken whole
  UnitMessage,  // one word unit.PROPERTY, or nothing at all
  Alone,        // nothing may follow
};

struct KeywordInfo {
  std::string_view word;  // upper case, as written in the tables of the guide
  ScriptCommand command;
  ArgumentShape shape;
};

enum class UnitProperty : uint8_t {
  Unknown = 0,
  PositionX,
  PositionY,
  DestinationX,
  DestinationY,
  SpeedX,
  SpeedY,
  Health,
  Selected,
  Scripted,
  AnimationTime,
  IsMoving,
  Message,
  MessageTime,
  Visible,
  IsEventCollision,
};

enum class PropertyKind { Integer, Boolean, Text };

struct PropertyInfo {
  std::string_view word;
  UnitProperty property;
  PropertyKind kind;
  bool readOnly;
};

enum class CompareOperator : uint8_t {
  Unknown = 0,
  Equal,
  NotEqual,
  Greater,
  GreaterOrEqual,
  Less,
  LessOrEqual,
};

std::span<const KeywordInfo> Keywords();
std::span<const PropertyInfo> Properties();

// The keyword of a line's first word, compared without regard to ASCII case; null when none.
const KeywordInfo* FindKeyword(std::string_view word);
// The property of a name, compared without regard to ASCII case; Unknown when none.
UnitProperty FindProperty(std::string_view name);
const PropertyInfo* DescribeProperty(UnitProperty property);
// The operator of its exact text; Unknown for anything else.
CompareOperator FindOperator(std::string_view text);
// The upper-case word of a command; empty for None.
std::string_view CommandWord(ScriptCommand command);

}  // namespace script
