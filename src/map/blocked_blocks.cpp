#include "map/blocked_blocks.h"

namespace map {

void BlockedBlocks::Reset(int rows, int cols) {
  blockCols_ = (cols + (1 << kShift) - 1) >> kShift;
  const int blockRows = (rows + (1 << kShift) - 1) >> kShift;
  counts_ = std::make_unique<std::atomic<int32_t>[]>(static_cast<std::size_t>(blockRows) * blockCols_);
}

bool BlockedBlocks::MayBeBlocked(int top, int left, int bottom, int right) const {
  for (int blockRow = top >> kShift; blockRow <= bottom >> kShift; ++blockRow) {
    for (int blockCol = left >> kShift; blockCol <= right >> kShift; ++blockCol) {
      if (counts_[Index(blockRow, blockCol)].load(std::memory_order_relaxed) != 0) return true;
    }
  }
  return false;
}

}  // namespace map
