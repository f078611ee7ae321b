// The broad phase of the contact pass: the units of the table in a grid of square cells, built
// once per engine step, so that a moving unit looks only at the units near its box instead of
// the whole table. It answers with table slots in ascending order, so the contacts are met in
// exactly the table order of the all-pairs scan, and the caller tests every candidate with the
// units as they stand now: the grid only has to never leave out a unit that can overlap.
//
// That holds because a unit moves during a step only in its own step (the engine calls Refresh
// right after it) or, as an attached unit (projectile, explosion, sword or respawn effect), by
// another unit's rules: attached units and units whose box spans many cells are kept on a list
// that every query includes; a unit that has moved to other cells in its own step stands still
// for the rest of the step, so it is kept on a second list with its new cells, and a query
// includes it when those cells meet the query's.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "units/game_geometry.h"
#include "units/unit_world.h"

namespace units {

class ContactIndex {
 public:
  // Indexes the units of the table as they stand now.
  void Build(std::span<const std::unique_ptr<CGameUnit>> table);
  // After the unit of that slot has taken its step: a unit now in other cells is looked up by
  // its new cells from then on.
  void Refresh(int slot);
  // The slots above `after` of the units whose box may overlap a box with this centre and
  // these half sizes, ascending. The list lives until the next call.
  const std::vector<int>& Candidates(Point centre, Point halfSize, int after);
  // How many slots were indexed.
  std::size_t Size() const { return m_ranges.size(); }

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

  std::span<const std::unique_ptr<CGameUnit>> m_table;
  int64_t m_originX = 0, m_originY = 0;
  int m_columns = 0, m_rows = 0;
  int m_cellShift = 6;  // cells of 64 pixels, wider for a spread-out table
  std::vector<CellRange> m_ranges;     // per slot, as indexed, or as moved to
  std::vector<int> m_cellStart;        // per cell, into m_cellSlots; one more at the end
  std::vector<int> m_cellSlots;        // slots, ascending within each cell
  std::vector<int> m_always;           // slots every query includes
  std::vector<int> m_moved;            // slots that moved to other cells, by their new cells
  std::vector<bool> m_offGrid;         // per slot: on one of the two lists, not in the grid
  std::vector<int> m_found;            // the answer of the last query
};

}  // namespace units
