#include "script/script_interpreter.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "config/game_config.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "platform/platform.h"
#include "script/script_commands.h"
#include "script/script_tests.h"
#include "script/script_values.h"
#include "script/script_variables.h"

namespace script {
namespace {

// SET on a variable: a sign or a digit first makes a number change, TRUE/FALSE a boolean, any
// other word, and any quoted value, text.
void SetVariable(VariableTable& variables, const ScriptLine& line) {
  const std::string_view value = line.value();
  if (value.empty() || line.rightDotted || line.argument().empty()) return;
  const char first = value[0];
  if (line.valueQuoted) {
    variables.SetText(line.argument(), value);
  } else if (first == '+' || first == '-' || (first >= '0' && first <= '9')) {
    const NumberChange change = first == '+'   ? NumberChange::Add
                                : first == '-' ? NumberChange::Subtract
                                               : NumberChange::Assign;
    const int32_t number = change == NumberChange::Assign ? ReadNumber(value) : ReadNumber(value.substr(1));
    variables.SetNumber(line.argument(), change, number);
  } else if (auto flag = ReadBoolean(value)) {
    variables.SetBoolean(line.argument(), *flag);
  } else {
    variables.SetText(line.argument(), value);
  }
}

class Run {
 public:
  Run(const std::vector<ScriptLine>& lines, RunControl& control) : lines_(lines), control_(control) {}

  void Execute() {
    int sinceWait = 0;
    while (next_ < lines_.size() && control_.running.load()) {
      const ScriptLine& line = lines_[next_];
      control_.currentLine.store(line.sourceLine);
      if (line.command == ScriptCommand::Sleep) {
        platform::Get().ScriptSleep(static_cast<uint32_t>(std::max(0, ReadNumber(line.argument()))));
        sinceWait = 0;
        ++next_;
        continue;
      }
      std::unique_ptr<CBitmapSurface> picture;
      if (line.command == ScriptCommand::ShowImage) {
        picture = std::make_unique<CBitmapSurface>();
        LoadDialogPicture(control_.world.engine.Config().launcher, std::string(line.argument()), *picture);
      }
      {
        engine::WorldLock lock(control_.world.engine.Lock());
        if (!Step(line, picture.get())) return;
      }
      if (++sinceWait >= kLinesPerSlice) {
        platform::Get().ScriptYield();
        sinceWait = 0;
      }
    }
  }

 private:
  // Runs one line under the world lock and moves to the next; false ends the run.
  bool Step(const ScriptLine& line, const CBitmapSurface* picture) TL_REQUIRES(control_.world.engine.Lock()) {
    const std::size_t after = next_ + 1;
    next_ = after;
    switch (line.command) {
      case ScriptCommand::Set:
        if (line.leftDotted) {
          SetProperty(control_.world, line);
        } else {
          SetVariable(control_.world.variables, line);
        }
        return true;
      case ScriptCommand::If: return EnterIf(line);
      case ScriptCommand::While: return EnterWhile(line);
      case ScriptCommand::Else:
      case ScriptCommand::EndIf:
      case ScriptCommand::EndWhile:
        if (!resume_.empty()) {
          next_ = resume_.back();
          resume_.pop_back();
        }
        return true;
      case ScriptCommand::Exit: control_.running.store(false); return false;
      default: RunCommand(control_.world, line, control_.owner, picture); return true;
    }
  }

  bool EnterIf(const ScriptLine& line) TL_REQUIRES(control_.world.engine.Lock()) {
    const TestResult test = EvaluateTest(control_.world, line);
    if (test == TestResult::NoBranch) return true;
    // A missing ENDIF: the block runs to the end of the script.
    const std::size_t afterEnd = line.endIndex == kNoLine ? lines_.size() : static_cast<std::size_t>(line.endIndex) + 1;
    if (test == TestResult::True) return Push(afterEnd);
    if (line.elseIndex != kNoLine) {
      next_ = static_cast<std::size_t>(line.elseIndex) + 1;
      return Push(afterEnd);
    }
    next_ = afterEnd;
    return true;
  }

  bool EnterWhile(const ScriptLine& line) TL_REQUIRES(control_.world.engine.Lock()) {
    const TestResult test = EvaluateTest(control_.world, line);
    if (test == TestResult::NoBranch) return true;
    if (test == TestResult::True) return Push(next_ - 1);
    next_ = line.endIndex == kNoLine ? lines_.size() : static_cast<std::size_t>(line.endIndex) + 1;
    return true;
  }

  bool Push(std::size_t position) {
    if (resume_.size() >= kMaxResumePositions) return false;  // too deep: the run ends
    resume_.push_back(position);
    return true;
  }

  const std::vector<ScriptLine>& lines_;
  RunControl& control_;
  std::size_t next_ = 0;
  std::vector<std::size_t> resume_;
};

}  // namespace

void RunLines(const std::vector<ScriptLine>& lines, RunControl& control) {
  Run run(lines, control);
  run.Execute();
}

}  // namespace script
