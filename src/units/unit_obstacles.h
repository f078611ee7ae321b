// The other units' collision boxes as one detour search sees them: collected once per search
// into buckets by their centre's x, so that each of the search's many candidate tests looks only
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
  std::size_t BucketOf(int64_t cx) const;

  std::vector<Box> boxes_;                // bucket by bucket
  std::vector<std::size_t> bucketStart_;  // per bucket, into boxes_; one more at the end
  int64_t minX_ = 0;
  int shift_ = 0;  // a bucket spans 2^shift_ pixels of x
  int64_t widestHalf_ = 0;
};

}  // namespace units
