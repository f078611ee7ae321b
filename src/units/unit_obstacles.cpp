#include "units/unit_obstacles.h"

#include <algorithm>
#include <cstdlib>

#include "units/game_unit.h"

namespace units {

ObstacleIndex::ObstacleIndex(const UnitWorld& world, const CGameUnit* self) {
  m_boxes.reserve(world.table.size());
  for (const std::unique_ptr<CGameUnit>& other : world.table) {
    if (!other || other.get() == self) continue;
    const Point centre = other->BoxCentre(), half = other->BoxHalfSize();
    m_boxes.push_back({centre.x, centre.y, half.x, half.y});
    m_widestHalf = std::max<int64_t>(m_widestHalf, half.x);
  }
  std::sort(m_boxes.begin(), m_boxes.end(), [](const Box& a, const Box& b) { return a.cx < b.cx; });
}

bool ObstacleIndex::Overlaps(Point centre, Point halfSize) const {
  // Only boxes whose centre lies closer in x than the two widest halves can overlap.
  const int64_t reach = int64_t{halfSize.x} + m_widestHalf;
  const int64_t low = centre.x - reach, high = centre.x + reach;
  auto it = std::upper_bound(m_boxes.begin(), m_boxes.end(), low, [](int64_t value, const Box& box) { return value < box.cx; });
  for (; it != m_boxes.end() && it->cx < high; ++it) {
    if (std::llabs(it->cx - centre.x) < halfSize.x + it->hx && std::llabs(it->cy - centre.y) < halfSize.y + it->hy) {
      return true;
    }
  }
  return false;
}

}  // namespace units
