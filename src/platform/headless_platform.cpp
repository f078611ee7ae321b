// Headless backend.
// Platform: none; runs anywhere, with no display, no sound device and no window manager.
// Limits: nothing is shown or heard; boxes are answered from options; time is virtual.
// Needs: only the standard library (and the font engine for private font registration).
//
// Virtual time: each game-loop pass advances the clock by one step and then waits until the
// main thread has delivered and handled every input event that is due, so a run is the same
// bit for bit whatever the machine's speed. Without a game loop (before it starts, or when
// start-up stopped early) the main thread advances the clock itself. An input file with recorded
// passes is a replay: the game loop runs exactly those passes at their ticks, the messages come
// in file order between them, and the run ends with the recording.
#include "platform/headless_platform.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

std::string Quote(const std::string& cp1252) {
  std::string out = "\"";
  for (char c : Utf8FromCp1252(cp1252)) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

// ---- Input file ------------------------------------------------------------------------------

bool ParseKey(const std::string& name, uint32_t& vk) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.size() == 1 &&
      (std::isupper(static_cast<unsigned char>(upper[0])) || std::isdigit(static_cast<unsigned char>(upper[0])))) {
    vk = static_cast<unsigned char>(upper[0]);
    return true;
  }
  if (upper.size() >= 2 && upper[0] == 'F' && upper.find_first_not_of("0123456789", 1) == std::string::npos &&
      upper.size() <= 3) {
    int n = std::stoi(upper.substr(1));
    if (n >= 1 && n <= 24) {
      vk = kVkF1 + static_cast<uint32_t>(n - 1);
      return true;
    }
  }
  static const struct {
    const char* name;
    uint32_t vk;
  } kNamed[] = {
      {"ESC", kVkEscape}, {"ESCAPE", kVkEscape}, {"SPACE", kVkSpace}, {"ENTER", 13}, {"RETURN", 13},
      {"TAB", 9},         {"LEFT", 37},          {"UP", 38},          {"RIGHT", 39}, {"DOWN", 40},
  };
  for (const auto& named : kNamed) {
    if (upper == named.name) {
      vk = named.vk;
      return true;
    }
  }
  return false;
}

// The name ParseKey reads for a key code; empty for a key the input format has no name for.
std::string KeyName(uint32_t vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
  if (vk >= kVkF1 && vk < kVkF1 + 24) return "F" + std::to_string(vk - kVkF1 + 1);
  static const struct {
    uint32_t vk;
    const char* name;
  } kNamed[] = {
      {kVkEscape, "ESC"}, {kVkSpace, "SPACE"}, {13, "ENTER"}, {9, "TAB"},
      {37, "LEFT"},       {38, "UP"},          {39, "RIGHT"}, {40, "DOWN"},
  };
  for (const auto& named : kNamed) {
    if (vk == named.vk) return named.name;
  }
  return "";
}

// The buttons held, as mouse messages and the wheel report them, follow the events in the order
// they happen, which need not be the order of the file's lines.
void HoldButtonsInTimeOrder(std::vector<InputEvent>& events) {
  uint64_t buttons = 0;
  for (InputEvent& event : events) {
    Message& m = event.message;
    if (event.pass) continue;
    switch (m.id) {
      case kWmLButtonDown: buttons |= kMkLButton; break;
      case kWmLButtonUp: buttons &= ~kMkLButton; break;
      case kWmRButtonDown: buttons |= kMkRButton; break;
      case kWmRButtonUp: buttons &= ~kMkRButton; break;
      case kWmMButtonDown: buttons |= kMkMButton; break;
      case kWmMButtonUp: buttons &= ~kMkMButton; break;
      case kWmMouseMove: break;
      case kWmMouseWheel:
        m.wParam = MakeWheelWParam(static_cast<int16_t>((m.wParam >> 16) & 0xFFFF), buttons);
        continue;
      default: continue;
    }
    m.wParam = buttons;
  }
}

enum class TimeWord { Good, OutOfRange, NotANumber };

// A time word is a whole decimal number, optionally signed, from 0 to 2^32 - 1 milliseconds.
TimeWord ParseTime(const std::string& word, long long& ms) {
  const std::size_t digits = (word[0] == '-' || word[0] == '+') ? 1 : 0;
  if (word.size() == digits || word.find_first_not_of("0123456789", digits) != std::string::npos) {
    return TimeWord::NotANumber;
  }
  const std::size_t significant = word.find_first_not_of('0', digits);
  if (significant != std::string::npos && word.size() - significant > 10) return TimeWord::OutOfRange;
  ms = std::stoll(word);
  return (ms < 0 || ms > 0xFFFFFFFFLL) ? TimeWord::OutOfRange : TimeWord::Good;
}

}  // namespace

bool ParseInputEvents(const std::string& text, std::vector<InputEvent>& events, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0;
  std::vector<InputEvent> parsed;
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string time;
    if (!(words >> time)) continue;  // blank or comment line
    auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    long long ms = 0;
    switch (ParseTime(time, ms)) {
      case TimeWord::Good: break;
      case TimeWord::OutOfRange: return fail("time out of range");
      case TimeWord::NotANumber: return fail("expected a time in milliseconds");
    }
    std::string event;
    if (!(words >> event)) return fail("missing event");
    InputEvent input;
    input.ms = static_cast<uint32_t>(ms);
    Message& m = input.message;
    auto readPoint = [&](int& x, int& y) {
      return static_cast<bool>(words >> x >> y) && x >= -32768 && x <= 32767 && y >= -32768 && y <= 32767;
    };
    int x = 0, y = 0;
    if (event == "key") {
      std::string name;
      uint32_t vk = 0;
      if (!(words >> name) || !ParseKey(name, vk)) return fail("unknown key");
      m = {kWmKeyDown, vk, 1};
    } else if (event == "move" || event == "ldown" || event == "lup" || event == "rdown" || event == "rup" ||
               event == "mdown" || event == "mup") {
      if (!readPoint(x, y)) return fail("expected <x> <y>");
      uint32_t id = kWmMouseMove;
      if (event == "ldown") id = kWmLButtonDown;
      if (event == "lup") id = kWmLButtonUp;
      if (event == "rdown") id = kWmRButtonDown;
      if (event == "rup") id = kWmRButtonUp;
      if (event == "mdown") id = kWmMButtonDown;
      if (event == "mup") id = kWmMButtonUp;
      m = {id, 0, MakeLParam(x, y)};  // the buttons held are filled in once the events are in order
    } else if (event == "wheel") {
      int delta = 0;
      if (!(words >> delta) || delta < -32768 || delta > 32767) return fail("expected <delta>");
      m = {kWmMouseWheel, MakeWheelWParam(delta, 0), 0};
    } else if (event == "menu") {
      int id = 0;
      if (!(words >> id) || id < 0 || id > 0xFFFF) return fail("expected <id>");
      m = {kWmCommand, static_cast<uint64_t>(id), 0};
    } else if (event == "close") {
      m = {kWmClose, 0, 0};
    } else if (event == "pass") {
      input.pass = true;
    } else {
      return fail("unknown event '" + event + "'");
    }
    std::string extra;
    if (words >> extra) return fail("unexpected '" + extra + "'");
    parsed.push_back(input);
  }
  std::stable_sort(parsed.begin(), parsed.end(), [](const InputEvent& a, const InputEvent& b) { return a.ms < b.ms; });
  HoldButtonsInTimeOrder(parsed);
  events = std::move(parsed);
  return true;
}

std::string InputEventWords(const Message& m) {
  const std::string point = std::to_string(LParamX(m.lParam)) + " " + std::to_string(LParamY(m.lParam));
  switch (m.id) {
    case kWmKeyDown: {
      const std::string name = KeyName(static_cast<uint32_t>(m.wParam));
      return name.empty() ? "" : "key " + name;
    }
    case kWmMouseMove: return "move " + point;
    case kWmLButtonDown: return "ldown " + point;
    case kWmLButtonUp: return "lup " + point;
    case kWmRButtonDown: return "rdown " + point;
    case kWmRButtonUp: return "rup " + point;
    case kWmMButtonDown: return "mdown " + point;
    case kWmMButtonUp: return "mup " + point;
    case kWmMouseWheel: return "wheel " + std::to_string(static_cast<int16_t>((m.wParam >> 16) & 0xFFFF));
    case kWmCommand: return "menu " + std::to_string(m.wParam & 0xFFFF);
    case kWmClose: return "close";
    default: return "";
  }
}

namespace {

class Headless final : public HeadlessPlatform {
 public:
  explicit Headless(const HeadlessOptions& options) : options_(options) {
    if (options_.stepMs == 0) options_.stepMs = 1;
    following_ =
        std::any_of(options_.events.begin(), options_.events.end(), [](const InputEvent& event) { return event.pass; });
  }

  // ---- Window: remembered and written to the transcript -------------------------------------
  Size PrimaryScreenSize() override { return options_.screen; }
  void MoveCursorTo(int, int) override {}
  bool CreateMainWindow(const WindowSpec& window) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      window_ = window;
    }
    hasWindow_ = true;
    Note("window " + std::to_string(window.x) + " " + std::to_string(window.y) + " " + std::to_string(window.width) +
         " " + std::to_string(window.height));
    Note("title " + Quote(window.title));
    return true;
  }
  bool HasMainWindow() const override { return hasWindow_; }
  void SetWindowPlacement(int x, int y, int width, int height) override {
    Note("window " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
         std::to_string(height));
  }
  void SetWindowTitle(const std::string& title) override { Note("title " + Quote(title)); }
  void UseArrowCursor() override {}
  void SetWindowIcon(const std::vector<uint32_t>&, int, int) override {}
  void OpenUrl(const std::string& url) override { Note("url " + url); }
  void NoteShown(ShownText kind, const std::string& unit, const std::string& text) override {
    switch (kind) {
      case ShownText::HudMessage: Note("hud " + Quote(text)); break;
      case ShownText::Bubble: Note("bubble " + Utf8FromCp1252(unit) + " " + Quote(text)); break;
      case ShownText::Name: Note("name " + Utf8FromCp1252(unit) + " " + Quote(text)); break;
      case ShownText::Banner: Note("banner " + Quote(text)); break;
      case ShownText::ImageDialog: Note("image " + Utf8FromCp1252(text)); break;
    }
  }

  // ---- Dialogs: answered at once from the options ------------------------------------------
  BoxAnswer ShowBox(BoxKind kind, bool owned, const std::string& caption, const std::string& text) override {
    BoxAnswer answer = BoxAnswer::Ok;
    if (kind == BoxKind::Question) answer = options_.answerYes ? BoxAnswer::Yes : BoxAnswer::No;
    static const char* kKinds[] = {"error", "info", "question"};
    static const char* kAnswers[] = {"ok", "yes", "no"};
    Note(std::string("box ") + kKinds[static_cast<int>(kind)] + " owner=" + (owned ? "main" : "none") +
         " caption=" + Quote(caption) + " text=" + Quote(text) + " answer=" + kAnswers[static_cast<int>(answer)]);
    return answer;
  }

  // ---- Messages -----------------------------------------------------------------------------
  bool GetMessage(Message& out) override {
    std::unique_lock<std::mutex> lock(mutex_);
    mainIdle_ = false;
    while (true) {
      if (!posted_.empty()) {
        out = posted_.front();
        posted_.pop_front();
        return true;
      }
      if (quitPosted_) {
        // Scripts already started run until they wait, so the final state does not depend on
        // how far they got when the quit came.
        changed_.wait(lock, [&] { return scriptsBusy_ == 0; });
        if (!quitNoted_) {
          quitNoted_ = true;
          NoteLocked("quit " + std::to_string(quitCode_));
        }
        return false;
      }
      if (scriptsBusy_ == 0 && MessageDueLocked()) {
        const InputEvent& event = options_.events[nextEvent_];
        if (following_ && event.ms > elapsed_) {
          // A replayed message reads the tick it was recorded at; scripts whose sleep ends by
          // then run first, as they would have in real time.
          elapsed_ = event.ms;
          WakeSleepersLocked();
          changed_.notify_all();
          continue;
        }
        ++nextEvent_;
        out = event.message;
        return true;
      }
      if (loopActive_) {
        mainIdle_ = true;
        changed_.notify_all();
        changed_.wait(lock);
        mainIdle_ = false;
      } else {
        // No game loop: the message loop keeps time itself, once the script threads wait.
        changed_.wait(lock, [&] { return scriptsBusy_ == 0; });
        AdvanceLocked();
      }
    }
  }
  void PostQuit(int exitCode) override {
    std::lock_guard<std::mutex> lock(mutex_);
    PostQuitLocked(exitCode);
  }
  void PostMessage(const Message& message) override {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back(message);
    changed_.notify_all();
  }

  // ---- Frames -------------------------------------------------------------------------------
  void GameLoopStarting() override {
    std::lock_guard<std::mutex> lock(mutex_);
    loopActive_ = true;
  }
  void GameLoopStopping() override {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
  }
  bool BeginFrame() override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (following_ && !stopping_ && !quitPosted_) {
      // A replay: the messages recorded before this pass first, then the pass at its tick.
      changed_.wait(
          lock, [&] { return stopping_ || quitPosted_ || (mainIdle_ && !HasDueWorkLocked() && scriptsBusy_ == 0); });
      if (!stopping_ && !quitPosted_) AdvanceLocked();
    } else if (!stopping_ && !quitPosted_) {
      // Script threads have their turn before the clock moves, so each pass sees the same world.
      changed_.wait(lock, [&] { return scriptsBusy_ == 0 || stopping_ || quitPosted_; });
      if (passResumed_) {
        passResumed_ = false;
        if (options_.frames >= 0 && passes_ > options_.frames) PostQuitLocked(0);
      } else {
        AdvanceLocked();
      }
      // Let the main thread deliver and handle every event now due before the world moves.
      changed_.wait(
          lock, [&] { return stopping_ || quitPosted_ || (mainIdle_ && !HasDueWorkLocked() && scriptsBusy_ == 0); });
    }
    if (stopping_ || quitPosted_) {
      // The run is ending: no more passes, so the final state does not depend on timing.
      changed_.wait(lock, [&] { return stopping_; });
      return false;
    }
    frameOpen_ = true;
    return true;
  }
  void PresentFrame(const uint32_t* bottomUpPixels, int width, int height) override {
    PresentFrameAt(bottomUpPixels, width, height, 0, 0);
  }
  void PresentFrameAt(const uint32_t* bottomUpPixels, int width, int height, int x, int y) override {
    if (!options_.keepFrames || bottomUpPixels == nullptr || width <= 0 || height <= 0) return;
    std::lock_guard<std::mutex> lock(frameMutex_);
    frame_.assign(bottomUpPixels, bottomUpPixels + static_cast<std::size_t>(width) * height);
    frameWidth_ = width;
    frameHeight_ = height;
    frameX_ = x;
    frameY_ = y;
  }
  void EndFrame() override {
    // Scripts the frame started run until they wait before anything looks at the world again.
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return scriptsBusy_ == 0 || stopping_; });
    passInProgress_ = false;
    frameOpen_ = false;
    // Scripts the pass started have their first turn now, before the clock moves again.
    WakeSleepersLocked(true);
    changed_.notify_all();
  }
  void SetDragRect(std::optional<Rect>) override {}

  // ---- Time ---------------------------------------------------------------------------------
  uint32_t TickCount() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return options_.clockStart + elapsed_;
  }
  void Sleep(uint32_t ms) override {
    std::unique_lock<std::mutex> lock(mutex_);
    uint64_t until = static_cast<uint64_t>(elapsed_) + ms;
    changed_.wait(lock, [&] { return stopping_ || elapsed_ >= until; });
  }

  // ---- Script threads: the clock moves only while every one of them waits -------------------
  void ScriptThreadStarted() override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++scriptsBusy_;
  }
  void ScriptThreadBegins() override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!frameOpen_ || scriptsWoken_) return;
    Sleeper sleeper;
    sleeper.untilPassEnds = true;
    sleepers_.push_back(&sleeper);
    --scriptsBusy_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return sleeper.woken; });
  }
  void ScriptThreadEnded() override {
    std::lock_guard<std::mutex> lock(mutex_);
    --scriptsBusy_;
    changed_.notify_all();
  }
  void ScriptSleep(uint32_t ms) override {
    if (ms > 0) WaitForClock(ms);
  }
  // Until the next pass.
  void ScriptYield() override { WaitForClock(1); }
  bool VirtualClock(ClockPosition& position) const override {
    std::lock_guard<std::mutex> lock(mutex_);
    position = {elapsed_, passes_};
    return true;
  }
  void ResumeClock(const ClockPosition& position) override {
    std::lock_guard<std::mutex> lock(mutex_);
    elapsed_ = position.elapsedMs;
    passes_ = position.passes;
    // The save was made after its pass began and before it ran: that pass comes next.
    passResumed_ = passes_ > 0;
    if (!following_) {
      while (nextEvent_ < options_.events.size() && options_.events[nextEvent_].ms <= elapsed_) ++nextEvent_;
    }
    changed_.notify_all();
  }
  void WakeScripts(bool wake) override {
    std::lock_guard<std::mutex> lock(mutex_);
    scriptsWoken_ = wake;
    if (wake) WakeSleepersLocked();
    changed_.notify_all();
  }

  // ---- Audio: written to the transcript ------------------------------------------------------
  bool AudioCloseAll() override {
    Note("music close");
    return true;
  }
  bool MusicOpen(const std::string& path) override {
    Note("music open " + Utf8FromCp1252(path));
    return FileExists(path);
  }
  bool MusicPlayFromStart() override {
    Note("music play");
    return true;
  }
  void PlaySoundFile(const std::string& path) override {
    // Bots' shots and alerts play hundreds of sounds in one step: without a transcript, no line
    // is composed for them.
    if (options_.transcript != nullptr) Note("sound " + Utf8FromCp1252(path));
  }

  // ---- Fonts --------------------------------------------------------------------------------
  bool AddPrivateFont(const std::string& path) override {
    Note("font " + Utf8FromCp1252(path));
    return fonts::RegisterPrivateFontFile(ToHostPath(path));
  }

  // ---- Threads ------------------------------------------------------------------------------
  // The thread's transcript lines would otherwise interleave with start-up's own by chance.
  void StartupThreadCreated(std::thread& thread) override {
    if (thread.joinable()) thread.join();
  }

  // ---- Headless extras ----------------------------------------------------------------------
  std::vector<uint32_t> LastFrame(int& width, int& height) const override {
    std::lock_guard<std::mutex> lock(frameMutex_);
    width = frameWidth_;
    height = frameHeight_;
    return frame_;
  }
  void LastFramePosition(int& x, int& y) const override {
    std::lock_guard<std::mutex> lock(frameMutex_);
    x = frameX_;
    y = frameY_;
  }
  WindowSpec MainWindow() const override {
    std::lock_guard<std::mutex> lock(mutex_);
    return window_;
  }
  uint32_t ElapsedMs() const override {
    std::lock_guard<std::mutex> lock(mutex_);
    return elapsed_;
  }
  int64_t PassesRun() const override {
    std::lock_guard<std::mutex> lock(mutex_);
    return passes_;
  }
  int QuitCode() const override {
    std::lock_guard<std::mutex> lock(mutex_);
    return quitCode_;
  }
  void Note(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    NoteLocked(text);
  }

 private:
  void NoteLocked(const std::string& text) {
    if (options_.transcript == nullptr) return;
    *options_.transcript << elapsed_ << ' ' << text << '\n';
    options_.transcript->flush();
  }
  void PostQuitLocked(int exitCode) {
    if (!quitPosted_) quitCode_ = exitCode;
    quitPosted_ = true;
    changed_.notify_all();
  }
  // One pass of virtual time; the pass after the last one allowed ends the run. A replay's
  // game loop takes the recorded passes in turn, at their ticks, and ends with the recording.
  void AdvanceLocked() {
    if (options_.frames >= 0 && passes_ >= options_.frames) {
      PostQuitLocked(0);
      return;
    }
    if (following_ && loopActive_) {
      if (nextEvent_ >= options_.events.size()) {
        PostQuitLocked(0);
        return;
      }
      elapsed_ = std::max(elapsed_, options_.events[nextEvent_++].ms);
      passInProgress_ = true;
    } else {
      elapsed_ += options_.stepMs;
    }
    ++passes_;
    WakeSleepersLocked();
    changed_.notify_all();
  }
  // The next message may be delivered: by its time, or in a replay by its place in the file,
  // once the pass before it has ended.
  bool MessageDueLocked() const {
    if (nextEvent_ >= options_.events.size()) return false;
    const InputEvent& event = options_.events[nextEvent_];
    if (following_) return !event.pass && !passInProgress_;
    return event.ms <= elapsed_;
  }

  // A script thread waiting for the clock. The waker counts it busy again at once, so that no
  // other thread can see all scripts waiting between its wake-up and its next line.
  struct Sleeper {
    uint64_t until = 0;
    bool woken = false;
    bool untilPassEnds = false;  // a script a pass started, before its first line
  };
  void WaitForClock(uint32_t ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    Sleeper sleeper{static_cast<uint64_t>(elapsed_) + ms, false, false};
    if (scriptsWoken_) return;
    sleepers_.push_back(&sleeper);
    --scriptsBusy_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return sleeper.woken; });
  }
  // Wakes the sleepers whose time has come and, at the end of a pass, the scripts it started.
  void WakeSleepersLocked(bool passEnded = false) {
    for (auto it = sleepers_.begin(); it != sleepers_.end();) {
      const bool due = (*it)->untilPassEnds ? passEnded : (*it)->until <= elapsed_;
      if (scriptsWoken_ || due) {
        (*it)->woken = true;
        ++scriptsBusy_;
        it = sleepers_.erase(it);
      } else {
        ++it;
      }
    }
  }
  bool HasDueWorkLocked() const { return !posted_.empty() || MessageDueLocked(); }

  HeadlessOptions options_;
  std::atomic<bool> hasWindow_{false};
  WindowSpec window_;  // guarded by mutex_

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  uint32_t elapsed_ = 0;
  int64_t passes_ = 0;
  std::size_t nextEvent_ = 0;
  bool following_ = false;       // the events hold recorded passes: the clock follows them
  bool passInProgress_ = false;  // a replayed pass has begun and not yet ended
  bool frameOpen_ = false;       // between a BeginFrame that returned true and its EndFrame
  bool passResumed_ = false;     // a saved game resumed: its pass is begun already
  std::deque<Message> posted_;
  bool quitPosted_ = false;
  bool quitNoted_ = false;
  int quitCode_ = 0;
  bool loopActive_ = false;
  bool mainIdle_ = false;
  bool stopping_ = false;
  int scriptsBusy_ = 0;             // script threads running lines
  bool scriptsWoken_ = false;       // shutdown: no script waits
  std::vector<Sleeper*> sleepers_;  // in the order they began to wait

  mutable std::mutex frameMutex_;
  std::vector<uint32_t> frame_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  int frameX_ = 0;
  int frameY_ = 0;
};

}  // namespace

std::unique_ptr<HeadlessPlatform> CreateHeadlessPlatform(const HeadlessOptions& options) {
  return std::make_unique<Headless>(options);
}

}  // namespace platform
