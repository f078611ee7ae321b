// The response to blocked map cells and the unit side of the detour search: the blocked test
// over the map and the other units, and the candidate test that tries the unit on each point.
#include <cstdlib>
#include <optional>

#include "map/game_map.h"
#include "map/path_finder.h"
#include "units/contact_index.h"
#include "units/game_unit.h"
#include "units/unit_obstacles.h"

namespace {

// Whether the unit's collision box, with its position at `at`, touches a blocked map cell.
bool MapBlocksAt(const CGameUnit& unit, const CGameMap* map, units::Point at) {
  if (map == nullptr) return false;
  const units::Rect& box = unit.CollisionBox();
  return map->IsBlocked(at.x + box.left, at.y + box.top, at.x + box.right, at.y + box.bottom);
}

// The blocked test with the unit's position at `at`, asking the step's index when there is one.
bool BlockedAt(const CGameUnit& unit, units::Point at, const units::UnitWorld& world, const units::ContactIndex* index,
               bool ignorePlayers) {
  if (MapBlocksAt(unit, world.map, at)) return true;
  const units::Point centre = unit.BoxCentreAt(at), half = unit.BoxHalfSize();
  auto blocks = [&](const CGameUnit* other) {
    return other != nullptr && other != &unit && !(ignorePlayers && other->isPlayer) &&
           CGameUnit::BoxesOverlap(centre, half, *other);
  };
  // Within a step only the units near the box can overlap it; the index files every other unit
  // where it stands (this one may have moved, but it is never its own obstacle).
  if (index != nullptr) {
    return index->AnyNear(centre, half,
                          [&](int slot) { return blocks(world.table[static_cast<std::size_t>(slot)].get()); });
  }
  for (const std::unique_ptr<CGameUnit>& other : world.table) {
    if (blocks(other.get())) return true;
  }
  return false;
}

}  // namespace

bool CGameUnit::IsBlockedIn(const units::UnitWorld& world, bool ignorePlayers) const {
  return BlockedAt(*this, {x, y}, world, units::IndexFor(world), ignorePlayers);
}

bool CGameUnit::IsBlockedAt(units::Point position, const units::UnitWorld& world, bool ignorePlayers) const {
  return BlockedAt(*this, units::ClampPoint(position), world, units::IndexFor(world), ignorePlayers);
}

void CGameUnit::FindDetour(const units::UnitWorld& world) {
  if (!CanMove()) return;
  const units::Point start = Centre(), dest = Destination();
  const int halfWidth = FrameWidth() / 2, halfHeight = FrameHeight() / 2;
  // Each candidate is tried as if the unit stood on it (the blocked test with players counted).
  // Within a step that asks the contact index; otherwise the other units are sorted out once
  // for the whole search.
  const units::ContactIndex* index = units::IndexFor(world);
  std::optional<units::ObstacleIndex> others;
  if (index == nullptr) others.emplace(world, this);
  // Like any placement of the unit, trying candidates keeps it within the world's bounds: a unit
  // pushed past them is brought back by the first candidate tried.
  bool keptInBounds = false;
  auto isFree = [&](map::DetourPoint point) {
    if (!keptInBounds) {
      SetPosition(Position());
      keptInBounds = true;
    }
    const units::Point at{point.x - halfWidth, point.y - halfHeight};
    if (others) return !MapBlocksAt(*this, world.map, at) && !others->Overlaps(BoxCentreAt(at), BoxHalfSize());
    return !BlockedAt(*this, at, world, index, false);
  };
  const map::DetourRequest request{{start.x, start.y},
                                   {dest.x, dest.y},
                                   collisionBox_.right - collisionBox_.left,
                                   collisionBox_.bottom - collisionBox_.top};
  const auto path = map::FindDetour(request, isFree, world.map != nullptr ? &world.map->DetourTables() : nullptr);
  if (!path) {
    blocked = true;
    return;
  }
  std::vector<units::Point> points;
  points.reserve(path->size());
  for (const map::DetourPoint& point : *path) points.push_back({point.x, point.y});
  SetPath(points);
}

void CGameUnit::RespondToMap(const units::UnitWorld& world) {
  if (!visible_ || !moving || kindCode_ != kUnitKindMobile || !HasValidSprite()) return;
  if (!MapBlocksAt(*this, world.map, Position())) return;
  StepBack();
  if (collisionMode == 0) {
    FindDetour(world);
    return;
  }
  Stop();
  if (isProjectile) SetVisible(false, world.now);
}
