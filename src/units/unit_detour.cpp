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

bool MapBlocks(const CGameUnit& unit, const CGameMap* map) {
  if (map == nullptr) return false;
  const units::Rect& box = unit.CollisionBox();
  return map->IsBlocked(unit.x + box.left, unit.y + box.top, unit.x + box.right, unit.y + box.bottom);
}

}  // namespace

bool CGameUnit::IsBlockedIn(const units::UnitWorld& world, bool ignorePlayers) {
  if (MapBlocks(*this, world.map)) return true;
  auto blocks = [&](const CGameUnit* other) {
    return other != nullptr && other != this && !(ignorePlayers && other->isPlayer) && BoxesOverlap(*this, *other);
  };
  // Within a step only the units near the box can overlap it; the index files every other unit
  // where it stands (this one may have moved, but it is never its own obstacle).
  if (const units::ContactIndex* index = units::IndexFor(world)) {
    return index->AnyNear(BoxCentre(), BoxHalfSize(),
                          [&](int slot) { return blocks(world.table[static_cast<std::size_t>(slot)].get()); });
  }
  for (const std::unique_ptr<CGameUnit>& other : world.table) {
    if (blocks(other.get())) return true;
  }
  return false;
}

void CGameUnit::FindDetour(const units::UnitWorld& world) {
  if (!CanMove()) return;
  const units::Point saved = Position();
  const units::Point start = Centre(), dest = Destination();
  const int halfWidth = FrameWidth() / 2, halfHeight = FrameHeight() / 2;
  // Each candidate is tried with the unit standing on it (the blocked test with players
  // counted); the unit is always put back. Within a step that is the blocked test itself, which
  // asks the contact index; otherwise the other units are sorted out once for the whole search.
  std::optional<units::ObstacleIndex> others;
  if (units::IndexFor(world) == nullptr) others.emplace(world, this);
  auto isFree = [&](map::DetourPoint point) {
    x = point.x - halfWidth;
    y = point.y - halfHeight;
    const bool free = others ? !MapBlocks(*this, world.map) && !others->Overlaps(BoxCentre(), BoxHalfSize())
                             : !IsBlockedIn(world, false);
    SetPosition(saved);
    return free;
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
  if (!MapBlocks(*this, world.map)) return;
  StepBack();
  if (collisionMode == 0) {
    FindDetour(world);
    return;
  }
  Stop();
  if (isProjectile) SetVisible(false, world.now);
}
