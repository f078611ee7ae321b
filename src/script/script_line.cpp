#include "script/script_line.h"

namespace script {

void ScriptLine::SetText(LineText which, std::string_view text) {
  const std::size_t i = static_cast<std::size_t>(which);
  const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
  const std::size_t oldLength = ends_[i] - begin;
  texts_.replace(begin, oldLength, text);
  // The texts are cut to their limits, so the ends (a few thousand at most) fit 16 bits.
  for (std::size_t k = i; k < kLineTextCount; ++k) {
    ends_[k] = static_cast<uint16_t>(ends_[k] - oldLength + text.size());
  }
}

}  // namespace script
