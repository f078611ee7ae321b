// The game's pseudo-random draws: the classic linear congruential generator (state × 214013 +
// 2531011, bits 16 to 30 of the new state), one per thread and seeded with 1, so that a run
// gives the same draws whatever C library it links against.
#pragma once

#include <cstdint>

namespace units {

inline constexpr int kRuntimeRandomMax = 0x7FFF;

// The next draw of the calling thread's generator, 0 .. kRuntimeRandomMax.
int RuntimeRandom();
// Restarts the calling thread's generator (a fresh thread starts as after seed 1).
void SeedRuntimeRandom(uint32_t seed);

}  // namespace units
