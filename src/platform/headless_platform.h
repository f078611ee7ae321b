// The headless backend: no display, a virtual clock, input from an event file, boxes answered
// from options, and everything a user would see or hear written to a transcript. The same
// project, input and options give the same frames and the same state.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// One line of an input file: what happens and when, in milliseconds from the start of the run.
struct InputEvent {
  uint32_t ms = 0;
  Message message;
  // A recorded game-loop pass rather than a message: when a file has any, the clock follows
  // them (a replay), and messages come in file order between them.
  bool pass = false;
};

struct HeadlessOptions {
  uint32_t stepMs = 10;                // virtual milliseconds per game-loop pass
  int64_t frames = -1;                 // passes before the run ends as if quit; -1: no limit
  bool answerYes = true;               // the answer to every question box
  Size screen{1920, 1080};             // the primary screen the backend reports
  std::vector<InputEvent> events;      // sorted by time
  std::ostream* transcript = nullptr;  // not owned; null: no transcript
  bool keepFrames = false;             // keep the last presented frame (for a screenshot)
  uint32_t clockStart = 0x00F00000;    // the tick count at the start (real counters are far from 0)
};

// Parses an input file's text. On a bad line returns false with a one-line reason.
bool ParseInputEvents(const std::string& text, std::vector<InputEvent>& events, std::string& error);
// The words of an input line for a message ("key Z", "ldown 10 20", "close", ...), without the
// time; empty for a message the input format has no words for.
std::string InputEventWords(const Message& message);

class HeadlessPlatform;
std::unique_ptr<HeadlessPlatform> CreateHeadlessPlatform(const HeadlessOptions& options);

class HeadlessPlatform : public Platform {
 public:
  // The last presented frame as it was handed over (rows bottom-up) and its size; empty before
  // any frame.
  virtual std::vector<uint32_t> LastFrame(int& width, int& height) const = 0;
  // Where the last frame's top-left pixel went in the client area ((0, 0) for a whole-window
  // present).
  virtual void LastFramePosition(int& x, int& y) const = 0;
  // The window as it was asked for (menus, button labels); empty before it exists.
  virtual WindowSpec MainWindow() const = 0;
  // Virtual milliseconds since the start of the run.
  virtual uint32_t ElapsedMs() const = 0;
  virtual int64_t PassesRun() const = 0;
  // Writes a transcript line "<ms> <text>".
  virtual void Note(const std::string& text) = 0;
};

}  // namespace platform
