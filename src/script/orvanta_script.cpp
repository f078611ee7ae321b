#include "script/orvanta_script.h"

#include <string_view>

#include "platform/files.h"
#include "platform/text_encoding.h"
#include "script/script_blocks.h"
#include "script/script_line_parser.h"

bool COrvantaScript::Load(const std::string& name, const std::string& path) {
  if (name.empty() || path.empty() || IsRunning()) return false;
  auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return false;
  LoadText(name, std::string(bytes->begin(), bytes->end()));
  return true;
}

void COrvantaScript::LoadText(const std::string& name, std::string bytes) {
  if (IsRunning()) return;  // its thread reads the lines
  name_ = name.substr(0, script::kMaxScriptNameLength);
  text_ = platform::Cp1252FromFileText(std::move(bytes));
  loaded_ = true;
  Parse();
}

void COrvantaScript::Parse() {
  lines_.clear();
  rejected_.clear();
  // Lines end at CR, LF or CR LF; the numbers count lines as an editor shows them. Empty and
  // blank lines are skipped.
  std::string_view text = text_;
  int number = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    ++number;
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
}
