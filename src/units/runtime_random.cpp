#include "units/runtime_random.h"

namespace units {
namespace {

thread_local uint32_t tState = 1;

}  // namespace

int RuntimeRandom() {
  tState = tState * 214013u + 2531011u;
  return static_cast<int>((tState >> 16) & 0x7FFFu);
}

void SeedRuntimeRandom(uint32_t seed) { tState = seed; }

bool OneIn(int n) { return n <= 1 || RuntimeRandom() % n == 0; }

std::optional<int> RandomInRange(int low, int high) {
  if (high < low) return std::nullopt;
  // In 64 bits: the span of two far-apart ints does not fit in one.
  const int64_t span = int64_t{high} - low + 1;
  return static_cast<int>(low + RuntimeRandom() % span);
}

}  // namespace units
