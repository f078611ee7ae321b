// A platform backend for tests that records what the code under test asks of the system (boxes,
// quit requests, window titles, font registrations, audio commands) and lets a test decide
// whether fonts and audio commands succeed. Thread-safe: the music start thread uses it too.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/platform.h"

namespace testing_support {

struct RecordedBox {
  std::string caption;
  std::string text;
};

class RecordingPlatform : public platform::Platform {
 public:
  // What the next commands answer. By default a file that exists opens and every other
  // command succeeds.
  bool fontsAccepted = true;
  bool playSucceeds = true;
  bool closeSucceeds = true;
  // Called on the calling thread as a tune is opened (set before any thread uses the backend).
  std::function<void()> onMusicOpen;

  std::vector<RecordedBox> Boxes() const { return Locked(boxes_); }
  std::vector<std::string> Titles() const { return Locked(titles_); }
  std::vector<std::string> Fonts() const { return Locked(fonts_); }
  // "close all", "open <path>", "play", "effect <path>" in the order sent.
  std::vector<std::string> Audio() const { return Locked(audio_); }
  int QuitRequests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return quitRequests_;
  }

  // ---- Platform -------------------------------------------------------------------------
  platform::Size PrimaryScreenSize() override { return {1920, 1080}; }
  void MoveCursorTo(int, int) override {}
  bool CreateMainWindow(const platform::WindowSpec&) override { return true; }
  bool HasMainWindow() const override { return true; }
  void SetWindowPlacement(int, int, int, int) override {}
  void SetWindowTitle(const std::string& title) override { Record(titles_, title); }
  void UseArrowCursor() override {}
  void SetWindowIcon(const std::vector<uint32_t>&, int, int) override {}
  void OpenUrl(const std::string&) override {}

  platform::BoxAnswer ShowBox(platform::BoxKind, bool, const std::string& caption,
                              const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    boxes_.push_back({caption, text});
    return platform::BoxAnswer::Ok;
  }

  bool GetMessage(platform::Message&) override { return false; }
  void PostQuit(int) override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++quitRequests_;
  }
  void PostMessage(const platform::Message&) override {}

  void GameLoopStarting() override {}
  void GameLoopStopping() override {}
  bool BeginFrame() override { return false; }
  void PresentFrame(const uint32_t*, int, int) override {}
  void EndFrame() override {}
  void SetDragRect(std::optional<platform::Rect>) override {}

  uint32_t TickCount() override { return 0; }
  void Sleep(uint32_t) override {}

  bool AudioCloseAll() override {
    Record(audio_, "close all");
    return closeSucceeds;
  }
  bool MusicOpen(const std::string& path) override {
    Record(audio_, "open " + path);
    if (onMusicOpen) onMusicOpen();
    return platform::FileExists(path);
  }
  bool MusicPlayFromStart() override {
    Record(audio_, "play");
    return playSucceeds;
  }
  void PlaySoundFile(const std::string& path) override { Record(audio_, "effect " + path); }

  bool AddPrivateFont(const std::string& path) override {
    Record(fonts_, path);
    return fontsAccepted && platform::FileExists(path);
  }

 private:
  template <typename T>
  std::vector<T> Locked(const std::vector<T>& list) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return list;
  }
  void Record(std::vector<std::string>& list, const std::string& entry) {
    std::lock_guard<std::mutex> lock(mutex_);
    list.push_back(entry);
  }

  mutable std::mutex mutex_;
  std::vector<RecordedBox> boxes_;
  std::vector<std::string> titles_;
  std::vector<std::string> fonts_;
  std::vector<std::string> audio_;
  int quitRequests_ = 0;
};

}  // namespace testing_support
