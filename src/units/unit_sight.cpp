#include "units/unit_sight.h"

#include <array>
#include <cstddef>

#include "units/contact_index.h"
#include "units/game_unit.h"
#include "units/runtime_random.h"

namespace units {
namespace {
// Whether the player's frame rectangle meets the area.
bool FrameMeets(const CGameUnit& player, const Rect& area) {
  // Most players lie beyond the area's right or bottom edge: they are passed over without
  // looking up their frame size.
  return player.x <= area.right && player.y <= area.bottom && RectsIntersect(player.UnitRect(), area);
}

bool IsCandidate(const CGameUnit& player, const Rect& square) { return player.alive && FrameMeets(player, square); }

}  // namespace

Rect SearchSquare(const CGameUnit& bot, Search purpose) {
  const Point centre = bot.Centre();
  switch (purpose) {
    case Search::Sword: return bot.SwordReach();
    case Search::Fire:
    case Search::Vision: {
      const int side = purpose == Search::Fire ? bot.fireDistance : bot.visionDistance;
      if (side < 0) return {0, 0, -1, -1};
      return RectAround(centre, side / 2, side / 2);
    }
  }
  return {0, 0, -1, -1};
}

namespace {

// The search over `count` possible players, in their order; `candidate(k)` is the k-th when it
// counts, else null. The first few that count are kept on the stack, and the draw picks among
// them; in a crowd beyond them the players are picked again by number from the first one on.
template <class Candidate>
CGameUnit* PickAmong(Search purpose, const UnitWorld& world, std::size_t count, Candidate candidate) {
  std::array<CGameUnit*, 16> kept;
  int found = 0;
  std::size_t first = 0;
  for (std::size_t k = 0; k < count; ++k) {
    CGameUnit* player = candidate(k);
    if (player == nullptr) continue;
    if (purpose == Search::Sword) return player;
    if (found == 0) first = k;
    if (static_cast<std::size_t>(found) < kept.size()) kept[static_cast<std::size_t>(found)] = player;
    ++found;
  }
  if (found == 0) return nullptr;
  int chosen = found > 1 ? world.Random().Next() % found : 0;
  if (static_cast<std::size_t>(chosen) < kept.size()) return kept[static_cast<std::size_t>(chosen)];
  for (std::size_t k = first; k < count; ++k) {
    CGameUnit* player = candidate(k);
    if (player != nullptr && chosen-- == 0) return player;
  }
  return nullptr;
}

}  // namespace

CGameUnit* FindPlayerInSquare(const CGameUnit& bot, Search purpose, const UnitWorld& world) {
  const Rect square = SearchSquare(bot, purpose);
  if (IsEmpty(square)) return nullptr;
  const std::span<CGameUnit* const> players = world.players;
  return PickAmong(purpose, world, players.size(), [&](std::size_t i) {
    return players[i] != nullptr && IsCandidate(*players[i], square) ? players[i] : nullptr;
  });
}

BotSquares::BotSquares(const CGameUnit& bot)
    : sword(SearchSquare(bot, Search::Sword)),
      fire(SearchSquare(bot, Search::Fire)),
      vision(SearchSquare(bot, Search::Vision)) {}

CGameUnit* FindPlayerInSquare(const BotSquares& squares, Search purpose, const UnitWorld& world,
                              std::span<const NearPlayer> near) {
  const Rect& square = squares.Of(purpose);
  if (IsEmpty(square)) return nullptr;
  const std::span<CGameUnit* const> players = world.players;
  return PickAmong(purpose, world, near.size(), [&](std::size_t k) -> CGameUnit* {
    // The frame first: it is at hand, while a look at whether the player lives reads the player.
    if (!RectsIntersect(near[k].frame, square)) return nullptr;
    CGameUnit* player = players[near[k].index];
    return player != nullptr && player->alive ? player : nullptr;
  });
}

std::span<const NearPlayer> PlayersNear(const CGameUnit& bot, const BotSquares& squares, const UnitWorld& world,
                                        NearPlayers& room) {
  room.clear();
  const Rect all = Hull(Hull(squares.sword, squares.fire), squares.vision);
  if (IsEmpty(all)) return room;
  // Living or not: a blow struck during the decision may change that, never where one stands.
  if (ContactIndex* index = IndexFor(world)) {
    if (const NearPlayers* near = index->PlayersNear(world.players, bot, all)) return *near;
  }
  const std::span<CGameUnit* const> players = world.players;
  for (std::size_t i = 0; i < players.size(); ++i) {
    const CGameUnit* player = players[i];
    if (player != nullptr && FrameMeets(*player, all)) room.push_back({i, player->UnitRect()});
  }
  return room;
}

}  // namespace units
