#include "script/script_unit_properties.h"

#include <algorithm>
#include <string>

#include "script/script_unit_fields.h"
#include "script/script_values.h"
#include "units/game_unit.h"

namespace script {
namespace {

units::Point WithComponent(units::Point point, bool setX, int32_t number) {
  (setX ? point.x : point.y) = number;
  return point;
}

}  // namespace

void SetUnitProperty(CGameUnit& unit, UnitProperty property, std::string_view value, bool quoted, uint32_t now,
                     UnitFieldTable& fields, const std::string& face) {
  const Value v = ClassifyPropertyValue(value, quoted);
  const bool number = v.kind == ValueKind::Number;
  const bool flag = v.kind == ValueKind::Boolean;
  switch (property) {
    case UnitProperty::PositionX:
    case UnitProperty::PositionY:
      if (number) unit.SetPosition(WithComponent(unit.Position(), property == UnitProperty::PositionX, v.number));
      break;
    case UnitProperty::DestinationX:
    case UnitProperty::DestinationY:
      if (number) {
        unit.moveTarget =
            units::ClampPoint(WithComponent(unit.Destination(), property == UnitProperty::DestinationX, v.number));
      }
      break;
    case UnitProperty::SpeedX:
    case UnitProperty::SpeedY: {
      if (!number) break;
      const units::Point speed = WithComponent(unit.Speed(), property == UnitProperty::SpeedX, v.number);
      unit.SetSpeed(speed.x, speed.y);
      break;
    }
    case UnitProperty::Health:
      if (number) unit.SetHealth(std::clamp(v.number, 0, 100));
      break;
    case UnitProperty::Selected:
      if (flag) unit.selected = v.number != 0;
      break;
    case UnitProperty::Scripted:
      if (flag) {
        unit.scripted = v.number != 0;
        unit.selected = false;
      }
      break;
    case UnitProperty::AnimationTime:
      if (number) unit.SetAnimationTime(v.number);
      break;
    case UnitProperty::Message:
      if (v.kind == ValueKind::Text) unit.SetBubbleText(std::string(value), face);
      break;
    case UnitProperty::MessageTime:
      if (number) fields.Of(&unit).messageTime = v.number;
      break;
    case UnitProperty::Visible:
      if (flag) unit.SetVisible(v.number != 0, now);
      break;
    case UnitProperty::IsMoving:
    case UnitProperty::IsEventCollision:
    case UnitProperty::Unknown: break;
  }
}

std::optional<bool> ReadUnitFlag(const CGameUnit& unit, UnitProperty property, const UnitFieldTable& fields) {
  if (property == UnitProperty::IsMoving) return unit.moving;
  if (property == UnitProperty::IsEventCollision) return fields.Peek(&unit).eventCollision;
  return std::nullopt;
}

}  // namespace script
