// Project texts write a line break as the two characters backslash and n.
#pragma once

#include <string>
#include <string_view>

namespace units {

// The text with every backslash-n turned into a line break.
inline std::string WithLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      result += '\n';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace units
