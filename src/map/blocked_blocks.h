// How many blocked cells each block of 4 x 4 cells holds, kept up to date as cells change, so that
// a question about a whole area (a line of sight's run of probes) can be answered by a block or
// two: most of a map is open ground, where no probe of the area needs its own test.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace map {

class BlockedBlocks {
 public:
  // A grid of rows x cols cells, none of them blocked.
  void Reset(int rows, int cols);
  // After a cell's walkable value changed from `was` to `now` (0 is blocked).
  void NoteChange(int row, int col, int32_t was, int32_t now) {
    const int delta = (now == 0 ? 1 : 0) - (was == 0 ? 1 : 0);
    if (delta != 0) counts_[Index(row >> kShift, col >> kShift)].fetch_add(delta, std::memory_order_relaxed);
  }
  // False only when no cell of the rows top..bottom and columns left..right (inclusive, inside the
  // grid) is blocked.
  bool MayBeBlocked(int top, int left, int bottom, int right) const;

 private:
  static constexpr int kShift = 2;  // blocks of 4 x 4 cells
  std::size_t Index(int blockRow, int blockCol) const {
    return static_cast<std::size_t>(blockRow) * static_cast<std::size_t>(blockCols_) +
           static_cast<std::size_t>(blockCol);
  }

  int blockCols_ = 0;
  // Changed from scripts' threads while the game loop reads them, like the cells themselves.
  std::unique_ptr<std::atomic<int32_t>[]> counts_;
};

}  // namespace map
