#include "units/runtime_random.h"

namespace units {

int RuntimeRandom::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

bool RuntimeRandom::OneIn(int n) { return n <= 1 || Next() % n == 0; }

std::optional<int> RuntimeRandom::InRange(int low, int high) {
  if (high < low) return std::nullopt;
  // In 64 bits: the span of two far-apart ints does not fit in one.
  const int64_t span = int64_t{high} - low + 1;
  return static_cast<int>(low + Next() % span);
}

}  // namespace units
