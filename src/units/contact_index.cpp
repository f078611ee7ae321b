#include "units/contact_index.h"

#include <algorithm>

#include "units/game_unit.h"

namespace units {
namespace {

constexpr int kMaxCellsPerSide = 128;
constexpr int kMaxCellsPerUnit = 16;  // larger boxes are checked by every query instead

// The units other rules place during a step: their positions may change in any unit's step.
std::vector<const CGameUnit*> AttachedUnits(std::span<const std::unique_ptr<CGameUnit>> table) {
  std::vector<const CGameUnit*> attached;
  for (const std::unique_ptr<CGameUnit>& unit : table) {
    if (!unit) continue;
    for (const CGameUnit* part : {unit->projectile, unit->explosionEffect, unit->swordEffect, unit->respawnEffect}) {
      if (part != nullptr) attached.push_back(part);
    }
  }
  std::sort(attached.begin(), attached.end());
  return attached;
}

}  // namespace

void ContactIndex::Build(std::span<const std::unique_ptr<CGameUnit>> table) {
  m_table = table;
  const std::size_t n = table.size();
  m_ranges.assign(n, CellRange{});
  m_offGrid.assign(n, false);
  m_always.clear();
  m_moved.clear();
  // The grid spans the box centres; boxes reaching past it fall into its edge cells.
  int64_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool first = true;
  for (const std::unique_ptr<CGameUnit>& unit : table) {
    if (!unit) continue;
    const Point centre = unit->BoxCentre();
    minX = first ? centre.x : std::min<int64_t>(minX, centre.x);
    minY = first ? centre.y : std::min<int64_t>(minY, centre.y);
    maxX = first ? centre.x : std::max<int64_t>(maxX, centre.x);
    maxY = first ? centre.y : std::max<int64_t>(maxY, centre.y);
    first = false;
  }
  m_originX = minX;
  m_originY = minY;
  m_cellShift = 6;
  while (((maxX - minX) >> m_cellShift) >= kMaxCellsPerSide || ((maxY - minY) >> m_cellShift) >= kMaxCellsPerSide) {
    ++m_cellShift;
  }
  m_columns = static_cast<int>((maxX - minX) >> m_cellShift) + 1;
  m_rows = static_cast<int>((maxY - minY) >> m_cellShift) + 1;
  const std::vector<const CGameUnit*> attached = AttachedUnits(table);
  m_cellStart.assign(static_cast<std::size_t>(m_columns) * m_rows + 1, 0);
  for (std::size_t slot = 0; slot < n; ++slot) {
    const CGameUnit* unit = table[slot].get();
    if (unit == nullptr) continue;
    const CellRange range = CellsOf(*unit);
    if (Spans(range) || std::binary_search(attached.begin(), attached.end(), unit)) {
      m_offGrid[slot] = true;
      m_always.push_back(static_cast<int>(slot));
      continue;
    }
    m_ranges[slot] = range;
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int col = range.left; col <= range.right; ++col) ++m_cellStart[static_cast<std::size_t>(row * m_columns + col) + 1];
    }
  }
  for (std::size_t cell = 1; cell < m_cellStart.size(); ++cell) m_cellStart[cell] += m_cellStart[cell - 1];
  m_cellSlots.assign(static_cast<std::size_t>(m_cellStart.back()), 0);
  std::vector<int> fill(m_cellStart.begin(), m_cellStart.end() - 1);
  for (std::size_t slot = 0; slot < n; ++slot) {
    if (table[slot] == nullptr || m_offGrid[slot]) continue;
    const CellRange& range = m_ranges[slot];
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int col = range.left; col <= range.right; ++col) {
        m_cellSlots[static_cast<std::size_t>(fill[static_cast<std::size_t>(row * m_columns + col)]++)] = static_cast<int>(slot);
      }
    }
  }
}

void ContactIndex::Refresh(int slot) {
  if (slot < 0 || static_cast<std::size_t>(slot) >= m_ranges.size() || m_offGrid[static_cast<std::size_t>(slot)]) return;
  const CGameUnit* unit = m_table[static_cast<std::size_t>(slot)].get();
  if (unit == nullptr) return;
  const CellRange now = CellsOf(*unit);
  if (now == m_ranges[static_cast<std::size_t>(slot)]) return;
  m_offGrid[static_cast<std::size_t>(slot)] = true;
  m_ranges[static_cast<std::size_t>(slot)] = now;
  m_moved.push_back(slot);
}

const std::vector<int>& ContactIndex::Candidates(Point centre, Point halfSize, int after) {
  m_found.clear();
  const CellRange range = CellsOf(centre, halfSize);
  for (int row = range.top; row <= range.bottom; ++row) {
    for (int col = range.left; col <= range.right; ++col) {
      const std::size_t cell = static_cast<std::size_t>(row * m_columns + col);
      for (int k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
        const int slot = m_cellSlots[static_cast<std::size_t>(k)];
        // A stale grid entry of a unit that has moved is answered by the moved list.
        if (slot > after && !m_offGrid[static_cast<std::size_t>(slot)]) m_found.push_back(slot);
      }
    }
  }
  for (int slot : m_always) {
    if (slot > after) m_found.push_back(slot);
  }
  for (int slot : m_moved) {
    if (slot > after && Meet(m_ranges[static_cast<std::size_t>(slot)], range)) m_found.push_back(slot);
  }
  std::sort(m_found.begin(), m_found.end());
  m_found.erase(std::unique(m_found.begin(), m_found.end()), m_found.end());
  return m_found;
}

ContactIndex::CellRange ContactIndex::CellsOf(Point centre, Point halfSize) const {
  if (m_columns == 0) return {};
  // A box of negative size overlaps only what covers its centre, so its centre cell will do.
  halfSize = {std::max(0, halfSize.x), std::max(0, halfSize.y)};
  auto cell = [this](int64_t value, int64_t origin, int count) {
    return static_cast<int>(std::clamp<int64_t>((value - origin) >> m_cellShift, 0, count - 1));
  };
  return {cell(int64_t{centre.x} - halfSize.x, m_originX, m_columns), cell(int64_t{centre.y} - halfSize.y, m_originY, m_rows),
          cell(int64_t{centre.x} + halfSize.x, m_originX, m_columns), cell(int64_t{centre.y} + halfSize.y, m_originY, m_rows)};
}

ContactIndex::CellRange ContactIndex::CellsOf(const CGameUnit& unit) const {
  return CellsOf(unit.BoxCentre(), unit.BoxHalfSize());
}

bool ContactIndex::Meet(const CellRange& a, const CellRange& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool ContactIndex::Spans(const CellRange& range) const {
  return (range.right - range.left + 1) * (range.bottom - range.top + 1) > kMaxCellsPerUnit;
}

}  // namespace units
