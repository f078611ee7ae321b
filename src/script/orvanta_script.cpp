#include "script/orvanta_script.h"

#include <algorithm>
#include <string_view>

#include "platform/files.h"
#include "platform/text_encoding.h"
#include "script/script_blocks.h"
#include "script/script_line_parser.h"
#include "script/script_size.h"

bool COrvantaScript::Load(const std::string& name, const std::string& path) {
  if (name.empty() || path.empty() || IsRunning()) return false;
  auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return false;
  std::string text(bytes->begin(), bytes->end());
  bytes.reset();  // one copy of a large file at a time
  LoadText(name, std::move(text));
  return !tooLarge_;
}

void COrvantaScript::LoadText(const std::string& name, std::string bytes) {
  if (IsRunning()) return;  // its thread reads the lines
  name_ = name.substr(0, script::kMaxScriptNameLength);
  lines_.clear();
  rejected_.clear();
  tooLarge_ = bytes.size() > script::kMaxScriptBytes || !Parse(platform::Cp1252FromFileText(std::move(bytes)));
  loaded_ = !tooLarge_;
  if (tooLarge_) {  // nothing of it is kept, nor the room taken for it
    lines_.clear();
    lines_.shrink_to_fit();
    rejected_.clear();
    rejected_.shrink_to_fit();
  }
}

bool COrvantaScript::Parse(std::string_view text) {
  // Lines end at CR, LF or CR LF; the numbers count lines as an editor shows them. Empty and
  // blank lines are skipped. Room for every line is taken at once: growing by doubling would
  // hold up to three times the records while the last copy is made.
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++breaks;
  }
  lines_.reserve(std::min(breaks + 1, static_cast<std::size_t>(script::kMaxScriptLines)));
  int number = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (++number > script::kMaxScriptLines) return false;
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    script::ParsedLine parsed = script::ParseScriptLine(text.substr(pos, end - pos));
    pos = end;
    if (text.substr(pos, 2) == "\r\n") {
      pos += 2;
    } else if (pos < text.size()) {
      ++pos;
    }
    if (parsed.kept) {
      parsed.line.sourceLine = number;
      lines_.push_back(std::move(parsed.line));
    } else if (!parsed.rejection.empty()) {
      rejected_.push_back({number, std::move(parsed.rejection)});
    }
  }
  script::LinkBlocks(lines_);
  return true;
}
