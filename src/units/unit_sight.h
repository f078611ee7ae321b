// What a bot sees: the players inside a square around it, and whether the straight line toward
// one of them is clear of walls and of the units that stand in the way.
#pragma once

#include <cstddef>
#include <span>

#include "units/game_geometry.h"
#include "units/player_frames.h"
#include "units/unit_world.h"

class CGameUnit;

namespace units {

// What the bot looks for a player for; each has its own square.
enum class Search { Sword, Fire, Vision };
// What is sent along the line: the bot's fire ball, or the bot itself.
enum class Probe { Projectile, Body };

// The square centred on the bot's centre: the reach of its sword blow, or the fire or vision
// distance as the side. Empty (right below left) for a side below 0.
Rect SearchSquare(const CGameUnit& bot, Search purpose);
// The first living player of the player table whose frame rectangle meets the square (sword);
// for fire and vision one of those, picked by one draw when there are several. Null when none.
CGameUnit* FindPlayerInSquare(const CGameUnit& bot, Search purpose, const UnitWorld& world);
// The bot's three squares, worked out once for a decision: nobody moves while a bot decides.
struct BotSquares {
  explicit BotSquares(const CGameUnit& bot);
  const Rect& Of(Search purpose) const {
    return purpose == Search::Sword ? sword : purpose == Search::Fire ? fire : vision;
  }
  Rect sword, fire, vision;
};
// The players whose frame rectangle meets any of the bot's three squares, with their frames, by
// their index in the player table, ascending: a decision looks for them once, and its searches
// then look at those alone.
void PlayersNear(const CGameUnit& bot, const BotSquares& squares, const UnitWorld& world, NearPlayers& near);
// FindPlayerInSquare among those players only, for the square of the purpose: the same answer
// and the same draws.
CGameUnit* FindPlayerInSquare(const BotSquares& squares, Search purpose, const UnitWorld& world,
                              std::span<const NearPlayer> near);
// Marches the probe from the bot toward the target, testing every few pixels: false at the first
// probe on a blocked map cell; at the first probe on a unit that stands in the way (visible, not
// the bot, not a bot, not a pickup), true when that unit is a player. False when nothing is
// met, and for a fire probe without a fire ball.
bool LineClearToPlayer(const CGameUnit& bot, Point target, Probe probe, const UnitWorld& world);

}  // namespace units
