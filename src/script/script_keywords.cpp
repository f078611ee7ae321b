#include "script/script_keywords.h"

#include <array>

#include "platform/letter_case.h"

namespace script {
namespace {

using enum ScriptCommand;

constexpr std::array<KeywordInfo, 21> kKeywords = {{
    {"//", Comment, ArgumentShape::Comment},
    {"SET", Set, ArgumentShape::Assignment},
    {"IF", If, ArgumentShape::Comparison},
    {"THEN", Then, ArgumentShape::NoOperand},
    {"ELSE", Else, ArgumentShape::NoOperand},
    {"ENDIF", EndIf, ArgumentShape::NoOperand},
    {"WHILE", While, ArgumentShape::Comparison},
    {"ENDWHILE", EndWhile, ArgumentShape::NoOperand},
    {"SLEEP", Sleep, ArgumentShape::Argument},
    {"MOVE_UNIT", MoveUnit, ArgumentShape::UnitName},
    {"SHOW", Show, ArgumentShape::UnitMessage},
    {"HIDE", Hide, ArgumentShape::UnitMessage},
    {"SHOW_IMAGE", ShowImage, ArgumentShape::Argument},
    {"ADD_INVENTORY_OBJECT", AddInventoryObject, ArgumentShape::Argument},
    {"SUB_USE_INVENTORY_OBJECT", SubUseInventoryObject, ArgumentShape::Argument},
    {"GET_INVENTORY_OBJECT", GetInventoryObject, ArgumentShape::Argument},
    {"SET_MAP_TILE", SetMapTile, ArgumentShape::Argument},
    {"PLAY_SOUND", PlaySound, ArgumentShape::Argument},
    {"CHECK_POINT", CheckPoint, ArgumentShape::Alone},
    {"SET_CAMERA_POSITION", SetCameraPosition, ArgumentShape::Argument},
    {"EXIT", Exit, ArgumentShape::NoOperand},
}};

constexpr std::array<PropertyInfo, 15> kProperties = {{
    {"POSITIONX", UnitProperty::PositionX, PropertyKind::Integer, false},
    {"POSITIONY", UnitProperty::PositionY, PropertyKind::Integer, false},
    {"DESTINATIONX", UnitProperty::DestinationX, PropertyKind::Integer, false},
    {"DESTINATIONY", UnitProperty::DestinationY, PropertyKind::Integer, false},
    {"SPEEDX", UnitProperty::SpeedX, PropertyKind::Integer, false},
    {"SPEEDY", UnitProperty::SpeedY, PropertyKind::Integer, false},
    {"HEALTH", UnitProperty::Health, PropertyKind::Integer, false},
    {"SELECTED", UnitProperty::Selected, PropertyKind::Boolean, false},
    {"SCRIPTED", UnitProperty::Scripted, PropertyKind::Boolean, false},
    {"ANIMATIONTIME", UnitProperty::AnimationTime, PropertyKind::Integer, false},
    {"ISMOVING", UnitProperty::IsMoving, PropertyKind::Boolean, true},
    {"MESSAGE", UnitProperty::Message, PropertyKind::Text, false},
    {"MESSAGETIME", UnitProperty::MessageTime, PropertyKind::Integer, false},
    {"VISIBLE", UnitProperty::Visible, PropertyKind::Boolean, false},
    {"ISEVENTCOLLISION", UnitProperty::IsEventCollision, PropertyKind::Boolean, true},
}};

struct OperatorInfo {
  std::string_view text;
  CompareOperator op;
};

constexpr std::array<OperatorInfo, 6> kOperators = {{
    {"=", CompareOperator::Equal},
    {"!=", CompareOperator::NotEqual},
    {">", CompareOperator::Greater},
    {">=", CompareOperator::GreaterOrEqual},
    {"<", CompareOperator::Less},
    {"<=", CompareOperator::LessOrEqual},
}};

}  // namespace

std::span<const KeywordInfo> Keywords() { return kKeywords; }
std::span<const PropertyInfo> Properties() { return kProperties; }

const KeywordInfo* FindKeyword(std::string_view word) {
  for (const auto& keyword : kKeywords) {
    if (platform::EqualsNoCase(word, keyword.word)) return &keyword;
  }
  return nullptr;
}

UnitProperty FindProperty(std::string_view name) {
  for (const auto& info : kProperties) {
    if (platform::EqualsNoCase(name, info.word)) return info.property;
  }
  return UnitProperty::Unknown;
}

const PropertyInfo* DescribeProperty(UnitProperty property) {
  for (const auto& info : kProperties) {
    if (info.property == property) return &info;
  }
  return nullptr;
}

CompareOperator FindOperator(std::string_view text) {
  for (const auto& info : kOperators) {
    if (text == info.text) return info.op;
  }
  return CompareOperator::Unknown;
}

std::string_view CommandWord(ScriptCommand command) {
  for (const auto& keyword : kKeywords) {
    if (keyword.command == command) return keyword.word;
  }
  return {};
}

}  // namespace script
