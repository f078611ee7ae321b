// What a unit's per-step rules and its drawing read of the world around it: the map, the
// engine's unit table and the tick, and for drawing the camera, the view and the alert icon.
// The engine fills these once per step or frame.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "units/game_geometry.h"

class CBitmapSurface;
class CGameMap;
class CGameUnit;

namespace units {

struct UnitWorld {
  const CGameMap* map = nullptr;                          // null: nothing on the map blocks
  std::span<const std::unique_ptr<CGameUnit>> table;      // slots 0 .. count - 1, all set
  uint32_t now = 0;
};

struct DrawContext {
  Point camera;
  Rect view;  // world pixels, edges included
  uint32_t now = 0;
  const CBitmapSurface* alertIcon = nullptr;  // null or invalid: not drawn
};

}  // namespace units
