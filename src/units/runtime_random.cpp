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

}  // namespace units
