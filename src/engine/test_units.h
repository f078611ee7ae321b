// A testing aid: stand-in player units that walk from a start position to a target, for runs
// that need somebody on the map before the unit loaders exist in a project. Each is a mobile
// player on a sheet drawn here (32 x 32 frames, two per direction), with the eight direction
// animations in the loaders' order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/orvanta_engine.h"
#include "units/game_geometry.h"

class COrvantaEngine;

namespace engine {

struct TestUnitPlacement {
  units::Point position;  // top-left of the frame, world pixels
  units::Point target;    // where the frame's centre walks to
  int speed = 4;          // pixels per step on each axis
};

// "X,Y,TX,TY" or "X,Y,TX,TY,SPEED" with decimal integers (a leading '-' allowed); nothing for
// anything else.
std::optional<TestUnitPlacement> ParseTestUnit(const std::string& text);

// Registers the units, named "test unit 1", "test unit 2", ... (identifiers "test_unit_1", ...),
// with the engine and its player table, and sends each on its way. Units that do not fit the
// tables are left out. The caller holds the world lock.
void AddTestUnits(COrvantaEngine& engine, const std::vector<TestUnitPlacement>& placements) TL_REQUIRES(engine.Lock());

}  // namespace engine
