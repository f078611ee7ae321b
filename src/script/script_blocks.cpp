#include "script/script_blocks.h"

namespace script {

void LinkBlocks(std::vector<ScriptLine>& lines) {
  std::vector<int> openIfs;
  std::vector<int> openWhiles;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    ScriptLine& line = lines[static_cast<std::size_t>(i)];
    line.elseIndex = kNoLine;
    line.endIndex = kNoLine;
    switch (line.command) {
      case ScriptCommand::If:
        openIfs.push_back(i);
        break;
      case ScriptCommand::While:
        openWhiles.push_back(i);
        break;
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
      default:
        break;
    }
  }
}

}  // namespace script
