// Whether the straight line from a bot toward a player is clear: the probe the bot sends, its fire
// ball or itself, tested every few pixels against the walls and the units that stand in the way.
#pragma once

#include "units/game_geometry.h"
#include "units/unit_world.h"

class CGameUnit;

namespace units {

// What is sent along the line: the bot's fire ball, or the bot itself.
enum class Probe { Projectile, Body };

// Marches the probe from the bot toward the target, testing every few pixels: false at the first
// probe on a blocked map cell; at the first probe on a unit that stands in the way (visible, not
// the bot, not a bot, not a pickup), true when that unit is a player. False when nothing is
// met, and for a fire probe without a fire ball.
bool LineClearToPlayer(const CGameUnit& bot, Point target, Probe probe, const UnitWorld& world);

}  // namespace units
