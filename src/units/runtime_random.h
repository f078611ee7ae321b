// The game's pseudo-random draws: the classic linear congruential generator (state × 214013 +
// 2531011, bits 16 to 30 of the new state), seeded with 1, so that a run gives the same draws
// whatever C library it links against. Each world owns its generators; nothing here is shared
// between worlds or threads.
#pragma once

#include <cstdint>
#include <optional>

namespace units {

inline constexpr int kRuntimeRandomMax = 0x7FFF;

class RuntimeRandom {
 public:
  explicit RuntimeRandom(uint32_t seed = 1) : state_(seed) {}

  // The next draw, 0 .. kRuntimeRandomMax.
  int Next();
  // Restarts the generator (a fresh one starts as after seed 1).
  void Seed(uint32_t seed) { state_ = seed; }
  // A one-in-n draw: n of 1 or less always succeeds without drawing; otherwise one draw that
  // succeeds when it is a multiple of n.
  bool OneIn(int n);
  // One draw taken modulo the span: low + draw mod (high - low + 1). An empty span (high below
  // low) has no value and draws nothing.
  std::optional<int> InRange(int low, int high);
  // The generator's whole state (what a saved game keeps).
  uint32_t StateWord() const { return state_; }

 private:
  uint32_t state_;
};

}  // namespace units
