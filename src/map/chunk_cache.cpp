#include "map/chunk_cache.h"

#include <algorithm>

namespace map {
namespace {

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

ChunkCache::ChunkCache(int rows, int cols, int tileWidth, int tileHeight, int viewWidth, int viewHeight) {
  chunkCellsX_ = std::max(1, kChunkPixels / std::max(1, tileWidth));
  chunkCellsY_ = std::max(1, kChunkPixels / std::max(1, tileHeight));
  chunkCols_ = CeilDiv(std::max(cols, 1), chunkCellsX_);
  chunkRows_ = CeilDiv(std::max(rows, 1), chunkCellsY_);
  chunkWidth_ = chunkCellsX_ * tileWidth;
  chunkHeight_ = chunkCellsY_ * tileHeight;
  const std::size_t chunks = static_cast<std::size_t>(chunkRows_) * chunkCols_;
  stale_ = std::make_unique<std::atomic<bool>[]>(chunks);
  slotOf_.assign(chunks, -1);
  seen_.assign(chunks, false);
  // A view sees at most this many chunks at once, one more each way when it does not start on a
  // chunk's edge; half as many again are kept for a view that scrolls back and forth.
  const int seen = (CeilDiv(viewWidth, chunkWidth_) + 1) * (CeilDiv(viewHeight, chunkHeight_) + 1);
  slots_ = std::vector<Slot>(std::min<std::size_t>(chunks, static_cast<std::size_t>(seen) * 3 / 2));
}

void ChunkCache::Invalidate(int row, int col) {
  const int chunk = (row / chunkCellsY_) * chunkCols_ + col / chunkCellsX_;
  if (row >= 0 && col >= 0 && chunk < chunkRows_ * chunkCols_) stale_[chunk].store(true, std::memory_order_release);
}

void ChunkCache::InvalidateAll() {
  for (int chunk = 0; chunk < chunkRows_ * chunkCols_; ++chunk) stale_[chunk].store(true, std::memory_order_release);
}

int ChunkCache::FreeSlot() {
  int best = 0;
  for (int i = 0; i < static_cast<int>(slots_.size()); ++i) {
    const Slot& slot = slots_[static_cast<std::size_t>(i)];
    if (slot.chunk < 0) return i;
    if (slot.lastUsed < slots_[static_cast<std::size_t>(best)].lastUsed) best = i;
  }
  Slot& evicted = slots_[static_cast<std::size_t>(best)];
  slotOf_[static_cast<std::size_t>(evicted.chunk)] = -1;
  seen_[static_cast<std::size_t>(evicted.chunk)] = false;
  evicted.chunk = -1;
  return best;
}

const CBitmapSurface* ChunkCache::Get(int chunkRow, int chunkCol, const Composer& compose) {
  const std::size_t chunk = static_cast<std::size_t>(chunkRow) * chunkCols_ + chunkCol;
  int slot = slotOf_[chunk];
  if (slot < 0 || stale_[chunk].load(std::memory_order_acquire)) {
    if (slot < 0 && !seen_[chunk]) {
      seen_[chunk] = true;
      return nullptr;
    }
    if (composedInFrame_ >= kMaxComposedPerFrame) return nullptr;
    ++composedInFrame_;
    ++compositions_;
    // Cleared before composing: a cell changed while the chunk is composed marks it again.
    stale_[chunk].store(false, std::memory_order_release);
    if (slot < 0) {
      slot = FreeSlot();
      slotOf_[chunk] = slot;
      slots_[static_cast<std::size_t>(slot)].chunk = static_cast<int>(chunk);
    }
    CBitmapSurface& surface = slots_[static_cast<std::size_t>(slot)].surface;
    if (surface.GetWidth() != chunkWidth_ || surface.GetHeight() != chunkHeight_) {
      surface.Create(chunkWidth_, chunkHeight_);
    }
    compose(surface, chunkRow * chunkCellsY_, chunkCol * chunkCellsX_);
  }
  Slot& used = slots_[static_cast<std::size_t>(slot)];
  used.lastUsed = frame_;
  return &used.surface;
}

}  // namespace map
