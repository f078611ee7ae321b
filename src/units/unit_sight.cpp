#include "units/unit_sight.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <memory_resource>
#include <vector>

#include "map/game_map.h"
#include "units/contact_index.h"
#include "units/game_unit.h"
#include "units/runtime_random.h"

namespace units {
namespace {

int ClampToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// (centre - half, centre + half) on each axis, held inside int for far-off units.
Rect RectAround(Point centre, int64_t halfWidth, int64_t halfHeight) {
  return {ClampToInt(centre.x - halfWidth), ClampToInt(centre.y - halfHeight), ClampToInt(centre.x + halfWidth),
          ClampToInt(centre.y + halfHeight)};
}

bool IsCandidate(const CGameUnit& player, const Rect& square) {
  // Most players lie beyond the square's right or bottom edge: they are passed over without
  // looking up their frame size.
  if (!player.alive || player.x > square.right || player.y > square.bottom) return false;
  return RectsIntersect(player.UnitRect(), square);
}

Rect BoxAtPosition(const CGameUnit& unit) {
  const Rect& box = unit.CollisionBox();
  return {ClampToInt(int64_t{unit.x} + box.left), ClampToInt(int64_t{unit.y} + box.top),
          ClampToInt(int64_t{unit.x} + box.right), ClampToInt(int64_t{unit.y} + box.bottom)};
}

// Whether the unit's collision box, at its position, meets the rectangle (edges included); in 64
// bits, so that no far-off unit wraps.
inline bool BoxMeets(const CGameUnit& unit, const Rect& rect) {
  const Rect& box = unit.CollisionBox();
  const int64_t x = unit.x, y = unit.y;
  return std::max<int64_t>(x + box.left, rect.left) <= std::min<int64_t>(x + box.right, rect.right) &&
         std::max<int64_t>(y + box.top, rect.top) <= std::min<int64_t>(y + box.bottom, rect.bottom);
}

// The rectangle from a to a + d, widened by the half size on each side.
Rect SweptRect(Point a, int64_t dx, int64_t dy, Point half) {
  const int64_t bx = a.x + dx, by = a.y + dy;
  return {ClampToInt(std::min<int64_t>(a.x, bx) - half.x), ClampToInt(std::min<int64_t>(a.y, by) - half.y),
          ClampToInt(std::max<int64_t>(a.x, bx) + half.x), ClampToInt(std::max<int64_t>(a.y, by) + half.y)};
}

// Far beyond any map the engine holds; a longer line is not marched at all, which keeps the ray's
// arithmetic exact in 64 bits and its work bounded whatever the units' positions.
constexpr int64_t kLongestRay = int64_t{1} << 20;

// Probes taken together when the units near the ray are sorted out.
constexpr int kProbesPerRun = 8;

// Pixels the index is asked beyond the ray's bounding box.
constexpr int kIndexMargin = 2;

// A hidden unit (a spent fire ball resting where it landed, a finished explosion or sword blow)
// is not seen and so hides nothing; otherwise a gun post's own spent ball would blind it.
bool StandsInTheWay(const CGameUnit& unit, const CGameUnit& bot) {
  return &unit != &bot && unit.IsVisible() && !unit.isBot && unit.autouseType == 0;
}

// a * b / c rounded toward minus infinity, for the ray's exact points.
int64_t FloorMulDiv(int64_t a, int64_t b, int64_t c) {
  const int64_t product = a * b;
  int64_t quotient = product / c;
  if ((product % c != 0) && ((product < 0) != (c < 0))) --quotient;
  return quotient;
}

// Every interval-th step from the first, and the last step as well: with the probes a few pixels
// apart, the line would otherwise end short of a player standing just past the last of them.
int64_t NextProbeStep(int64_t step, int64_t interval, int64_t length) {
  if (step + interval < length) return step + interval;
  return step == length - 1 ? length : length - 1;
}

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

// The search over the players the indices name, in their order: counted first and then picked
// again by number from the first one on, so that no list is built.
template <class Indices>
CGameUnit* FindAmong(const CGameUnit& bot, Search purpose, const UnitWorld& world, const Indices& indices) {
  const Rect square = SearchSquare(bot, purpose);
  if (square.right < square.left || square.bottom < square.top) return nullptr;
  const std::span<CGameUnit* const> players = world.players;
  auto candidate = [&](std::size_t i) { return players[i] != nullptr && IsCandidate(*players[i], square); };
  int count = 0;
  auto first = indices.begin();
  for (auto it = indices.begin(); it != indices.end(); ++it) {
    if (!candidate(*it)) continue;
    if (purpose == Search::Sword) return players[*it];
    if (count++ == 0) first = it;
  }
  if (count == 0) return nullptr;
  int chosen = count > 1 ? world.Random().Next() % count : 0;
  for (auto it = first; it != indices.end(); ++it) {
    if (!candidate(*it)) continue;
    if (chosen-- == 0) return players[*it];
  }
  return nullptr;
}

// 0, 1, ... count - 1: every player.
struct AllIndices {
  struct Iterator {
    std::size_t i;
    std::size_t operator*() const { return i; }
    Iterator& operator++() {
      ++i;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return i != other.i; }
  };
  std::size_t count;
  Iterator begin() const { return {0}; }
  Iterator end() const { return {count}; }
};

// The smallest rectangle holding both; an empty one (right below left) counts as nothing.
Rect Hull(const Rect& a, const Rect& b) {
  if (a.right < a.left || a.bottom < a.top) return b;
  if (b.right < b.left || b.bottom < b.top) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

CGameUnit* FindPlayerInSquare(const CGameUnit& bot, Search purpose, const UnitWorld& world) {
  return FindAmong(bot, purpose, world, AllIndices{world.players.size()});
}

CGameUnit* FindPlayerInSquare(const CGameUnit& bot, Search purpose, const UnitWorld& world,
                              std::span<const std::size_t> near) {
  return FindAmong(bot, purpose, world, near);
}

std::vector<std::size_t> PlayersNear(const CGameUnit& bot, const UnitWorld& world) {
  const Rect all =
      Hull(Hull(SearchSquare(bot, Search::Sword), SearchSquare(bot, Search::Fire)), SearchSquare(bot, Search::Vision));
  std::vector<std::size_t> near;
  if (all.right < all.left || all.bottom < all.top) return near;
  // Living or not: a blow struck during the decision may change that, never where one stands.
  ContactIndex* index = IndexFor(world);
  if (index != nullptr && index->PlayersNear(world.players, bot, all, near)) return near;
  const std::span<CGameUnit* const> players = world.players;
  for (std::size_t i = 0; i < players.size(); ++i) {
    const CGameUnit* player = players[i];
    if (player == nullptr || player->x > all.right || player->y > all.bottom) continue;
    if (RectsIntersect(player->UnitRect(), all)) near.push_back(i);
  }
  return near;
}

bool LineClearToPlayer(const CGameUnit& bot, Point target, Probe probe, const UnitWorld& world) {
  Point half;
  Point start = bot.Centre();
  if (probe == Probe::Projectile) {
    if (bot.projectile == nullptr) return false;
    half = {bot.projectile->FrameWidth() / 2 + 1, bot.projectile->FrameHeight() / 2 + 1};
  } else {
    // The body probe runs from the box's top-left corner, parallel to the line from the centre.
    const Rect& box = bot.CollisionBox();
    half = {(box.right - box.left) / 2 + 1, (box.bottom - box.top) / 2 + 1};
    const Rect body = BoxAtPosition(bot);
    start = {body.left, body.top};
  }
  const Point centre = bot.Centre();
  const int64_t dx = int64_t{target.x} - centre.x, dy = int64_t{target.y} - centre.y;
  const int64_t length = std::max(std::llabs(dx), std::llabs(dy));
  if (length == 0 || length > kLongestRay) return false;
  // Probes this far apart leave no gap between them; a probe of one pixel tests every step.
  const int64_t interval = std::max<int64_t>(2 * std::max(half.x, half.y) - 2, 1);

  // Only the units whose box meets the ray's bounding box can meet a probe: they are collected
  // once, in table order, so that the first one met is the one the whole table would give.
  const Rect reach = SweptRect(start, dx, dy, half);
  // The few units near a ray live on the stack; a crowd spills over to the heap.
  std::array<std::byte, 512> arena;
  std::pmr::monotonic_buffer_resource memory(arena.data(), arena.size());
  std::pmr::vector<const CGameUnit*> inReach(&memory), nearRun(&memory);
  inReach.reserve(16);
  nearRun.reserve(16);
  auto consider = [&](const CGameUnit* unit) {
    if (unit != nullptr && BoxMeets(*unit, reach) && StandsInTheWay(*unit, bot)) inReach.push_back(unit);
  };
  if (ContactIndex* index = IndexFor(world)) {
    // The index answers in table order. It files a box by its centre and half size, which can
    // fall a pixel inside the box's edges: asked two pixels wider, it leaves no box out.
    for (int slot : index->Candidates(reach, {kIndexMargin, kIndexMargin}, -1))
      consider(world.table[static_cast<std::size_t>(slot)].get());
  } else {
    for (const std::unique_ptr<CGameUnit>& unit : world.table) consider(unit.get());
  }

  // The probes are taken a run at a time: only the units meeting a run's hull can meet one of
  // its probes, so each probe looks at those few instead of every unit near the whole ray.
  const CGameMap* map = world.map;
  std::array<Rect, kProbesPerRun> run;
  int64_t step = 0;
  while (step < length) {
    int count = 0;
    Rect hull{};
    for (; count < kProbesPerRun && step < length; ++count, step = NextProbeStep(step, interval, length)) {
      // The point `step` pixels along the longer axis, its coordinates truncated.
      const Point at = {ClampToInt(start.x + FloorMulDiv(step, dx, length)),
                        ClampToInt(start.y + FloorMulDiv(step, dy, length))};
      run[static_cast<std::size_t>(count)] = RectAround(at, half.x, half.y);
      hull = count == 0 ? run[0] : Hull(hull, run[static_cast<std::size_t>(count)]);
    }
    nearRun.clear();
    for (const CGameUnit* unit : inReach) {
      if (BoxMeets(*unit, hull)) nearRun.push_back(unit);
    }
    for (int k = 0; k < count; ++k) {
      const Rect& probeRect = run[static_cast<std::size_t>(k)];
      if (map != nullptr && map->IsBlocked(probeRect.left, probeRect.top, probeRect.right, probeRect.bottom)) {
        return false;
      }
      for (const CGameUnit* unit : nearRun) {
        if (BoxMeets(*unit, probeRect)) return unit->isPlayer;
      }
    }
  }
  return false;
}

}  // namespace units
