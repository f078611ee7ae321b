// The INI value helpers on any text: whole numbers agree with the C library's conversion clamped
// to int, pairs and lists agree on their first number and stay within what seven characters can
// write, and a flag flips only for its own word.
#include <climits>
#include <cstdlib>

#include "config/ini_values.h"
#include "fuzz_check.h"

namespace {

// strtoll skips the same blanks, takes one sign and stops at the first non-digit; it saturates at
// the long long range, which clamping to int keeps right.
int ReferenceInt(std::string_view text) {
  const std::string copy(text);  // strtoll stops at a NUL byte, as ParseInt stops at any non-digit
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = fuzz::AsString(data, size);

  FUZZ_REQUIRE(config::ParseInt(text) == ReferenceInt(text));

  const std::array<int, 2> pair = config::ParsePair(text);
  const std::array<int, 4> list = config::ParseList4(text);
  FUZZ_REQUIRE(pair[0] == list[0]);
  for (int value : pair) FUZZ_REQUIRE(value >= -999999 && value <= 9999999);
  for (int value : list) FUZZ_REQUIRE(value >= -999999 && value <= 9999999);
  if (text.find_first_of(" ,") == std::string::npos) {  // one number only
    FUZZ_REQUIRE(pair[0] == config::ParseInt(text.substr(0, 7)) && pair[1] == 0);
    FUZZ_REQUIRE(list[1] == 0 && list[2] == 0 && list[3] == 0);
  }

  for (bool defaultValue : {false, true}) {
    FUZZ_REQUIRE(config::ParseFlag(text, text, defaultValue) == !defaultValue);
    FUZZ_REQUIRE(config::ParseFlag(text, "true", defaultValue) ==
                 (config::EqualsNoCase(text, "true") ? !defaultValue : defaultValue));
  }
  return 0;
}
