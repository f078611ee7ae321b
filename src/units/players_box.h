// The players bounding box (left, top, right, bottom in world pixels): the camera may scroll
// only around it when the game settings limit the view by the players. It grows as the player
// units walk.
#pragma once

#include <array>

#include "units/game_geometry.h"

namespace units {

// Widens the box so that the position keeps `margin` pixels inside it on each side: past the
// right edge less the margin the right edge becomes x + margin, before the left edge plus the
// margin the left edge becomes x - margin (never below 0); the same for y.
void WidenPlayersBox(std::array<int, 4>& box, Point position, int margin);

}  // namespace units
