// Composed pictures of fixed-size blocks of map cells ("chunks"): each cell's ground with its
// keyed overlay, put together once and copied to the frame row by row until a cell of the block
// changes. Only chunks near the view are kept; the least recently drawn one gives way when the
// bound is reached.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/bitmap_surface.h"

namespace map {

class ChunkCache {
 public:
  // The chunk side aimed at, in pixels: a chunk covers whole cells, as many as fit in it (at
  // least one).
  static constexpr int kChunkPixels = 256;

  // A map of rows x cols cells of tileWidth x tileHeight pixels, seen through a view of
  // viewWidth x viewHeight pixels.
  ChunkCache(int rows, int cols, int tileWidth, int tileHeight, int viewWidth, int viewHeight);

  int ChunkCellsX() const { return chunkCellsX_; }
  int ChunkCellsY() const { return chunkCellsY_; }
  int ChunkRows() const { return chunkRows_; }
  int ChunkCols() const { return chunkCols_; }
  // The cells the chunks cover: whole chunks, so at least the map's and maybe a few beyond it.
  int CoveredRows() const { return chunkRows_ * chunkCellsY_; }
  int CoveredCols() const { return chunkCols_ * chunkCellsX_; }
  // How many chunks are kept at most, and the pixels each holds.
  std::size_t MaxChunks() const { return slots_.size(); }

  // The chunk holding the cell is composed again before it is next drawn (any thread).
  void Invalidate(int row, int col);
  void InvalidateAll();

  // Chunks composed in one frame at most: a view that jumps is composed over a few frames.
  static constexpr int kMaxComposedPerFrame = 8;

  // Starts a frame: chunks drawn in it are not evicted during it.
  void BeginFrame() {
    ++frame_;
    composedInFrame_ = 0;
  }
  // The composed chunk (chunk row, chunk column), composing it first when it is not kept or a
  // cell of it changed. `compose` draws the cells from (first row, first column) into a surface
  // of the chunk's size. Null when the caller is to draw the chunk's cells itself this time: a
  // chunk not kept is composed only when it is asked for again in a later frame (so the first
  // frame of a game, or of a view that jumped, costs no more than drawing its cells), and no
  // more than kMaxComposedPerFrame are composed in a frame. One thread at a time.
  using Composer = std::function<void(CBitmapSurface& chunk, int firstRow, int firstCol)>;
  const CBitmapSurface* Get(int chunkRow, int chunkCol, const Composer& compose);
  // Counts the chunks composed: while it stands still, every picture Get hands out is the one
  // it handed out before.
  uint64_t Compositions() const { return compositions_; }

 private:
  struct Slot {
    CBitmapSurface surface;
    int chunk = -1;  // chunk index, -1: free
    uint64_t lastUsed = 0;
  };
  int FreeSlot();

  int chunkCellsX_ = 1, chunkCellsY_ = 1;
  int chunkRows_ = 0, chunkCols_ = 0;
  int chunkWidth_ = 0, chunkHeight_ = 0;
  std::unique_ptr<std::atomic<bool>[]> stale_;  // per chunk: a cell changed since it was composed
  std::vector<int> slotOf_;                     // per chunk: its slot, -1 when not kept
  std::vector<bool> seen_;                      // per chunk not kept: asked for since it last was
  std::vector<Slot> slots_;
  uint64_t frame_ = 0;
  int composedInFrame_ = 0;
  uint64_t compositions_ = 0;
};

}  // namespace map
