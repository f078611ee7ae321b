#include "config/language.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "config/launcher_settings.h"
#include "platform/text_encoding.h"

namespace config {

std::string Tr(Language language, const char* english, const char* spanish) {
  return platform::Cp1252FromUtf8(language == Language::English ? english : spanish);
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    out.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(args);
  return out;
}

}  // namespace config
