// The game's pseudo-random draws: the classic linear congruential generator (state × 214013 +
// 2531011, bits 16 to 30 of the new state), one per thread and seeded with 1, so that a run
// gives the same draws whatever C library it links against.
#pragma once

#include <cstdint>
#include <optional>

namespace units {

inline constexpr int kRuntimeRandomMax = 0x7FFF;

// The next draw of the calling thread's generator, 0 .. kRuntimeRandomMax.
int RuntimeRandom();
// Restarts the calling thread's generator (a fresh thread starts as after seed 1).
void SeedRuntimeRandom(uint32_t seed);
// A one-in-n draw: n of 1 or less always succeeds without drawing; otherwise one draw that
// succeeds when it is a multiple of n.
bool OneIn(int n);
// One draw taken modulo the span: low + draw mod (high - low + 1). An empty span (high below low)
// has no value and draws nothing.
std::optional<int> RandomInRange(int low, int high);

}  // namespace units
