// The script reader on any bytes as a script file: a file within the bounds loads, one beyond
// them is refused whole; kept lines come in file order with their texts cut to the limits; every
// IF, ELSE, WHILE link points forward to a line of the right kind; the loops the checker names
// are WHILEs; and reading the same bytes again gives the same lines.
#include "fuzz_check.h"
#include "script/orvanta_script.h"
#include "script/script_blocks.h"
#include "script/script_size.h"

namespace {

using script::ScriptCommand;

bool LinksTo(const std::vector<script::ScriptLine>& lines, int from, int to, ScriptCommand command) {
  return to == script::kNoLine || (to > from && static_cast<std::size_t>(to) < lines.size() &&
                                   lines[static_cast<std::size_t>(to)].command == command);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::AsString(data, size);
  COrvantaScript script;
  script.LoadText("fuzz.txt", bytes);
  FUZZ_REQUIRE(script.IsLoaded() != script.TooLarge());
  if (size > script::kMaxScriptBytes) FUZZ_REQUIRE(script.TooLarge());
  if (script.TooLarge()) {
    FUZZ_REQUIRE(script.LineCount() == 0 && script.RejectedLines().empty());
    return 0;
  }
  const auto& lines = script.Lines();
  int previous = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const script::ScriptLine& line = lines[i];
    FUZZ_REQUIRE(line.sourceLine > previous && line.sourceLine <= script::kMaxScriptLines);
    previous = line.sourceLine;
    FUZZ_REQUIRE(line.command != ScriptCommand::None);
    FUZZ_REQUIRE(line.comment().size() <= script::kMaxCommentLength);
    for (std::string_view text : {line.argument(), line.value(), line.leftUnitName(), line.leftPropertyName(),
                                  line.rightUnitName(), line.rightPropertyName(), line.operatorText()}) {
      FUZZ_REQUIRE(text.size() <= script::kMaxTokenLength);
    }
    const int self = static_cast<int>(i);
    if (line.command == ScriptCommand::If) {
      FUZZ_REQUIRE(LinksTo(lines, self, line.elseIndex, ScriptCommand::Else));
      FUZZ_REQUIRE(LinksTo(lines, self, line.endIndex, ScriptCommand::EndIf));
    } else if (line.command == ScriptCommand::While) {
      FUZZ_REQUIRE(LinksTo(lines, self, line.endIndex, ScriptCommand::EndWhile));
    }
  }
  for (const script::RejectedLine& rejected : script.RejectedLines()) FUZZ_REQUIRE(!rejected.reason.empty());
  for (int index : script::LoopsWithoutSleep(lines)) {
    FUZZ_REQUIRE(lines[static_cast<std::size_t>(index)].command == ScriptCommand::While);
  }

  COrvantaScript again;
  again.LoadText("fuzz.txt", bytes);
  FUZZ_REQUIRE(again.LineCount() == lines.size() && again.RejectedLines().size() == script.RejectedLines().size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const script::ScriptLine& a = lines[i];
    const script::ScriptLine& b = again.Lines()[i];
    FUZZ_REQUIRE(a.command == b.command && a.sourceLine == b.sourceLine && a.argument() == b.argument() &&
                 a.value() == b.value() && a.endIndex == b.endIndex && a.elseIndex == b.elseIndex);
  }
  return 0;
}
