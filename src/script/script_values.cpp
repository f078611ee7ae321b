#include "script/script_values.h"

#include "config/ini_values.h"
#include "platform/letter_case.h"

namespace script {

std::optional<bool> ReadBoolean(std::string_view word) {
  if (platform::EqualsNoCase(word, "TRUE")) return true;
  if (platform::EqualsNoCase(word, "FALSE")) return false;
  return std::nullopt;
}

int32_t ReadNumber(std::string_view word) { return config::ParseInt(word); }

Value ClassifyPropertyValue(std::string_view word, bool quoted) {
  if (quoted) return {ValueKind::Text, 0, word};
  if (!word.empty() && word[0] >= '0' && word[0] <= '9') {
    return {ValueKind::Number, ReadNumber(word), word};
  }
  if (auto flag = ReadBoolean(word)) return {ValueKind::Boolean, *flag ? 1 : 0, word};
  return {ValueKind::Text, 0, word};
}

}  // namespace script
