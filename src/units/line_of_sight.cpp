#include "units/line_of_sight.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <memory_resource>
#include <optional>
#include <utility>
#include <vector>

#include "map/game_map.h"
#include "units/contact_index.h"
#include "units/game_unit.h"

namespace units {
namespace {

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

// Probes taken together: the units near a run of them are looked up at once.
constexpr int kProbesPerRun = 4;

// A hidden unit (a spent fire ball resting where it landed, a finished explosion or sword blow)
// is not seen and so hides nothing; otherwise a gun post's own spent ball would blind it. Asked
// before the unit's box, bots first: most units near a line are bots, passed over on one field.
bool StandsInTheWay(const CGameUnit& unit, const CGameUnit& bot) {
  return &unit != &bot && !unit.isBot && unit.IsVisible() && unit.autouseType == 0;
}

// The unit of the slot when it stands in the way and its box meets the area, else null. Within a
// step the index's flag passes over the bots without reading them.
const CGameUnit* InTheWayAt(std::size_t slot, const Rect& area, const CGameUnit& bot, const UnitWorld& world,
                            const ContactIndex* index) {
  if (index != nullptr && index->IsBot(static_cast<int>(slot))) return nullptr;
  const CGameUnit* unit = world.table[slot].get();
  return unit != nullptr && StandsInTheWay(*unit, bot) && BoxMeets(*unit, area) ? unit : nullptr;
}

// A unit that may stop a ray, with its slot in the unit table.
struct InTheWay {
  int slot;
  const CGameUnit* unit;
};

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

// The probes of a line: the one at step s (of 0, interval, 2 interval, ... below length, and
// length - 1) has its centre at start + floor(s * d / length) on each axis and reaches `half`
// pixels each way.
struct ProbeLine {
  Point start;
  int64_t dx = 0, dy = 0, length = 1, interval = 1;
  Point half;
};

int64_t FloorDiv(int64_t a, int64_t b) { return FloorMulDiv(a, 1, b); }

// The steps at which a probe's reach on one axis, centred at from + floor(s * d / length), meets
// [low, high]: a closed range, empty when its first is past its last. The centre moves one way
// only, so the steps that meet form a single range.
std::pair<int64_t, int64_t> StepsMeeting(int64_t from, int64_t d, int64_t length, int64_t half, int64_t low,
                                         int64_t high) {
  // floor(s * d / length) must lie within [lo, hi].
  const int64_t lo = low - half - from, hi = high + half - from;
  if (d == 0) return lo <= 0 && 0 <= hi ? std::pair<int64_t, int64_t>{0, length} : std::pair<int64_t, int64_t>{1, 0};
  // Along the longer axis the centre moves a pixel a step: no division is needed.
  if (d == length) return {lo, hi};
  if (d == -length) return {-hi, -lo};
  if (d > 0) return {-FloorDiv(-lo * length, d), FloorDiv((hi + 1) * length - 1, d)};
  return {FloorDiv(-(hi + 1) * length, -d) + 1, FloorDiv(-lo * length, -d)};
}

// The step of the line's first probe that meets the unit's box, if one does.
std::optional<int64_t> FirstProbeOn(const ProbeLine& line, const CGameUnit& unit) {
  const Rect& box = unit.CollisionBox();
  const int64_t left = int64_t{unit.x} + box.left, right = int64_t{unit.x} + box.right;
  const int64_t top = int64_t{unit.y} + box.top, bottom = int64_t{unit.y} + box.bottom;
  if (left > right || top > bottom) return std::nullopt;
  const auto [fromX, toX] = StepsMeeting(line.start.x, line.dx, line.length, line.half.x, left, right);
  const auto [fromY, toY] = StepsMeeting(line.start.y, line.dy, line.length, line.half.y, top, bottom);
  const int64_t first = std::max({fromX, fromY, int64_t{0}}), last = std::min({toX, toY, line.length - 1});
  if (first > last) return std::nullopt;
  const int64_t onInterval = (first + line.interval - 1) / line.interval * line.interval;
  if (onInterval <= last) return onInterval;
  if (last == line.length - 1) return last;
  return std::nullopt;
}

// Whether every probe of the line lies inside int, none of its edges held there.
bool InsideInt(const ProbeLine& line) {
  auto fits = [](int64_t from, int64_t d, int64_t half) {
    return std::min(from, from + d) - half >= std::numeric_limits<int>::min() &&
           std::max(from, from + d) + half <= std::numeric_limits<int>::max();
  };
  return fits(line.start.x, line.dx, line.half.x) && fits(line.start.y, line.dy, line.half.y);
}

// The answer for a line over open ground: of the units standing in the way, the one that the
// earliest probe meets decides, the first in the table when that probe meets several. Each unit's
// first probe is worked out from where the line enters its box rather than probe by probe. None
// when a wall may be near, or for probes that would leave int or have no size; the caller then
// marches the probes.
std::optional<bool> FirstMetOverOpenGround(const ProbeLine& line, const CGameUnit& bot, const UnitWorld& world,
                                           const ContactIndex* index) {
  if (line.half.x < 0 || line.half.y < 0 || !InsideInt(line)) return std::nullopt;
  const Rect reach = SweptRect(line.start, line.dx, line.dy, line.half);
  if (world.map != nullptr && world.map->MayBeBlocked(reach.left, reach.top, reach.right, reach.bottom)) {
    return std::nullopt;
  }
  const CGameUnit* first = nullptr;
  int64_t firstStep = 0;
  std::size_t firstSlot = 0;
  auto consider = [&](std::size_t slot) {
    const CGameUnit* unit = InTheWayAt(slot, reach, bot, world, index);
    if (unit == nullptr) return;
    const std::optional<int64_t> step = FirstProbeOn(line, *unit);
    if (step && (first == nullptr || *step < firstStep || (*step == firstStep && slot < firstSlot))) {
      first = unit;
      firstStep = *step;
      firstSlot = slot;
    }
  };
  // The index answers in no order, a unit maybe twice: neither changes which one is first.
  if (index != nullptr) {
    index->AnyNear(reach, kBoxFilingMargin, [&](int slot) {
      consider(static_cast<std::size_t>(slot));
      return false;  // every one is wanted
    });
  } else {
    for (std::size_t slot = 0; slot < world.table.size(); ++slot) consider(slot);
  }
  return first != nullptr && first->isPlayer;
}

}  // namespace

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
  const ContactIndex* index = IndexFor(world);
  if (const std::optional<bool> met =
          FirstMetOverOpenGround({start, dx, dy, length, interval, half}, bot, world, index)) {
    return *met;
  }

  // Of the units a probe meets, the one first in the table counts: each is kept with its slot.
  // The few units near a ray live on the stack; a crowd spills over to the heap.
  std::array<std::byte, 768> arena;
  std::pmr::monotonic_buffer_resource memory(arena.data(), arena.size());
  std::pmr::vector<InTheWay> inReach(&memory), nearRun(&memory);
  nearRun.reserve(16);
  auto collect = [&](std::size_t slot, const Rect& area, std::pmr::vector<InTheWay>& into) {
    if (const CGameUnit* unit = InTheWayAt(slot, area, bot, world, index))
      into.push_back({static_cast<int>(slot), unit});
  };
  // Within a step the index is asked for the units near each run of probes; otherwise the units
  // near the whole ray are sorted out of the table once.
  if (index == nullptr) {
    const Rect reach = SweptRect(start, dx, dy, half);
    inReach.reserve(16);
    for (std::size_t slot = 0; slot < world.table.size(); ++slot) collect(slot, reach, inReach);
  }

  // The probes are taken a run at a time: only the units meeting a run's hull can meet one of
  // its probes, so each probe looks at those few instead of every unit near the whole ray.
  const CGameMap* map = world.map;
  // The probe at a step: its point `step` pixels along the longer axis, coordinates truncated.
  auto probeAt = [&](int64_t step) {
    const Point at = {ClampToInt(start.x + FloorMulDiv(step, dx, length)),
                      ClampToInt(start.y + FloorMulDiv(step, dy, length))};
    return RectAround(at, half.x, half.y);
  };
  std::array<int64_t, kProbesPerRun> steps;
  std::array<Rect, kProbesPerRun> run;
  int64_t step = 0;
  while (step < length) {
    int count = 0;
    for (; count < kProbesPerRun && step < length; ++count, step = NextProbeStep(step, interval, length)) {
      steps[static_cast<std::size_t>(count)] = step;
    }
    // Along a straight line every probe of the run lies between its first and its last, so those
    // two span the run; the ones between are placed only when something near may stop the line.
    const std::size_t last = static_cast<std::size_t>(count - 1);
    run[0] = probeAt(steps[0]);
    run[last] = probeAt(steps[last]);
    const Rect hull = Hull(run[0], run[last]);
    nearRun.clear();
    if (index != nullptr) {
      // The index answers in no order, a unit maybe twice: neither changes which one is first.
      index->AnyNear(hull, kBoxFilingMargin, [&](int slot) {
        collect(static_cast<std::size_t>(slot), hull, nearRun);
        return false;  // every one is wanted
      });
    } else {
      for (const InTheWay& near : inReach) {
        if (BoxMeets(*near.unit, hull)) nearRun.push_back(near);
      }
    }
    // Open ground under the whole run spares its probes their own blocked tests.
    const bool nearWalls = map != nullptr && map->MayBeBlocked(hull.left, hull.top, hull.right, hull.bottom);
    if (nearRun.empty() && !nearWalls) continue;
    for (std::size_t k = 1; k < last; ++k) run[k] = probeAt(steps[k]);
    for (int k = 0; k < count; ++k) {
      const Rect& probeRect = run[static_cast<std::size_t>(k)];
      if (nearWalls && map->IsBlocked(probeRect.left, probeRect.top, probeRect.right, probeRect.bottom)) {
        return false;
      }
      const InTheWay* first = nullptr;
      for (const InTheWay& near : nearRun) {
        if ((first == nullptr || near.slot < first->slot) && BoxMeets(*near.unit, probeRect)) first = &near;
      }
      if (first != nullptr) return first->unit->isPlayer;
    }
  }
  return false;
}

}  // namespace units
