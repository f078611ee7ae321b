// The detour search that steers a unit around what blocks it: a local, greedy walk over points
// one collision box apart in the four axis directions, always trying the point nearest to the
// destination first, giving up after kMaxDetourPoints points. The caller says which points are
// free (the map and the other units); the search knows nothing of units.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace map {

struct DetourPoint {
  int x = 0;
  int y = 0;
  bool operator==(const DetourPoint&) const = default;
};

inline constexpr std::size_t kMaxDetourPoints = 128;

struct DetourRequest {
  DetourPoint start;  // the unit's centre, on a free spot
  DetourPoint dest;
  int stepX = 0;  // collision box width and height
  int stepY = 0;
};

// True when a unit centred on the point would stand free. The test is borrowed for one search and
// asked hundreds of times in it: a call through this costs one indirect call, nothing allocated.
class DetourPointTest {
 public:
  template <class Test>
  requires(!std::is_same_v<std::remove_cvref_t<Test>, DetourPointTest>)
      DetourPointTest(const Test& test)  // implicit: a lambda is passed as it is
      : test_(&test),
        call_([](const void* held, DetourPoint point) -> bool { return (*static_cast<const Test*>(held))(point); }) {}
  bool operator()(DetourPoint point) const { return call_(test_, point); }

 private:
  const void* test_;
  bool (*call_)(const void*, DetourPoint);
};

// The scratch tables of one world's searches, kept for the searches after them (each is about
// 300 KB). Searches running at the same time each take a table of their own.
class DetourScratch {
 public:
  DetourScratch();
  ~DetourScratch();
  DetourScratch(const DetourScratch&) = delete;
  DetourScratch& operator=(const DetourScratch&) = delete;

  struct Tables;  // what path_finder.cpp keeps
  Tables& Kept() { return *tables_; }

 private:
  std::unique_ptr<Tables> tables_;
};

// The waypoints from start to dest: start first, dest last, at most kMaxDetourPoints points (a
// path cut at the cap has dest in place of its last point); nothing when no way was found. The
// last leg toward dest is a straight line that is not tested, and a dead end drops only its own
// last point, so a path may keep a point of an abandoned branch. A candidate is tested only when
// its answer matters, and at most once. Without scratch tables the search makes its own.
std::optional<std::vector<DetourPoint>> FindDetour(const DetourRequest& request, const DetourPointTest& isFree,
                                                   DetourScratch* scratch = nullptr);

}  // namespace map
