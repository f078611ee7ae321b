// Platform: none in particular. A starting point for a new port: copy this file, keep its
// headings and fill in each operation with the system's own service.
//
// Limitations: there is no window, no input, no picture and no sound. Each missing operation
// says so once on stderr and answers the way a failed call does (no window, Yes to a question,
// false from audio), so the engine runs to its end instead of crashing. Messages, time and
// sleeping work, with the standard library only, because the engine cannot run without them.
//
// Dependencies: the C++ standard library; fonts through platform::fonts (FreeType and
// fontconfig), which a port without them replaces too.
#include "platform/template_platform.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

#include "platform/files.h"
#include "platform/fonts.h"

namespace platform {
namespace {

class TemplatePlatform final : public Platform {
 public:
  // ---- Window ---------------------------------------------------------------------------------
  // The primary screen's size in pixels (GetSystemMetrics).
  Size PrimaryScreenSize() override {
    Missing("PrimaryScreenSize");
    return Size{};
  }
  // Puts the pointer at a screen position (SetCursorPos).
  void MoveCursorTo(int, int) override { Missing("MoveCursorTo"); }
  // One window of the given outer size, title and menu bar; false when it cannot be made.
  bool CreateMainWindow(const WindowSpec&) override {
    Missing("CreateMainWindow");
    return false;
  }
  bool HasMainWindow() const override { return false; }
  // Moves and resizes the window by its outer size (SetWindowPos).
  void SetWindowPlacement(int, int, int, int) override { Missing("SetWindowPlacement"); }
  // The window's caption; Windows-1252 in, the system's encoding out (SetWindowTextA).
  void SetWindowTitle(const std::string&) override { Missing("SetWindowTitle"); }
  // The standard arrow pointer over the window (SetCursor).
  void UseArrowCursor() override { Missing("UseArrowCursor"); }
  // The window's icon in the title bar and the task list.
  void SetWindowIcon(const std::vector<uint32_t>&, int, int) override { Missing("SetWindowIcon"); }
  // Opens a web address in the user's browser, without waiting (ShellExecute "open").
  void OpenUrl(const std::string& url) override {
    std::fprintf(stderr, "tessaloom (template backend): cannot open %s\n", url.c_str());
  }

  // ---- Dialogs --------------------------------------------------------------------------------
  // A modal box. One that cannot be shown answers Yes to a question and Ok otherwise; the text
  // goes to stderr so that it is not lost.
  BoxAnswer ShowBox(BoxKind kind, bool, const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "tessaloom (template backend): box \"%s\": %s\n", caption.c_str(), text.c_str());
    return kind == BoxKind::Question ? BoxAnswer::Yes : BoxAnswer::Ok;
  }

  // ---- Messages -------------------------------------------------------------------------------
  // The next message in arrival order, waiting for one; false once the quit was posted. A real
  // port also turns the system's input events into these messages here.
  bool GetMessage(Message& out) override {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    if (quit_) return false;
    out = queue_.front();
    queue_.pop_front();
    return true;
  }
  // Ends the message loop (PostQuitMessage).
  void PostQuit(int exitCode) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!quit_) quitCode_ = exitCode;
    quit_ = true;
    changed_.notify_all();
  }
  int QuitCode() const override {
    std::lock_guard<std::mutex> lock(mutex_);
    return quitCode_;
  }
  // Queues a message from any thread (PostMessageA).
  void PostMessage(const Message& message) override {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(message);
    changed_.notify_all();
  }

  // ---- Frames ---------------------------------------------------------------------------------
  void GameLoopStarting() override { stopping_ = false; }
  void GameLoopStopping() override { stopping_ = true; }
  // Whether a pass of the game loop should run now.
  bool BeginFrame() override { return !stopping_; }
  // Shows the back buffer (rows bottom-up) one to one in the client area.
  void PresentFrame(const uint32_t*, int, int) override { Missing("PresentFrame"); }
  // The same with the frame's top-left pixel at (x, y) of the client area.
  void PresentFrameAt(const uint32_t*, int, int, int, int) override { Missing("PresentFrameAt"); }
  void EndFrame() override {}
  // Outlines the selection box over the shown picture, never in the back buffer.
  void SetDragRect(std::optional<Rect>) override { Missing("SetDragRect"); }

  // ---- Time -----------------------------------------------------------------------------------
  // Milliseconds from a steady clock, wrapping at 32 bits (GetTickCount).
  uint32_t TickCount() override {
    const auto since = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count() + 1);
  }
  void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  // ---- Audio ----------------------------------------------------------------------------------
  // Stops the tune and every effect.
  bool AudioCloseAll() override { return Missing("AudioCloseAll"); }
  // Loads the MIDI tune.
  bool MusicOpen(const std::string&) override { return Missing("MusicOpen"); }
  // Plays the tune once; its natural end posts MM_MCINOTIFY with MCI_NOTIFY_SUCCESSFUL.
  bool MusicPlayFromStart() override { return Missing("MusicPlayFromStart"); }
  // Plays a WAV file once, overlapping whatever sounds.
  void PlaySoundFile(const std::string&) override { Missing("PlaySoundFile"); }

  // ---- Fonts ----------------------------------------------------------------------------------
  // Makes a font file usable by face name for this process only.
  bool AddPrivateFont(const std::string& path) override { return fonts::RegisterPrivateFontFile(ToHostPath(path)); }

 private:
  // Says once per operation that this port lacks it; false for the callers that report.
  bool Missing(const char* operation) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (reported_.insert(operation).second) {
      std::fprintf(stderr, "tessaloom (template backend): %s is not available on this platform\n", operation);
    }
    return false;
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Message> queue_;
  bool quit_ = false;
  int quitCode_ = 0;
  std::set<std::string> reported_;
  std::atomic<bool> stopping_{false};
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

std::unique_ptr<Platform> CreateTemplatePlatform() { return std::make_unique<TemplatePlatform>(); }

}  // namespace platform
