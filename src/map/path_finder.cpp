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

struct Candidate {
  DetourPoint point;
  uint32_t distance = 0;
  bool usable = false;
  bool held = false;
};

bool WithinOneStep(DetourPoint cur, DetourPoint dest, int stepX, int stepY) {
  return std::llabs(int64_t{dest.x} - cur.x) <= stepX && std::llabs(int64_t{dest.y} - cur.y) <= stepY;
}

constexpr int64_t kTableReach = static_cast<int64_t>(kMaxDetourPoints) + 1;
constexpr std::size_t kTableSide = 2 * kTableReach + 1;

// A table over the square of HeldPoints below and the stamp of the last search that used it.
struct StampTable {
  std::vector<uint32_t> cells = std::vector<uint32_t>(kTableSide * kTableSide, 0u);
  uint32_t generation = 0;
};

}  // namespace

// The tables of the searches running at the same time (the game loop's, the script threads'),
// kept for the searches after them. Not thread_local: MinGW can free a thread's storage before
// the destructors of the objects in it run, so a thread's table would be freed twice.
struct DetourScratch::Tables {
  std::unique_ptr<StampTable> Take() {
    std::lock_guard<std::mutex> hold(lock);
    if (free.empty()) return std::make_unique<StampTable>();
    std::unique_ptr<StampTable> table = std::move(free.back());
    free.pop_back();
    return table;
  }
  void Give(std::unique_ptr<StampTable> table) {
    std::lock_guard<std::mutex> hold(lock);
    free.push_back(std::move(table));
  }

  std::mutex lock;
  std::vector<std::unique_ptr<StampTable>> free;
};

DetourScratch::DetourScratch() : tables_(std::make_unique<Tables>()) {}
DetourScratch::~DetourScratch() = default;

namespace {

// The points one search holds, on its stack or its path (never both, never twice). Every such
// point lies on the lattice start + (i * stepX, j * stepY), and since each one descends from the
// start through points still on the path, |i| and |j| stay within the path's cap plus one: a
// table over that square answers at once what a scan of the stack and the path would. A lattice
// of zero or negative steps has no such table, and those searches scan.
class HeldPoints {
  static constexpr int64_t kReach = kTableReach;
  static constexpr std::size_t kSide = kTableSide;

 public:
  HeldPoints(const DetourRequest& request, const std::vector<Candidate>& stack, const std::vector<DetourPoint>& path,
             DetourScratch::Tables* kept)
      : request_(request), stack_(stack), path_(path), kept_(kept) {
    if (request.stepX <= 0 || request.stepY <= 0) return;
    table_ = kept_ != nullptr ? kept_->Take() : std::make_unique<StampTable>();
    // A fresh stamp marks this search's points; the table is cleared only when stamps wrap.
    if (++table_->generation == 0) {
      std::fill(table_->cells.begin(), table_->cells.end(), 0u);
      table_->generation = 1;
    }
    stamp_ = table_->generation;
  }
  ~HeldPoints() {
    if (table_ && kept_ != nullptr) kept_->Give(std::move(table_));
  }
  HeldPoints(const HeldPoints&) = delete;
  HeldPoints& operator=(const HeldPoints&) = delete;

  bool Has(DetourPoint point) const {
    if (const std::optional<std::size_t> cell = Cell(point)) return table_->cells[*cell] == stamp_;
    return std::any_of(stack_.begin(), stack_.end(), [point](const Candidate& e) { return e.point == point; }) ||
           std::find(path_.begin(), path_.end(), point) != path_.end();
  }

  void Mark(DetourPoint point, bool held) {
    if (const std::optional<std::size_t> cell = Cell(point)) table_->cells[*cell] = held ? stamp_ : 0u;
  }

 private:
  std::optional<std::size_t> Cell(DetourPoint point) const {
    if (table_ == nullptr) return std::nullopt;
    const int64_t dx = int64_t{point.x} - request_.start.x, dy = int64_t{point.y} - request_.start.y;
    if (dx % request_.stepX != 0 || dy % request_.stepY != 0) return std::nullopt;
    const int64_t i = dx / request_.stepX, j = dy / request_.stepY;
    if (std::llabs(i) > kReach || std::llabs(j) > kReach) return std::nullopt;
    return static_cast<std::size_t>((j + kReach) * static_cast<int64_t>(kSide) + (i + kReach));
  }

  const DetourRequest& request_;
  const std::vector<Candidate>& stack_;
  const std::vector<DetourPoint>& path_;
  DetourScratch::Tables* kept_;
  std::unique_ptr<StampTable> table_;
  uint32_t stamp_ = 0;
};

// Left, right, up, down of cur, each with its distance to dest, whether it is free and whether
// the search holds it already. A held point other than the start went onto the stack as a free
// one, and nothing moves during a search: it is not tested again.
std::array<Candidate, 4> Expand(DetourPoint cur, const DetourRequest& request, const DetourPointTest& isFree,
                                const HeldPoints& held) {
  const DetourPoint points[4] = {{cur.x - request.stepX, cur.y},
                                 {cur.x + request.stepX, cur.y},
                                 {cur.x, cur.y - request.stepY},
                                 {cur.x, cur.y + request.stepY}};
  std::array<Candidate, 4> candidates;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const DetourPoint point = points[i];
    const bool isHeld = held.Has(point);
    const bool free = isHeld && point != request.start ? true : isFree(point);
    candidates[i] = {point, SquaredDistance(point, request.dest), free, isHeld};
  }
  return candidates;
}

// Usable candidates end up farthest first, so that pushing them in order leaves the nearest on
// top; unusable ones keep their places.
void OrderFarthestFirst(std::array<Candidate, 4>& candidates) {
  for (std::size_t i = 0; i + 1 < candidates.size(); ++i) {
    for (std::size_t j = i + 1; j < candidates.size(); ++j) {
      if (candidates[i].usable && candidates[j].usable && candidates[i].distance < candidates[j].distance) {
        std::swap(candidates[i], candidates[j]);
      }
    }
  }
}

}  // namespace

std::optional<std::vector<DetourPoint>> FindDetour(const DetourRequest& request, const DetourPointTest& isFree,
                                                   DetourScratch* scratch) {
  std::vector<Candidate> stack;  // last in, first out; at most 3 pushes per expansion
  std::vector<DetourPoint> path;
  stack.reserve(3 * kMaxDetourPoints + 1);
  path.reserve(kMaxDetourPoints);
  HeldPoints held(request, stack, path, scratch != nullptr ? &scratch->Kept() : nullptr);
  stack.push_back({request.start, SquaredDistance(request.start, request.dest), true});
  held.Mark(request.start, true);
  for (;;) {
    const DetourPoint cur = stack.back().point;
    stack.pop_back();
    path.push_back(cur);
    if (WithinOneStep(cur, request.dest, request.stepX, request.stepY)) break;
    if (path.size() == kMaxDetourPoints) break;
    std::array<Candidate, 4> candidates = Expand(cur, request, isFree, held);
    // Held points take part in the ordering, which breaks ties by place, and only then drop out.
    OrderFarthestFirst(candidates);
    bool pushed = false;
    for (Candidate& candidate : candidates) {
      if (candidate.held) candidate.usable = false;
    }
    for (const Candidate& candidate : candidates) {
      if (!candidate.usable) continue;
      stack.push_back(candidate);
      held.Mark(candidate.point, true);
      pushed = true;
    }
    if (!pushed) {  // a dead end gives up its own point only
      path.pop_back();
      held.Mark(cur, false);
    }
    if (stack.empty()) return std::nullopt;
  }
  if (path.size() == kMaxDetourPoints) {
    path.back() = request.dest;
  } else {
    path.push_back(request.dest);
  }
  return path;
}

}  // namespace map
