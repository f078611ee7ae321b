#include "units/contact_index.h"

#include <algorithm>
#include <iterator>

#include "units/game_unit.h"

namespace units {
namespace {

constexpr int kMaxCellsPerSide = 128;
constexpr int kMaxCellsPerUnit = 16;  // larger boxes are checked by every query instead

}  // namespace

void ContactIndex::Build(std::span<const std::unique_ptr<CGameUnit>> table) {
  table_ = table;
  const std::size_t n = table.size();
  ranges_.assign(n, CellRange{});
  filing_.assign(n, Filing::Grid);
  bots_.assign(n, 0);
  always_.clear();
  movedEntries_.clear();
  players_.Clear();
  const bool sameUnits = std::equal(
      table.begin(), table.end(), indexedUnits_.begin(), indexedUnits_.end(),
      [](const std::unique_ptr<CGameUnit>& unit, const CGameUnit* indexed) { return unit.get() == indexed; });
  if (!sameUnits) NoteSlotsByAddress(table);
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
  originX_ = minX;
  originY_ = minY;
  cellShift_ = 6;
  while (((maxX - minX) >> cellShift_) >= kMaxCellsPerSide || ((maxY - minY) >> cellShift_) >= kMaxCellsPerSide) {
    ++cellShift_;
  }
  columns_ = static_cast<int>((maxX - minX) >> cellShift_) + 1;
  rows_ = static_cast<int>((maxY - minY) >> cellShift_) + 1;
  cellStart_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
  movedHead_.assign(static_cast<std::size_t>(columns_) * rows_, -1);
  movedInRow_.assign(static_cast<std::size_t>(rows_), 0);
  firstEmpty_ = n;
  for (std::size_t slot = 0; slot < n; ++slot) {
    const CGameUnit* unit = table[slot].get();
    if (unit == nullptr) {
      firstEmpty_ = std::min(firstEmpty_, slot);
      continue;
    }
    bots_[slot] = unit->isBot ? 1 : 0;
    const CellRange range = CellsOf(*unit);
    if (Spans(range)) {
      filing_[slot] = Filing::Always;
      always_.push_back(static_cast<int>(slot));
      continue;
    }
    ranges_[slot] = range;
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int col = range.left; col <= range.right; ++col)
        ++cellStart_[static_cast<std::size_t>(row * columns_ + col) + 1];
    }
  }
  for (std::size_t cell = 1; cell < cellStart_.size(); ++cell) cellStart_[cell] += cellStart_[cell - 1];
  cellSlots_.assign(static_cast<std::size_t>(cellStart_.back()), 0);
  std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
  for (std::size_t slot = 0; slot < n; ++slot) {
    if (table[slot] == nullptr || filing_[slot] != Filing::Grid) continue;
    const CellRange& range = ranges_[slot];
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int col = range.left; col <= range.right; ++col) {
        cellSlots_[static_cast<std::size_t>(fill[static_cast<std::size_t>(row * columns_ + col)]++)] =
            static_cast<int>(slot);
      }
    }
  }
}

// The slots by address, for the rules that place attached units to name them so.
void ContactIndex::NoteSlotsByAddress(std::span<const std::unique_ptr<CGameUnit>> table) {
  ++unitsVersion_;
  indexedUnits_.clear();
  slotsByAddress_.clear();
  for (std::size_t slot = 0; slot < table.size(); ++slot) {
    const CGameUnit* unit = table[slot].get();
    indexedUnits_.push_back(unit);
    if (unit != nullptr) slotsByAddress_.emplace_back(unit, static_cast<int>(slot));
  }
  // A unit held in two slots keeps the first: no engine table does that.
  std::sort(slotsByAddress_.begin(), slotsByAddress_.end());
}

void ContactIndex::Refresh(int slot) {
  if (slot < 0 || static_cast<std::size_t>(slot) >= ranges_.size()) return;
  const std::size_t at = static_cast<std::size_t>(slot);
  const CGameUnit* unit = table_[at].get();
  if (unit == nullptr) return;
  players_.Refresh(at);
  if (filing_[at] == Filing::Always) return;
  const CellRange now = CellsOf(*unit);
  if (now == ranges_[at]) return;
  ranges_[at] = now;
  ++changes_;
  // Its earlier entries go stale.
  if (Spans(now)) {
    filing_[at] = Filing::Always;
    always_.insert(std::lower_bound(always_.begin(), always_.end(), slot), slot);
    return;
  }
  filing_[at] = Filing::Moved;
  for (int row = now.top; row <= now.bottom; ++row) {
    movedInRow_[static_cast<std::size_t>(row)] += now.right - now.left + 1;
    for (int col = now.left; col <= now.right; ++col) {
      int& head = movedHead_[static_cast<std::size_t>(row * columns_ + col)];
      movedEntries_.push_back({slot, head});
      head = static_cast<int>(movedEntries_.size()) - 1;
    }
  }
}

void ContactIndex::Refresh(const CGameUnit& attached) {
  const auto it = std::lower_bound(slotsByAddress_.begin(), slotsByAddress_.end(), std::pair{&attached, -1});
  if (it != slotsByAddress_.end() && it->first == &attached) Refresh(it->second);
}

const std::vector<int>& ContactIndex::Candidates(Point centre, Point halfSize, int after) {
  return CandidatesIn(CellsOf(centre, halfSize), after);
}

const std::vector<int>& ContactIndex::CandidatesIn(const CellRange& range, int after) {
  found_.clear();
  VisitCells(range, [&](int slot) {
    if (slot > after) found_.push_back(slot);
    return false;
  });
  std::sort(found_.begin(), found_.end());
  found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
  // The always-list is ascending and shares no slot with the others: merged, not sorted again.
  const auto firstAlways = std::upper_bound(always_.begin(), always_.end(), after);
  if (firstAlways == always_.end()) return found_;
  merged_.clear();
  std::merge(found_.begin(), found_.end(), firstAlways, always_.end(), std::back_inserter(merged_));
  found_.swap(merged_);
  return found_;
}

const NearPlayers* ContactIndex::PlayersNear(std::span<CGameUnit* const> players, const CGameUnit& asking,
                                             const Rect& area) {
  if (!players_.Filed(players)) players_.File(players, table_, unitsVersion_);
  if (!players_.Served()) return nullptr;
  players_.Refresh(asking);
  players_.Near(area, nearPlayers_);
  return &nearPlayers_;
}

ContactIndex::CellRange ContactIndex::CellsOf(const CGameUnit& unit) const {
  return CellsOf(unit.BoxCentre(), unit.BoxHalfSize());
}

bool ContactIndex::Spans(const CellRange& range) const {
  return (range.right - range.left + 1) * (range.bottom - range.top + 1) > kMaxCellsPerUnit;
}

ContactIndex* IndexFor(const UnitWorld& world) {
  ContactIndex* index = world.contacts;
  return index != nullptr && index->Size() == world.table.size() ? index : nullptr;
}

void NoteMoved(const UnitWorld& world, const CGameUnit& attached) {
  if (ContactIndex* index = IndexFor(world)) index->Refresh(attached);
}

}  // namespace units
