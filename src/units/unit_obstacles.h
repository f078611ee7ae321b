// The other units' collision boxes as one detour search sees them: collected once per search
// and sorted by their centre's x, so that each of the search's many candidate tests looks only
// at the boxes within reach instead of the whole unit table. The answer is the same as testing
// every box in table order, since only whether any box overlaps counts.
#pragma once

#include <cstdint>
#include <vector>

#include "units/unit_world.h"

namespace units {

class ObstacleIndex {
 public:
  // Every set unit of the table except `self`.
  ObstacleIndex(const UnitWorld& world, const CGameUnit* self);
  // True when a box with this centre and these half sizes overlaps one of the boxes (touching
  // edges do not count).
  bool Overlaps(Point centre, Point halfSize) const;

 private:
  struct Box {
    int64_t cx, cy, hx, hy;
  };
  std::vector<Box> m_boxes;  // by ascending cx
  int64_t m_widestHalf = 0;
};

}  // namespace units
