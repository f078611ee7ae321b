#include "map/path_finder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace map {
namespace {

// Wrapping unsigned arithmetic: far points compare as the unit's own rules compare them.
uint32_t SquaredDistance(DetourPoint p, DetourPoint q) {
  const uint32_t dx = static_cast<uint32_t>(q.x) - static_cast<uint32_t>(p.x);
  const uint32_t dy = static_cast<uint32_t>(q.y) - static_cast<uint32_t>(p.y);
  return dx * dx + dy * dy;
}

// A step along an axis, wrapping as the distances do instead of overflowing.
int Offset(int from, int by) { return static_cast<int>(static_cast<uint32_t>(from) + static_cast<uint32_t>(by)); }

bool WithinOneStep(DetourPoint cur, DetourPoint dest, int stepX, int stepY) {
  return std::llabs(int64_t{dest.x} - cur.x) <= stepX && std::llabs(int64_t{dest.y} - cur.y) <= stepY;
}

struct Candidate {
  DetourPoint point;
  uint32_t distance = 0;
  bool usable = false;
  bool held = false;
  uint8_t place = 0;  // among the four neighbours, left, right, up, down
};

// Usable candidates end up farthest first, so that pushing them in order leaves the nearest on
// top; unusable ones keep their places. Ties fall as the exchanges leave them, which depends on
// the other usable candidates too.
void OrderFarthestFirst(std::array<Candidate, 4>& candidates) {
  for (std::size_t i = 0; i + 1 < candidates.size(); ++i) {
    for (std::size_t j = i + 1; j < candidates.size(); ++j) {
      if (candidates[i].usable && candidates[j].usable && candidates[i].distance < candidates[j].distance) {
        std::swap(candidates[i], candidates[j]);
      }
    }
  }
}

// Every point a search reaches lies on the lattice start + (i * stepX, j * stepY), and it
// descends from the start through points still on the path, so |i| + |j| stays below the cap:
// a square table over that reach holds what the search knows of each point.
constexpr int kReach = static_cast<int>(kMaxDetourPoints) + 1;
constexpr int kSide = 2 * kReach + 1;
// Steps up to this size keep the lattice's points apart even where their coordinates wrap.
constexpr int kLargestLatticeStep = 1 << 22;

// A neighbour of an expanded point: where it lies on the lattice, and how the search stood
// toward it when it was met.
struct Option {
  DetourPoint point;
  uint32_t cell = 0;  // (j + kReach) * kSide + (i + kReach) for the lattice point (i, j)
  uint32_t distance = 0;
  // Held: free, on the stack or the path. Shadow: not pushed again, but usable in the ordering
  // exactly when free. Open: pushed if free.
  enum class Kind : uint8_t { kHeld, kShadow, kOpen } kind = Kind::kOpen;
  bool live = false;  // open, not taken off the stack yet, not found blocked
};

// One expansion: the four neighbours of a path point, of which the free open ones went onto
// the stack nearest last.
struct Expansion {
  std::array<Option, 4> options;
  uint32_t ownerCell = 0;
  uint8_t taken = 0;
  bool ordered = false;  // the push order is worked out in full (a tie on distance needs it)
  std::array<uint8_t, 4> order{};
  uint8_t left = 0;
};

}  // namespace

// The tables of the searches running at the same time (the game loop's, the script threads'),
// kept for the searches after them. Not thread_local: MinGW can free a thread's storage before
// the destructors of the objects in it run, so a thread's table would be freed twice.
struct DetourScratch::Tables {
  // What one search knows of each lattice point, stamped with the search's generation so that
  // the table is cleared only when generations wrap.
  struct Lattice {
    std::vector<uint32_t> cells = std::vector<uint32_t>(static_cast<std::size_t>(kSide) * kSide, 0u);
    uint32_t generation = 0;
    // The expansions on the stack, oldest first: each one's point is on the path.
    std::array<Expansion, kMaxDetourPoints> expansions;
    std::size_t expanded = 0;
  };

  std::unique_ptr<Lattice> Take() {
    std::lock_guard<std::mutex> hold(lock);
    if (free.empty()) return std::make_unique<Lattice>();
    std::unique_ptr<Lattice> table = std::move(free.back());
    free.pop_back();
    return table;
  }
  void Give(std::unique_ptr<Lattice> table) {
    std::lock_guard<std::mutex> hold(lock);
    free.push_back(std::move(table));
  }

  std::mutex lock;
  std::vector<std::unique_ptr<Lattice>> free;
};

DetourScratch::DetourScratch() : tables_(std::make_unique<Tables>()) {}
DetourScratch::~DetourScratch() = default;

namespace {

using Lattice = DetourScratch::Tables::Lattice;

// The search as the rules give it, for lattices the table cannot hold (steps of zero, negative
// or huge): every candidate is tested when it is met and the held points are found by scanning.
std::optional<std::vector<DetourPoint>> SearchByScanning(const DetourRequest& request, const DetourPointTest& isFree) {
  std::vector<Candidate> stack;
  std::vector<DetourPoint> path;
  auto holds = [&](DetourPoint point) {
    return std::any_of(stack.begin(), stack.end(), [point](const Candidate& e) { return e.point == point; }) ||
           std::find(path.begin(), path.end(), point) != path.end();
  };
  stack.push_back({request.start, SquaredDistance(request.start, request.dest), true});
  for (;;) {
    const DetourPoint cur = stack.back().point;
    stack.pop_back();
    path.push_back(cur);
    if (WithinOneStep(cur, request.dest, request.stepX, request.stepY)) break;
    if (path.size() == kMaxDetourPoints) break;
    const DetourPoint points[4] = {{Offset(cur.x, -request.stepX), cur.y},
                                   {Offset(cur.x, request.stepX), cur.y},
                                   {cur.x, Offset(cur.y, -request.stepY)},
                                   {cur.x, Offset(cur.y, request.stepY)}};
    std::array<Candidate, 4> candidates;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      // A held point other than the start went onto the stack as a free one: not tested again.
      const bool held = holds(points[i]);
      const bool usable = held && points[i] != request.start ? true : isFree(points[i]);
      candidates[i] = {points[i], SquaredDistance(points[i], request.dest), usable, held};
    }
    // Held points take part in the ordering, which breaks ties by place, and only then drop out.
    OrderFarthestFirst(candidates);
    bool pushed = false;
    for (const Candidate& candidate : candidates) {
      if (!candidate.usable || candidate.held) continue;
      stack.push_back(candidate);
      pushed = true;
    }
    if (!pushed) path.pop_back();  // a dead end gives up its own point only
    if (stack.empty()) return std::nullopt;
  }
  return path;
}

// The same search, testing a candidate only when its answer is needed. A greedy walk in the
// open takes the nearest free neighbour each time, and the others it pushes mostly stay on the
// stack until the path is complete: they are pushed as "if free", and tested when they would be
// taken off the stack or when their answer decides an ordering. A point is tested at most once,
// since nothing moves during a search. The stack's order, the path and the answer are those of
// SearchByScanning.
class LazySearch {
 public:
  LazySearch(const DetourRequest& request, const DetourPointTest& isFree, Lattice& lattice)
      : request_(request), isFree_(isFree), lattice_(lattice) {
    // A fresh generation forgets the last search's points; the table is cleared when they wrap.
    if (++lattice_.generation == kGenerations) {
      std::fill(lattice_.cells.begin(), lattice_.cells.end(), 0u);
      lattice_.generation = 1;
    }
    lattice_.expanded = 0;
  }

  // Nothing when there is no way, or when the lattice outgrew the table (outgrown() then says so).
  std::optional<std::vector<DetourPoint>> Run() {
    std::vector<DetourPoint> path;
    path.reserve(kMaxDetourPoints);
    Option start;
    start.point = request_.start;
    start.cell = kStartCell;
    SetBits(kStartCell, kHeld);
    // Read where it lies: an expansion's options stay put until the expansion is given up,
    // which happens only after every expansion above it.
    const Option* cur = &start;
    for (;;) {
      path.push_back(cur->point);
      if (WithinOneStep(cur->point, request_.dest, request_.stepX, request_.stepY)) break;
      if (path.size() == kMaxDetourPoints) break;
      if (!Expand(*cur)) return std::nullopt;
      for (;;) {
        if (lattice_.expanded == 0) return std::nullopt;
        Expansion& last = lattice_.expansions[lattice_.expanded - 1];
        if (const int next = Next(last); next >= 0) {
          ++last.taken;
          cur = &last.options[static_cast<std::size_t>(next)];
          break;
        }
        if (last.taken == 0) {  // a dead end gives up its own point only
          path.pop_back();
          SetBits(last.ownerCell, Bits(last.ownerCell) & ~kHeld);
        }
        --lattice_.expanded;
      }
    }
    return path;
  }

  bool outgrown() const { return outgrown_; }

 private:
  // What a search knows of a point. Held: on the stack as a free point, or on the path. Pending:
  // on the stack as "if free", not tested yet.
  static constexpr uint32_t kHeld = 1, kPending = 2, kTested = 4, kFree = 8, kBits = 4;
  static constexpr uint32_t kGenerations = 1u << (32 - kBits);
  static constexpr uint32_t kStartCell = static_cast<uint32_t>(kReach * kSide + kReach);

  uint32_t Bits(uint32_t cell) const {
    const uint32_t value = lattice_.cells[cell];
    return value >> kBits == lattice_.generation ? value & ((1u << kBits) - 1) : 0u;
  }
  void SetBits(uint32_t cell, uint32_t bits) { lattice_.cells[cell] = lattice_.generation << kBits | bits; }

  bool Free(const Option& option) {
    uint32_t bits = Bits(option.cell);
    if ((bits & kTested) != 0) return (bits & kFree) != 0;
    const bool free = isFree_(option.point);
    bits |= kTested | (free ? kFree : 0u);
    if ((bits & kPending) != 0) bits = (bits & ~kPending) | (free ? kHeld : 0u);
    SetBits(option.cell, bits);
    return free;
  }

  // The four neighbours of cur go onto the stack, each as the search stands toward it now.
  bool Expand(const Option& cur) {
    // A point on the table's edge would have neighbours beyond it.
    constexpr uint32_t kLast = kSide - 1;
    const uint32_t row = cur.cell / kSide, column = cur.cell % kSide;
    if (row == 0 || row == kLast || column == 0 || column == kLast || lattice_.expanded == lattice_.expansions.size()) {
      outgrown_ = true;
      return false;
    }
    Expansion& expansion = lattice_.expansions[lattice_.expanded++];
    expansion.ownerCell = cur.cell;
    expansion.taken = 0;
    expansion.ordered = false;
    const int sx = request_.stepX, sy = request_.stepY;
    const DetourPoint points[4] = {{Offset(cur.point.x, -sx), cur.point.y},
                                   {Offset(cur.point.x, sx), cur.point.y},
                                   {cur.point.x, Offset(cur.point.y, -sy)},
                                   {cur.point.x, Offset(cur.point.y, sy)}};
    const int moves[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (std::size_t k = 0; k < 4; ++k) {
      Option& option = expansion.options[k];
      option.point = points[k];
      option.cell = static_cast<uint32_t>(static_cast<int>(cur.cell) + moves[k][1] * kSide + moves[k][0]);
      option.distance = SquaredDistance(option.point, request_.dest);
      const uint32_t bits = Bits(option.cell);
      option.live = false;
      if ((bits & kHeld) != 0) {
        // Held: free and never pushed twice. The start is the exception the rules test again.
        option.kind = option.cell == kStartCell ? Option::Kind::kShadow : Option::Kind::kHeld;
      } else if ((bits & kPending) != 0) {
        option.kind = Option::Kind::kShadow;  // held exactly when it proves free
      } else {
        option.kind = Option::Kind::kOpen;
        if ((bits & kTested) == 0) {
          SetBits(option.cell, bits | kPending);
          option.live = true;
        } else if ((bits & kFree) != 0) {
          SetBits(option.cell, bits | kHeld);
          option.live = true;
        }
      }
    }
    return true;
  }

  // The option the stack gives up next from this expansion, if any is left: the free one
  // nearest to the destination, when no other free one ties with it; a tie needs the whole
  // order the exchanges give, and with it every answer of the expansion.
  int Next(Expansion& expansion) {
    if (expansion.ordered) return expansion.left == 0 ? -1 : expansion.order[--expansion.left];
    for (;;) {
      bool any = false;
      uint32_t nearest = 0;
      for (const Option& option : expansion.options) {
        if (option.live && (!any || option.distance < nearest)) nearest = option.distance;
        any = any || option.live;
      }
      if (!any) return -1;
      int frees = 0, found = 0;
      for (int k = 0; k < 4; ++k) {
        Option& option = expansion.options[static_cast<std::size_t>(k)];
        if (!option.live || option.distance != nearest) continue;
        if (Free(option)) {
          ++frees;
          found = k;
        } else {
          option.live = false;
        }
      }
      if (frees == 1) {
        expansion.options[static_cast<std::size_t>(found)].live = false;
        return found;
      }
      if (frees > 1) {
        Order(expansion);
        return Next(expansion);
      }
    }
  }

  // The push order of the whole expansion, with the options already taken (the nearest ones,
  // so the last of the order) left out.
  void Order(Expansion& expansion) {
    std::array<Candidate, 4> candidates;
    for (std::size_t k = 0; k < 4; ++k) {
      const Option& option = expansion.options[k];
      const bool usable = option.kind == Option::Kind::kHeld || Free(option);
      candidates[k] = {option.point, option.distance, usable, option.kind != Option::Kind::kOpen,
                       static_cast<uint8_t>(k)};
    }
    OrderFarthestFirst(candidates);
    uint8_t pushed = 0;
    for (const Candidate& candidate : candidates) {
      if (candidate.usable && !candidate.held) expansion.order[pushed++] = candidate.place;
    }
    expansion.ordered = true;
    expansion.left = static_cast<uint8_t>(pushed - expansion.taken);
  }

  const DetourRequest& request_;
  const DetourPointTest& isFree_;
  Lattice& lattice_;
  bool outgrown_ = false;
};

bool LatticeFits(const DetourRequest& request) {
  return request.stepX > 0 && request.stepY > 0 && request.stepX <= kLargestLatticeStep &&
         request.stepY <= kLargestLatticeStep;
}

}  // namespace

std::optional<std::vector<DetourPoint>> FindDetour(const DetourRequest& request, const DetourPointTest& isFree,
                                                   DetourScratch* scratch) {
  std::optional<std::vector<DetourPoint>> path;
  if (LatticeFits(request)) {
    DetourScratch::Tables* kept = scratch != nullptr ? &scratch->Kept() : nullptr;
    std::unique_ptr<Lattice> lattice = kept != nullptr ? kept->Take() : std::make_unique<Lattice>();
    LazySearch search(request, isFree, *lattice);
    path = search.Run();
    if (kept != nullptr) kept->Give(std::move(lattice));
    if (search.outgrown()) path = SearchByScanning(request, isFree);
  } else {
    path = SearchByScanning(request, isFree);
  }
  if (!path) return std::nullopt;
  if (path->size() == kMaxDetourPoints) {
    path->back() = request.dest;
  } else {
    path->push_back(request.dest);
  }
  return path;
}

}  // namespace map
