#include "units/unit_obstacles.h"

#include <algorithm>
#include <cstdlib>

#include "units/game_unit.h"

namespace units {
namespace {

constexpr int kFirstShift = 5;                // buckets of 32 pixels, about a unit's width
constexpr std::size_t kMaxBuckets = 1 << 14;  // wider buckets for a very spread-out table

}  // namespace

ObstacleIndex::ObstacleIndex(const UnitWorld& world, const CGameUnit* self) {
  std::vector<Box> boxes;
  boxes.reserve(world.table.size());
  int64_t maxX = 0;
  for (const std::unique_ptr<CGameUnit>& other : world.table) {
    if (!other || other.get() == self) continue;
    const Point centre = other->BoxCentre(), half = other->BoxHalfSize();
    boxes.push_back({centre.x, centre.y, half.x, half.y});
    minX_ = boxes.size() == 1 ? centre.x : std::min<int64_t>(minX_, centre.x);
    maxX = boxes.size() == 1 ? centre.x : std::max<int64_t>(maxX, centre.x);
    widestHalf_ = std::max<int64_t>(widestHalf_, half.x);
  }
  shift_ = kFirstShift;
  while (static_cast<uint64_t>(maxX - minX_) >> shift_ >= kMaxBuckets) ++shift_;
  // A counting sort by bucket: linear in the table, where a full sort by x was not.
  bucketStart_.assign((boxes.empty() ? 0 : BucketOf(maxX) + 1) + 1, 0);
  for (const Box& box : boxes) ++bucketStart_[BucketOf(box.cx) + 1];
  for (std::size_t b = 1; b < bucketStart_.size(); ++b) bucketStart_[b] += bucketStart_[b - 1];
  boxes_.resize(boxes.size());
  std::vector<std::size_t> fill(bucketStart_.begin(), bucketStart_.end() - 1);
  for (const Box& box : boxes) boxes_[fill[BucketOf(box.cx)]++] = box;
}

std::size_t ObstacleIndex::BucketOf(int64_t cx) const {
  return static_cast<std::size_t>(static_cast<uint64_t>(cx - minX_) >> shift_);
}

bool ObstacleIndex::Overlaps(Point centre, Point halfSize) const {
  if (boxes_.empty()) return false;
  // Only boxes whose centre lies closer in x than the two widest halves can overlap.
  const int64_t reach = int64_t{halfSize.x} + widestHalf_;
  const int64_t low = std::max<int64_t>(int64_t{centre.x} - reach, minX_), high = int64_t{centre.x} + reach;
  if (high < minX_) return false;
  const std::size_t buckets = bucketStart_.size() - 1;
  const std::size_t first = BucketOf(low), last = std::min(BucketOf(high), buckets - 1);
  if (first >= buckets) return false;
  for (std::size_t k = bucketStart_[first]; k < bucketStart_[last + 1]; ++k) {
    const Box& box = boxes_[k];
    if (std::llabs(box.cx - centre.x) < halfSize.x + box.hx && std::llabs(box.cy - centre.y) < halfSize.y + box.hy) {
      return true;
    }
  }
  return false;
}

}  // namespace units
