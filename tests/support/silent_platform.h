// A backend with no screen, no sound and nobody at the keyboard, for tests and fuzz targets that
// drive the engine by hand: windows, boxes, messages, frames, music and fonts do nothing (a box
// is answered OK). Each user keeps the clock of its own and overrides what it watches.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace testing_support {

class SilentPlatform : public platform::Platform {
 public:
  platform::Size PrimaryScreenSize() override { return {1920, 1080}; }
  void MoveCursorTo(int, int) override {}
  bool CreateMainWindow(const platform::WindowSpec&) override { return true; }
  bool HasMainWindow() const override { return true; }
  void SetWindowPlacement(int, int, int, int) override {}
  void SetWindowTitle(const std::string&) override {}
  void UseArrowCursor() override {}
  void SetWindowIcon(const std::vector<uint32_t>&, int, int) override {}
  void OpenUrl(const std::string&) override {}
  platform::BoxAnswer ShowBox(platform::BoxKind, bool, const std::string&, const std::string&) override {
    return platform::BoxAnswer::Ok;
  }
  bool GetMessage(platform::Message&) override { return false; }
  void PostQuit(int) override {}
  int QuitCode() const override { return 0; }
  void PostMessage(const platform::Message&) override {}
  void GameLoopStarting() override {}
  void GameLoopStopping() override {}
  bool BeginFrame() override { return false; }
  void PresentFrame(const uint32_t*, int, int) override {}
  void PresentFrameAt(const uint32_t*, int, int, int, int) override {}
  void EndFrame() override {}
  void SetDragRect(std::optional<platform::Rect>) override {}
  void Sleep(uint32_t) override {}
  bool AudioCloseAll() override { return true; }
  bool MusicOpen(const std::string&) override { return false; }
  bool MusicPlayFromStart() override { return false; }
  void PlaySoundFile(const std::string&) override {}
  bool AddPrivateFont(const std::string&) override { return false; }
};

}  // namespace testing_support
