// Reproducible binary garbage for input-hardening tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace testing_support {

// `count` bytes from the runtime generator's recurrence with the given seed.
inline std::string RandomBytes(uint32_t seed, std::size_t count) {
  std::string bytes;
  bytes.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    seed = seed * 214013u + 2531011u;
    bytes += static_cast<char>((seed >> 16) & 0xFF);
  }
  return bytes;
}

}  // namespace testing_support
