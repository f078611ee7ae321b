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

  RunEnd Execute() {
    if (control_.firstWaitMs > 0) platform::Get().ScriptSleep(control_.firstWaitMs);
    RunPosition& position = control_.position;
    while (control_.running.load()) {
      // Only this thread writes the position; others read it under the lock.
      if (position.next >= lines_.size()) return RunEnd::Finished;
      const ScriptLine& line = lines_[position.next];
      control_.currentLine.store(line.sourceLine);
      std::unique_ptr<CBitmapSurface> picture;
      if (line.command == ScriptCommand::ShowImage) {
        picture = std::make_unique<CBitmapSurface>();
        COrvantaEngine::LoadDialogPicture(control_.world.engine.Config(), std::string(line.argument()), *picture);
      }
      uint32_t waitMs = 0;
      bool pause = false;
      {
        engine::WorldLock lock(control_.world.engine.Lock());
        position.waiting = false;
        if (line.command == ScriptCommand::Sleep) {
          waitMs = static_cast<uint32_t>(std::max(0, ReadNumber(line.argument())));
          ++position.next;
        } else if (!Step(line, picture.get())) {
          return RunEnd::Finished;
        }
        // A SLEEP of no time is a line like any other: a loop of them still pauses each slice.
        if (waitMs > 0) {
          position.sinceWait = 0;
        } else if (++position.sinceWait >= kLinesPerSlice) {
          waitMs = kPauseMs;
          pause = true;
          position.sinceWait = 0;
        }
        if (waitMs > 0) {
          position.waiting = true;
          position.wakeTick = control_.world.engine.Now() + waitMs;
        }
      }
      if (waitMs == 0) continue;
      if (pause) {
        platform::Get().ScriptYield();
      } else {
        platform::Get().ScriptSleep(waitMs);
      }
    }
    return RunEnd::Stopped;
  }

 private:
  // Runs one line under the world lock and moves to the next; false ends the run.
  bool Step(const ScriptLine& line, const CBitmapSurface* picture) TL_REQUIRES(control_.world.engine.Lock()) {
    std::size_t& next = control_.position.next;
    std::vector<std::size_t>& resume = control_.position.resume;
    next = next + 1;
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
        if (!resume.empty()) {
          next = resume.back();
          resume.pop_back();
        }
        return true;
      case ScriptCommand::Exit: control_.running.store(false); return false;
      default: RunCommand(control_.world, line, control_.owner, picture); return true;
    }
  }

  bool EnterIf(const ScriptLine& line) TL_REQUIRES(control_.world.engine.Lock()) {
    std::size_t& next = control_.position.next;
    const TestResult test = EvaluateTest(control_.world, line);
    if (test == TestResult::NoBranch) return true;
    // A missing ENDIF: the block runs to the end of the script.
    const std::size_t afterEnd = line.endIndex == kNoLine ? lines_.size() : static_cast<std::size_t>(line.endIndex) + 1;
    if (test == TestResult::True) return Push(afterEnd);
    if (line.elseIndex != kNoLine) {
      next = static_cast<std::size_t>(line.elseIndex) + 1;
      return Push(afterEnd);
    }
    next = afterEnd;
    return true;
  }

  bool EnterWhile(const ScriptLine& line) TL_REQUIRES(control_.world.engine.Lock()) {
    std::size_t& next = control_.position.next;
    const TestResult test = EvaluateTest(control_.world, line);
    if (test == TestResult::NoBranch) return true;
    if (test == TestResult::True) return Push(next - 1);
    next = line.endIndex == kNoLine ? lines_.size() : static_cast<std::size_t>(line.endIndex) + 1;
    return true;
  }

  bool Push(std::size_t position) TL_REQUIRES(control_.world.engine.Lock()) {
    std::vector<std::size_t>& resume = control_.position.resume;
    if (resume.size() >= kMaxResumePositions) return false;  // too deep: the run ends
    resume.push_back(position);
    return true;
  }

  const std::vector<ScriptLine>& lines_;
  RunControl& control_;
};

}  // namespace

RunEnd RunLines(const std::vector<ScriptLine>& lines, RunControl& control) {
  Run run(lines, control);
  return run.Execute();
}

}  // namespace script
