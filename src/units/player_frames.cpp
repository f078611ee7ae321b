#include "units/player_frames.h"

#include <bit>

#include "units/game_unit.h"

namespace units {
namespace {

constexpr int kFirstShift = 7;  // cells of 128 pixels, wider for a spread-out table
constexpr int kMaxCellsPerSide = 64;
static_assert(kMaxCellsPerSide <= 64, "a row's cells are told apart by the bits of one word");

}  // namespace

bool PlayerFrames::File(std::span<CGameUnit* const> players, std::span<const std::unique_ptr<CGameUnit>> table,
                        uint64_t version) {
  players_ = players;
  filed_ = true;
  table_ = table;
  served_ = false;
  if (!SameTablesAsLastFiled(players, version)) {
    MatchPlayersToSlots(players, table);
    filedVersion_ = version;
  }
  if (!matched_) return false;

  int64_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (std::size_t e = 0; e < entries_.size(); ++e) {
    const Rect frame = table[entries_[e].slot]->UnitRect();
    minX = e == 0 ? frame.left : std::min<int64_t>(minX, frame.left);
    minY = e == 0 ? frame.top : std::min<int64_t>(minY, frame.top);
    maxX = e == 0 ? frame.left : std::max<int64_t>(maxX, frame.left);
    maxY = e == 0 ? frame.top : std::max<int64_t>(maxY, frame.top);
  }
  originX_ = minX;
  originY_ = minY;
  shift_ = kFirstShift;
  while (((maxX - minX) >> shift_) >= kMaxCellsPerSide || ((maxY - minY) >> shift_) >= kMaxCellsPerSide) ++shift_;
  columns_ = static_cast<int>((maxX - minX) >> shift_) + 1;
  rows_ = static_cast<int>((maxY - minY) >> shift_) + 1;
  head_.assign(static_cast<std::size_t>(columns_) * rows_, -1);
  occupied_.assign(static_cast<std::size_t>(rows_), 0);
  widest_ = tallest_ = 0;
  served_ = true;
  for (std::size_t e = 0; e < entries_.size(); ++e) {
    entries_[e].cell = -1;  // the grid is new: no entry is in a cell's list yet
    Place(e);
  }
  return true;
}

bool PlayerFrames::SameTablesAsLastFiled(std::span<CGameUnit* const> players, uint64_t version) const {
  return version == filedVersion_ &&
         std::equal(players.begin(), players.end(), filedPlayers_.begin(), filedPlayers_.end());
}

void PlayerFrames::MatchPlayersToSlots(std::span<CGameUnit* const> players,
                                       std::span<const std::unique_ptr<CGameUnit>> table) {
  filedPlayers_.assign(players.begin(), players.end());
  entries_.clear();
  byUnit_.clear();
  for (std::size_t i = 0; i < players.size(); ++i) {
    if (players[i] == nullptr) continue;
    byUnit_.emplace_back(players[i], static_cast<int>(entries_.size()));
    entries_.emplace_back().player = i;
  }
  std::sort(byUnit_.begin(), byUnit_.end());
  entryOfSlot_.assign(table.size(), -1);
  std::size_t found = 0;
  for (std::size_t slot = 0; slot < table.size(); ++slot) {
    const CGameUnit* unit = table[slot].get();
    const auto it = std::lower_bound(byUnit_.begin(), byUnit_.end(), std::pair<const CGameUnit*, int>{unit, -1});
    if (unit == nullptr || it == byUnit_.end() || it->first != unit) continue;
    // A unit listed twice leaves its second entry unclaimed, and the table is not served.
    entryOfSlot_[slot] = it->second;
    entries_[static_cast<std::size_t>(it->second)].slot = slot;
    ++found;
  }
  matched_ = found == entries_.size();
}

void PlayerFrames::Refresh(std::size_t slot) {
  if (served_ && slot < entryOfSlot_.size() && entryOfSlot_[slot] >= 0) {
    Place(static_cast<std::size_t>(entryOfSlot_[slot]));
  }
}

void PlayerFrames::Refresh(const CGameUnit& unit) {
  if (!served_) return;
  const auto it = std::lower_bound(byUnit_.begin(), byUnit_.end(), std::pair<const CGameUnit*, int>{&unit, -1});
  if (it != byUnit_.end() && it->first == &unit) Place(static_cast<std::size_t>(it->second));
}

void PlayerFrames::Place(std::size_t at) {
  Entry& entry = entries_[at];
  entry.frame = table_[entry.slot]->UnitRect();
  // Only grows within a step, so a search reaching back by it never misses a frame.
  widest_ = std::max<int64_t>(widest_, int64_t{entry.frame.right} - entry.frame.left);
  tallest_ = std::max<int64_t>(tallest_, int64_t{entry.frame.bottom} - entry.frame.top);
  const int cell = CellAt(entry.frame.left, entry.frame.top);
  if (cell == entry.cell) return;
  if (entry.cell >= 0) {
    if (entry.prev >= 0) {
      entries_[static_cast<std::size_t>(entry.prev)].next = entry.next;
    } else {
      head_[static_cast<std::size_t>(entry.cell)] = entry.next;
      if (entry.next < 0) occupied_[static_cast<std::size_t>(entry.cell / columns_)] &= ~CellBit(entry.cell % columns_);
    }
    if (entry.next >= 0) entries_[static_cast<std::size_t>(entry.next)].prev = entry.prev;
  }
  int& head = head_[static_cast<std::size_t>(cell)];
  occupied_[static_cast<std::size_t>(cell / columns_)] |= CellBit(cell % columns_);
  entry.cell = cell;
  entry.prev = -1;
  entry.next = head;
  if (head >= 0) entries_[static_cast<std::size_t>(head)].prev = static_cast<int>(at);
  head = static_cast<int>(at);
}

void PlayerFrames::Near(const Rect& area, NearPlayers& near) const {
  near.clear();
  if (!served_ || area.right < area.left || area.bottom < area.top) return;
  // A frame meeting the area has its top-left corner at most the widest frame left of it.
  const int left = CellOf(int64_t{area.left} - widest_, originX_, columns_);
  const int right = CellOf(area.right, originX_, columns_);
  const int top = CellOf(int64_t{area.top} - tallest_, originY_, rows_);
  const int bottom = CellOf(area.bottom, originY_, rows_);
  // Only the cells that hold an entry are visited, found from each row's bits.
  const uint64_t columnsInRange = (~uint64_t{0} >> (63 - (right - left))) << left;
  for (int row = top; row <= bottom; ++row) {
    for (uint64_t cells = occupied_[static_cast<std::size_t>(row)] & columnsInRange; cells != 0; cells &= cells - 1) {
      const int col = std::countr_zero(cells);
      for (int e = head_[static_cast<std::size_t>(row * columns_ + col)]; e >= 0;) {
        const Entry& entry = entries_[static_cast<std::size_t>(e)];
        if (RectsIntersect(entry.frame, area)) near.push_back({entry.player, entry.frame});
        e = entry.next;
      }
    }
  }
  std::sort(near.begin(), near.end(), [](const NearPlayer& a, const NearPlayer& b) { return a.index < b.index; });
}

}  // namespace units
