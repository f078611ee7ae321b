// Recorded play: the messages the game takes and the passes in which time moved the world,
// written as an input file that `--headless --input` replays to the same world. The first line
// says what the recording was made on:
//   # tessaloom recording: window 1280x832, screen 1920x1080, clock 1000000
// (the window's client size, the primary screen, and the tick count at the recording's zero).
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace app {

struct RecordingHeader {
  platform::Size window;
  platform::Size screen;
  uint32_t clock = 0;
};

std::string RecordingHeaderLine(const RecordingHeader& header);
// The header of a recording's text; nothing when its first line is not one.
std::optional<RecordingHeader> ParseRecordingHeader(const std::string& text);

class PlayRecorder {
 public:
  // Opens the file and writes the header; false when the file cannot be written.
  bool Open(const std::string& path, const RecordingHeader& header);
  // One line a message, at its tick; messages the input format has no words for are left out
  // (they change nothing in the world).
  void Message(uint32_t tick, uint32_t message, uint64_t wParam, int64_t lParam);
  void Pass(uint32_t tick);

 private:
  void Line(uint32_t tick, const std::string& words);
  std::ofstream out_;
  uint32_t clock_ = 0;
};

}  // namespace app
