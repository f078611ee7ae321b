#include "units/unit_obstacles.h"

#include <algorithm>
#include <cstdlib>

#include "units/game_unit.h"

namespace units {
namespace {

constexpr int kFirstShift = 5;               // buckets of 32 pixels, about a unit's width
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
    m_minX = boxes.size() == 1 ? centre.x : std::min<int64_t>(m_minX, centre.x);
    maxX = boxes.size() == 1 ? centre.x : std::max<int64_t>(maxX, centre.x);
    m_widestHalf = std::max<int64_t>(m_widestHalf, half.x);
  }
  m_shift = kFirstShift;
  while (static_cast<uint64_t>(maxX - m_minX) >> m_shift >= kMaxBuckets) ++m_shift;
  // A counting sort by bucket: linear in the table, where a full sort by x was not.
  m_bucketStart.assign((boxes.empty() ? 0 : BucketOf(maxX) + 1) + 1, 0);
  for (const Box& box : boxes) ++m_bucketStart[BucketOf(box.cx) + 1];
  for (std::size_t b = 1; b < m_bucketStart.size(); ++b) m_bucketStart[b] += m_bucketStart[b - 1];
  m_boxes.resize(boxes.size());
  std::vector<std::size_t> fill(m_bucketStart.begin(), m_bucketStart.end() - 1);
  for (const Box& box : boxes) m_boxes[fill[BucketOf(box.cx)]++] = box;
}

std::size_t ObstacleIndex::BucketOf(int64_t cx) const { return static_cast<std::size_t>(static_cast<uint64_t>(cx - m_minX) >> m_shift); }

bool ObstacleIndex::Overlaps(Point centre, Point halfSize) const {
  if (m_boxes.empty()) return false;
  // Only boxes whose centre lies closer in x than the two widest halves can overlap.
  const int64_t reach = int64_t{halfSize.x} + m_widestHalf;
  const int64_t low = std::max<int64_t>(int64_t{centre.x} - reach, m_minX), high = int64_t{centre.x} + reach;
  if (high < m_minX) return false;
  const std::size_t buckets = m_bucketStart.size() - 1;
  const std::size_t first = BucketOf(low), last = std::min(BucketOf(high), buckets - 1);
  if (first >= buckets) return false;
  for (std::size_t k = m_bucketStart[first]; k < m_bucketStart[last + 1]; ++k) {
    const Box& box = m_boxes[k];
    if (std::llabs(box.cx - centre.x) < halfSize.x + box.hx && std::llabs(box.cy - centre.y) < halfSize.y + box.hy) {
      return true;
    }
  }
  return false;
}

}  // namespace units
