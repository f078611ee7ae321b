// The players' frame rectangles during one engine step, in a coarse grid kept up to date as the
// players move, for the bots' decisions: each looks for the players near its search squares, and
// a scan of the whole player table for each of hundreds of bots would cost more than their walks.
// A player moves during a step only in its own step, after which the engine files it again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "units/game_geometry.h"

class CGameUnit;

namespace units {

// A player near a bot, by its index in the player table, with its frame rectangle: nobody moves
// while a bot decides, so the searches read the frame from here instead of from the player.
struct NearPlayer {
  std::size_t index = 0;
  Rect frame;
};
using NearPlayers = std::vector<NearPlayer>;

class PlayerFrames {
 public:
  // Files the players of the player table, where they stand now. False when some player is not
  // one of the table's units: such a table is not served. Which slot holds which player is kept
  // from one filing to the next while neither table changes, as from one step to the next; the
  // unit table's `version` tells, moving whenever its units change slots.
  bool File(std::span<CGameUnit* const> players, std::span<const std::unique_ptr<CGameUnit>> table, uint64_t version);
  // Forgets the players (a new step).
  void Clear() {
    filed_ = false;
    served_ = false;
  }
  // Whether this very player table is the one filed in this step, and whether it is served.
  bool Filed(std::span<CGameUnit* const> players) const {
    return filed_ && players_.data() == players.data() && players_.size() == players.size();
  }
  bool Served() const { return served_; }
  // After the unit of the slot, or this unit, may have moved; others are passed over.
  void Refresh(std::size_t slot);
  void Refresh(const CGameUnit& unit);
  // The players whose frame rectangle meets the area (edges included), with their frames, by
  // their index in the player table, ascending.
  void Near(const Rect& area, NearPlayers& near) const;

 private:
  void Place(std::size_t entry);
  bool SameTablesAsLastFiled(std::span<CGameUnit* const> players, uint64_t version) const;
  // Makes an entry for each player and finds its slot in the unit table; matched_ tells whether
  // every player was found once.
  void MatchPlayersToSlots(std::span<CGameUnit* const> players, std::span<const std::unique_ptr<CGameUnit>> table);
  int CellOf(int64_t value, int64_t origin, int count) const {
    return static_cast<int>(std::clamp<int64_t>((value - origin) >> shift_, 0, count - 1));
  }
  int CellAt(int left, int top) const {
    return CellOf(top, originY_, rows_) * columns_ + CellOf(left, originX_, columns_);
  }

  std::span<CGameUnit* const> players_;
  bool filed_ = false;
  bool served_ = false;
  std::span<const std::unique_ptr<CGameUnit>> table_;
  // The grid files a frame by its top-left corner; a search reaches back by the widest frame.
  int64_t originX_ = 0, originY_ = 0;
  int shift_ = 8, columns_ = 1, rows_ = 1;
  int64_t widest_ = 0, tallest_ = 0;
  std::vector<int> head_;  // per cell, the first entry, or -1
  // Per row, a bit for each cell whose list holds an entry: a row has at most 64 cells.
  std::vector<uint64_t> occupied_;
  static uint64_t CellBit(int column) { return uint64_t{1} << column; }
  // Per entry, one for each player in player-table order.
  struct Entry {
    Rect frame;
    std::size_t player = 0;  // index in the player table
    std::size_t slot = 0;    // in the unit table
    int cell = -1;
    int prev = -1, next = -1;  // in the cell's list
  };
  std::vector<Entry> entries_;
  std::vector<int> entryOfSlot_;                          // or -1
  std::vector<std::pair<const CGameUnit*, int>> byUnit_;  // entries by address
  // The tables the entries were matched against, and whether every player was found.
  std::vector<CGameUnit*> filedPlayers_;
  uint64_t filedVersion_ = 0;
  bool matched_ = true;
};

}  // namespace units
