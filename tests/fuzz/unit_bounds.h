// What every unit must keep however its files or scripts set it: the bounds its setters hold.
#pragma once

#include "units/game_geometry.h"
#include "units/game_unit.h"

namespace fuzz {

// Position, spawn, frame, speed and collision box within the unit bounds.
inline bool InBounds(const CGameUnit& unit) {
  auto coordinate = [](int v) { return v >= -units::kCoordinateLimit && v <= units::kCoordinateLimit; };
  auto size = [](int v) { return v >= -units::kSizeLimit && v <= units::kSizeLimit; };
  const units::Rect& box = unit.CollisionBox();
  return coordinate(unit.x) && coordinate(unit.y) && coordinate(unit.spawn.x) && coordinate(unit.spawn.y) &&
         unit.FrameWidth() <= units::kSizeLimit && unit.FrameHeight() <= units::kSizeLimit &&
         unit.Speed().x <= units::kSizeLimit && unit.Speed().y <= units::kSizeLimit && size(box.left) &&
         size(box.top) && size(box.right) && size(box.bottom);
}

}  // namespace fuzz
