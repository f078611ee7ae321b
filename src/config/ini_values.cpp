#include "config/ini_values.h"

#include <climits>

#include "platform/ini.h"

namespace config {
namespace {

constexpr std::size_t kNumberPartMax = 7;  // each part of a pair or list is cut to 7 characters

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsSeparator(char c) { return c == ' ' || c == ','; }

int ParsePart(std::string_view part) { return ParseInt(part.substr(0, kNumberPartMax)); }

// Splits `count` numbers: all but the last end at the next blank or comma (leading blanks and
// commas skipped); the last is the whole rest after the delimiter.
template <std::size_t N>
std::array<int, N> ParseNumbers(std::string_view text) {
  std::array<int, N> numbers{};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < N; ++i) {
    if (i + 1 == N) {
      numbers[i] = ParsePart(text.substr(pos));
      break;
    }
    while (pos < text.size() && IsSeparator(text[pos])) ++pos;
    std::size_t end = pos;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    numbers[i] = ParsePart(text.substr(pos, end - pos));
    if (end >= text.size()) break;  // the remaining parts are missing: 0
    pos = end + 1;
  }
  return numbers;
}

}  // namespace

int ParseInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  long long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = value * 10 + (text[pos] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

std::array<int, 2> ParsePair(std::string_view text) { return ParseNumbers<2>(text); }
std::array<int, 4> ParseList4(std::string_view text) { return ParseNumbers<4>(text); }

bool ParseFlag(std::string_view value, std::string_view word, bool defaultValue) {
  return EqualsNoCase(value, word) ? !defaultValue : defaultValue;
}

std::string ReadIniValue(const std::string& path, const std::string& section, const std::string& key,
                         std::size_t bufferSize) {
  return platform::GetPrivateProfileString(section, key, "", bufferSize, path);
}

}  // namespace config
