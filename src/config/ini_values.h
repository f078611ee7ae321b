// How INI values are turned into numbers and flags, shared by every loader.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/letter_case.h"

namespace config {

// Decimal integer: leading blanks and a sign allowed, stops at the first non-digit, no digits
// give 0. Saturates instead of overflowing.
int ParseInt(std::string_view text);

// A pair: the first number ends at the first blank or comma (leading blanks and commas are
// skipped), the second is the whole rest. Each part is cut to 7 characters before conversion;
// a missing part gives 0.
std::array<int, 2> ParsePair(std::string_view text);

// A list of four: the first three numbers each end at the next blank or comma, the fourth is the
// rest; same cutting and conversion as ParsePair.
std::array<int, 4> ParseList4(std::string_view text);

// A one-word boolean: the default flips only when the value equals the word, without regard to
// case ("true" for a default of false, "false" for a default of true).
bool ParseFlag(std::string_view value, std::string_view word, bool defaultValue);

using platform::EqualsNoCase;

// Reads one value of a section of an INI file: the value cut to bufferSize - 1, empty default.
std::string ReadIniValue(const std::string& path, const std::string& section, const std::string& key,
                         std::size_t bufferSize);

}  // namespace config
