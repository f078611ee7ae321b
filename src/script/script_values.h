// How the words written in a script read as values: numbers, TRUE/FALSE and text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace script {

enum class ValueKind { Number, Boolean, Text };

struct Value {
  ValueKind kind = ValueKind::Text;
  int32_t number = 0;  // numbers; booleans 0 or 1
  std::string_view text;
};

// TRUE or FALSE in any case; nothing for any other word.
std::optional<bool> ReadBoolean(std::string_view word);
// Decimal with leading blanks and a sign allowed, stopping at the first other character; no
// digits give 0; saturates at the int32 range.
int32_t ReadNumber(std::string_view word);

// A SET value for a unit property: a number only when it starts with a digit. A value written
// in quotes is always text.
Value ClassifyPropertyValue(std::string_view word, bool quoted);

}  // namespace script
