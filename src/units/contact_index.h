// The broad phase of the contact pass: the units of the table in a grid of square cells, built
// once per engine step, so that a moving unit looks only at the units near its box instead of
// the whole table. It answers with table slots in ascending order, so the contacts are met in
// exactly the table order of the all-pairs scan, and the caller tests every candidate with the
// units as they stand now: the grid only has to never leave out a unit that can overlap.
//
// That holds because a unit moves during a step only in its own step (the engine calls Refresh
// right after it) or, as an attached unit (projectile, explosion, sword or respawn effect), by
// another unit's rules, which tell the index at once (NoteMoved). A unit that has moved to other
// cells is kept on a second list with its new cells, and a query includes it when those cells
// meet the query's; units whose box spans many cells are on a list every query includes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "units/game_geometry.h"
#include "units/unit_world.h"

namespace units {

class ContactIndex {
 public:
  // Indexes the units of the table as they stand now.
  void Build(std::span<const std::unique_ptr<CGameUnit>> table);
  // After the unit of that slot has moved: a unit now in other cells is looked up by its new
  // cells from then on. A unit may move any number of times in a step.
  void Refresh(int slot);
  // After an attached unit has been placed by another unit's rules.
  void Refresh(const CGameUnit& attached);
  // The slots above `after` of the units whose box may overlap a box with this centre and
  // these half sizes, ascending. The list lives until the next call.
  const std::vector<int>& Candidates(Point centre, Point halfSize, int after);
  // How many slots were indexed.
  std::size_t Size() const { return ranges_.size(); }
  // Counts the times a unit has been filed under other cells: an answer taken before the count
  // moved may lack a unit placed near the query since.
  uint64_t Changes() const { return changes_; }

 private:
  struct CellRange {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    bool operator==(const CellRange&) const = default;
  };
  // The cells the box covers, clamped to the grid.
  CellRange CellsOf(Point centre, Point halfSize) const;
  CellRange CellsOf(const CGameUnit& unit) const;
  bool Spans(const CellRange& range) const;
  static bool Meet(const CellRange& a, const CellRange& b);

  // Where a slot's unit is filed: in the grid's cells, on the list every query includes, or on
  // the list of units that moved to other cells.
  enum class Filing : uint8_t { Grid, Always, Moved };

  std::span<const std::unique_ptr<CGameUnit>> table_;
  int64_t originX_ = 0, originY_ = 0;
  int columns_ = 0, rows_ = 0;
  int cellShift_ = 6;              // cells of 64 pixels, wider for a spread-out table
  std::vector<CellRange> ranges_;  // per slot, as indexed, or as moved to
  std::vector<int> cellStart_;     // per cell, into cellSlots_; one more at the end
  std::vector<int> cellSlots_;     // slots, ascending within each cell
  std::vector<int> always_;        // slots every query includes
  std::vector<int> moved_;         // slots that moved to other cells, by their new cells
  std::vector<Filing> filing_;     // per slot
  uint64_t changes_ = 0;
  std::vector<int> found_;   // the answer of the last query
  std::vector<int> merged_;  // room for merging the always-list into it
  // The attached units and their slots, by address.
  std::vector<std::pair<const CGameUnit*, int>> attached_;
};

// The world's index when it covers the whole unit table (during an engine step); null otherwise,
// and the caller looks at every unit.
ContactIndex* IndexFor(const UnitWorld& world);

// Tells the world's index, if any, that another unit's rules have just placed this attached unit.
void NoteMoved(const UnitWorld& world, const CGameUnit& attached);

}  // namespace units
