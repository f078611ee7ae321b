#include "script/script_blocks.h"

#include "script/script_values.h"

namespace script {
namespace {

// Deeper than a run may open blocks: the run would end there anyway, and the check's own stack
// stays small whatever the file nests.
constexpr int kDeepestBlock = 256;

// Whether every way through lines [from, to) reaches a SLEEP or an EXIT.
bool SurelyWaits(const std::vector<ScriptLine>& lines, int from, int to, int depth = 0) {
  if (depth > kDeepestBlock) return false;
  for (int i = from; i < to; ++i) {
    const ScriptLine& line = lines[static_cast<std::size_t>(i)];
    switch (line.command) {
      case ScriptCommand::Sleep:
        // SLEEP 0 (or less) waits for nothing.
        if (ReadNumber(line.argument()) > 0) return true;
        break;
      case ScriptCommand::Exit: return true;
      case ScriptCommand::If: {
        const int end = line.endIndex;
        if (end == kNoLine || end >= to) return false;  // a block cut across: no way to be sure
        const bool hasElse = line.elseIndex != kNoLine && line.elseIndex < end;
        if (hasElse && SurelyWaits(lines, i + 1, line.elseIndex, depth + 1) &&
            SurelyWaits(lines, line.elseIndex + 1, end, depth + 1)) {
          return true;
        }
        i = end;
        break;
      }
      case ScriptCommand::While:
        if (line.endIndex == kNoLine || line.endIndex >= to) return false;
        i = line.endIndex;
        break;
      default: break;
    }
  }
  return false;
}

}  // namespace

void LinkBlocks(std::vector<ScriptLine>& lines) {
  std::vector<int> openIfs;
  std::vector<int> openWhiles;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    ScriptLine& line = lines[static_cast<std::size_t>(i)];
    line.elseIndex = kNoLine;
    line.endIndex = kNoLine;
    switch (line.command) {
      case ScriptCommand::If: openIfs.push_back(i); break;
      case ScriptCommand::While: openWhiles.push_back(i); break;
      case ScriptCommand::Else:
        if (!openIfs.empty()) {
          int& elseIndex = lines[static_cast<std::size_t>(openIfs.back())].elseIndex;
          if (elseIndex == kNoLine) elseIndex = i;
        }
        break;
      case ScriptCommand::EndIf:
        if (!openIfs.empty()) {
          lines[static_cast<std::size_t>(openIfs.back())].endIndex = i;
          openIfs.pop_back();
        }
        break;
      case ScriptCommand::EndWhile:
        if (!openWhiles.empty()) {
          lines[static_cast<std::size_t>(openWhiles.back())].endIndex = i;
          openWhiles.pop_back();
        }
        break;
      default: break;
    }
  }
}

std::vector<int> LoopsWithoutSleep(const std::vector<ScriptLine>& lines) {
  std::vector<int> loops;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const ScriptLine& line = lines[static_cast<std::size_t>(i)];
    if (line.command == ScriptCommand::While && line.endIndex != kNoLine && !SurelyWaits(lines, i + 1, line.endIndex)) {
      loops.push_back(i);
    }
  }
  return loops;
}

}  // namespace script
