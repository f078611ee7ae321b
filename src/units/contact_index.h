// The broad phase of the contact pass: the units of the table in a grid of square cells, built
// once per engine step, so that a moving unit looks only at the units near its box instead of
// the whole table. It answers with table slots in ascending order, so the contacts are met in
// exactly the table order of the all-pairs scan, and the caller tests every candidate with the
// units as they stand now: the grid only has to never leave out a unit that can overlap.
//
// That holds because a unit moves during a step only in its own step (the engine calls Refresh
// right after it) or, as an attached unit (projectile, explosion, sword or respawn effect), by
// another unit's rules, which tell the index at once (NoteMoved). A unit that has moved to other
// cells is filed again under its new ones, and its old entries are passed over; units whose box
// spans many cells are on a list every query includes. The players' frames, which the bots'
// decisions look for, are kept alongside in a grid of their own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "units/game_geometry.h"
#include "units/player_frames.h"
#include "units/unit_world.h"

namespace units {

// The index files a box by its centre and half size, which can fall a pixel inside the box's
// edges: a question by a rectangle asked this much wider leaves no box out.
inline constexpr Point kBoxFilingMargin{2, 2};

class ContactIndex {
 public:
  // Indexes the units of the table as they stand now.
  void Build(std::span<const std::unique_ptr<CGameUnit>> table);
  // After the unit of that slot has moved: a unit now in other cells is looked up by its new
  // cells from then on. A unit may move any number of times in a step.
  void Refresh(int slot);
  // After an attached unit has been placed by another unit's rules; any unit of the table may
  // be named so, and one that is not in it is passed over.
  void Refresh(const CGameUnit& attached);
  // The slots above `after` of the units whose box may overlap a box with this centre and
  // these half sizes, ascending. The list lives until the next call.
  const std::vector<int>& Candidates(Point centre, Point halfSize, int after);
  // The same for the units whose box may meet the rectangle (edges included).
  const std::vector<int>& Candidates(const Rect& area, int after) {
    return CandidatesIn(CellsOf(area, kBoxFilingMargin), after);
  }
  // The players of `players` whose frame rectangle meets the area (edges included), with their
  // frames, by their index there, ascending; the list lives until the next call. The unit
  // asking, which may have moved in its own step, is filed again first. Null when some player
  // is not one of the indexed table's units: the caller then looks at every player.
  const NearPlayers* PlayersNear(std::span<CGameUnit* const> players, const CGameUnit& asking, const Rect& area);
  // Whether `visit` answers true for one of the slots whose box may overlap a box with this
  // centre and these half sizes; the slots come in no order, some maybe twice. For questions
  // the order cannot change, such as whether anything at all stands in the way, or which slot
  // of those that answer is the lowest.
  template <class Visit>
  bool AnyNear(Point centre, Point halfSize, Visit visit) const {
    return AnyIn(CellsOf(centre, halfSize), visit);
  }
  // The same for the units whose box may come within `margin` pixels of the rectangle (edges
  // included), asked by its edges.
  template <class Visit>
  bool AnyNear(const Rect& area, Point margin, Visit visit) const {
    return AnyIn(CellsOf(area, margin), visit);
  }
  // How many slots were indexed, and the first of them that held no unit (Size() when all did).
  std::size_t Size() const { return ranges_.size(); }
  std::size_t FirstEmptySlot() const { return firstEmpty_; }
  // Counts the times a unit has been filed under other cells: an answer taken before the count
  // moved may lack a unit placed near the query since.
  uint64_t Changes() const { return changes_; }
  // Whether the unit of an indexed slot is a bot. Read here rather than from the unit, whose
  // flag lies far into it: a line of sight passes over every bot near it on this alone. The flag
  // comes from the unit's definition, and no step changes it.
  bool IsBot(int slot) const { return bots_[static_cast<std::size_t>(slot)] != 0; }

 private:
  struct CellRange {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    bool operator==(const CellRange&) const = default;
  };
  // The cells the box covers, clamped to the grid.
  CellRange CellsOf(Point centre, Point halfSize) const {
    if (columns_ == 0) return {};
    // A box of negative size overlaps only what covers its centre, so its centre cell will do.
    const int64_t hx = std::max(0, halfSize.x), hy = std::max(0, halfSize.y);
    return {CellOf(centre.x - hx, originX_, columns_), CellOf(centre.y - hy, originY_, rows_),
            CellOf(centre.x + hx, originX_, columns_), CellOf(centre.y + hy, originY_, rows_)};
  }
  CellRange CellsOf(const Rect& area, Point margin) const {
    if (columns_ == 0) return {};
    return {CellOf(int64_t{area.left} - margin.x, originX_, columns_),
            CellOf(int64_t{area.top} - margin.y, originY_, rows_),
            CellOf(int64_t{area.right} + margin.x, originX_, columns_),
            CellOf(int64_t{area.bottom} + margin.y, originY_, rows_)};
  }
  int CellOf(int64_t value, int64_t origin, int count) const {
    return static_cast<int>(std::clamp<int64_t>((value - origin) >> cellShift_, 0, count - 1));
  }
  CellRange CellsOf(const CGameUnit& unit) const;
  const std::vector<int>& CandidatesIn(const CellRange& range, int after);
  bool Spans(const CellRange& range) const;
  void NoteSlotsByAddress(std::span<const std::unique_ptr<CGameUnit>> table);
  static bool Meet(const CellRange& a, const CellRange& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
  }
  // Calls `visit` for the slots filed in the cells of the range, in no order and maybe twice,
  // until it answers true.
  template <class Visit>
  bool VisitCells(const CellRange& range, Visit visit) const;
  // VisitCells, then the list every query includes.
  template <class Visit>
  bool AnyIn(const CellRange& range, Visit visit) const;

  // Where a slot's unit is filed: in the grid's cells, on the list every query includes, or on
  // the list of units that moved to other cells.
  enum class Filing : uint8_t { Grid, Always, Moved };

  std::span<const std::unique_ptr<CGameUnit>> table_;
  std::size_t firstEmpty_ = 0;
  int64_t originX_ = 0, originY_ = 0;
  int columns_ = 0, rows_ = 0;
  int cellShift_ = 6;              // cells of 64 pixels, wider for a spread-out table
  std::vector<CellRange> ranges_;  // per slot, as indexed, or as moved to
  std::vector<int> cellStart_;     // per cell, into cellSlots_; one more at the end
  std::vector<int> cellSlots_;     // slots, ascending within each cell
  std::vector<int> always_;        // slots every query includes
  // The units that moved to other cells, filed under each new cell as a list from its head.
  struct MovedEntry {
    int slot;
    int next;  // the entry before it in the same cell, or -1
  };
  std::vector<int> movedHead_;   // per cell, or -1
  std::vector<int> movedInRow_;  // per row, how many entries its cells' lists hold
  std::vector<MovedEntry> movedEntries_;
  std::vector<Filing> filing_;  // per slot
  std::vector<uint8_t> bots_;   // per slot, 1 for a bot
  uint64_t changes_ = 0;
  std::vector<int> found_;   // the answer of the last query
  NearPlayers nearPlayers_;  // the answer of the last search for players
  std::vector<int> merged_;  // room for merging the always-list into it
  // The table's units as last indexed, and their slots by address: kept from one step to the
  // next while the table holds the same units in the same slots, as it mostly does.
  std::vector<const CGameUnit*> indexedUnits_;
  std::vector<std::pair<const CGameUnit*, int>> slotsByAddress_;
  uint64_t unitsVersion_ = 0;  // moves each time the table's units change slots
  // The players' frames, filed when a bot first asks for them in a step.
  PlayerFrames players_;
};

template <class Visit>
bool ContactIndex::VisitCells(const CellRange& range, Visit visit) const {
  for (int row = range.top; row <= range.bottom; ++row) {
    // The cells of a row lie side by side in the grid's slot list: one run of slots covers the
    // row's part of the range, with no cell-by-cell bookkeeping for the many empty cells.
    const std::size_t first = static_cast<std::size_t>(row * columns_ + range.left);
    const std::size_t last = static_cast<std::size_t>(row * columns_ + range.right);
    for (int k = cellStart_[first]; k < cellStart_[last + 1]; ++k) {
      const int slot = cellSlots_[static_cast<std::size_t>(k)];
      // The grid entry of a unit that has moved since is stale.
      if (filing_[static_cast<std::size_t>(slot)] == Filing::Grid && visit(slot)) return true;
    }
    if (movedInRow_[static_cast<std::size_t>(row)] == 0) continue;
    for (std::size_t cell = first; cell <= last; ++cell) {
      for (int e = movedHead_[cell]; e >= 0; e = movedEntries_[static_cast<std::size_t>(e)].next) {
        const int slot = movedEntries_[static_cast<std::size_t>(e)].slot;
        const std::size_t at = static_cast<std::size_t>(slot);
        // An entry left by an earlier move counts only where the unit's cells still meet the range.
        if (filing_[at] == Filing::Moved && Meet(ranges_[at], range) && visit(slot)) return true;
      }
    }
  }
  return false;
}

template <class Visit>
bool ContactIndex::AnyIn(const CellRange& range, Visit visit) const {
  if (VisitCells(range, visit)) return true;
  for (int slot : always_) {
    if (visit(slot)) return true;
  }
  return false;
}

// The world's index when it covers the whole unit table (during an engine step); null otherwise,
// and the caller looks at every unit.
ContactIndex* IndexFor(const UnitWorld& world);

// Tells the world's index, if any, that another unit's rules have just placed this attached unit.
void NoteMoved(const UnitWorld& world, const CGameUnit& attached);

}  // namespace units
