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
// How long that pause lasts on the world clock: until the next tick.
inline constexpr uint32_t kPauseMs = 1;

// Where a run is: what a saved game keeps of it. Written by the run under the world lock, so a
// reader holding the lock sees it between two lines.
struct RunPosition {
  std::size_t next = 0;             // the line to run next
  std::vector<std::size_t> resume;  // where each open block goes on
  int sinceWait = 0;                // lines run since the run last waited
  bool waiting = false;             // in a SLEEP or a pause, until wakeTick of the world clock
  uint32_t wakeTick = 0;
};

// How a run ended.
enum class RunEnd { Finished, Stopped };

struct RunControl {
  ScriptContext& world;
  std::atomic<bool>& running;     // cleared by EXIT or by a stop from outside
  std::atomic<int>& currentLine;  // the source line in progress, for the state dump
  CGameUnit* owner = nullptr;     // the event unit of the start, may be null
  RunPosition& position;          // written by the run under the world lock
  uint32_t firstWaitMs = 0;       // a resumed run waits this long before its next line
};

// One run from the position: to the end, EXIT or a resume stack overflow (Finished), or until a
// stop from outside clears the running flag (Stopped: the position is where it goes on). The
// caller must not hold the world lock.
RunEnd RunLines(const std::vector<ScriptLine>& lines, RunControl& control);

}  // namespace script
