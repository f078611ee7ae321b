// Whom a bot looks for: the players inside the squares of its sword, fire and vision around it.
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
// then look at those alone. Within a step the index holds the list until it is next asked;
// otherwise it is made in `room`.
std::span<const NearPlayer> PlayersNear(const CGameUnit& bot, const BotSquares& squares, const UnitWorld& world,
                                        NearPlayers& room);
// FindPlayerInSquare among those players only, for the square of the purpose: the same answer
// and the same draws.
CGameUnit* FindPlayerInSquare(const BotSquares& squares, Search purpose, const UnitWorld& world,
                              std::span<const NearPlayer> near);

}  // namespace units
