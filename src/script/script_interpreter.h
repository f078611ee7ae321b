// Runs the lines of one script from the first to the last. Each line takes the world lock for
// itself alone; SLEEP and the pauses of a script that never sleeps wait without it.
#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

#include "script/script_context.h"
#include "script/script_line.h"

class CGameUnit;

namespace script {

// Blocks open at once (IF entered, WHILE looping); a deeper nesting ends the run.
inline constexpr std::size_t kMaxResumePositions = 256;
// Lines a script runs without waiting before it pauses so the game goes on.
inline constexpr int kLinesPerSlice = 4096;

struct RunControl {
  ScriptContext& world;
  std::atomic<bool>& running;     // cleared by EXIT or by a stop from outside
  std::atomic<int>& currentLine;  // the source line in progress, for the state dump
  CGameUnit* owner = nullptr;     // the event unit of the start, may be null
};

// One run: line 0 to the end, EXIT, a cleared running flag or a resume stack overflow. The
// caller must not hold the world lock.
void RunLines(const std::vector<ScriptLine>& lines, RunControl& control);

}  // namespace script
