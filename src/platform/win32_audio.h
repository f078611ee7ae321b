// Music and sound effects for the Win32 backend through MCI command strings: the MIDI tune under
// the alias MUSIC, played with an end notice, and effects that each get a device of their own so
// that they overlap each other and the tune. MCI posts its notices to a message-only window of
// the thread that made the player (the main thread, whose message loop dispatches them).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_windows.h"

namespace platform::win32 {

// What becomes of one MM_MCINOTIFY, by the device it names (its lParam): the tune's notices go
// on to the engine, which loops the tune on a successful end; an effect's device is closed
// once its notice arrives; notices of devices already closed are dropped.
class MciNotices {
 public:
  enum class Kind { ToEngine, CloseEffect, Drop };
  struct Route {
    Kind kind = Kind::Drop;
    std::wstring alias;  // the effect's alias, for CloseEffect
  };

  // MCI hands out the ids of closed devices again: a new device replaces what its id named.
  void MusicOpened(uint32_t device) {
    effects_.erase(device);
    music_ = device;
  }
  void EffectOpened(uint32_t device, std::wstring alias) {
    if (device == music_) music_ = 0;
    effects_[device] = std::move(alias);
  }
  void AllClosed() { effects_.clear(); }
  // The aliases of the effects still open.
  std::vector<std::wstring> EffectAliases() const {
    std::vector<std::wstring> aliases;
    for (const auto& [device, alias] : effects_) aliases.push_back(alias);
    return aliases;
  }
  // Forgets the effect it names.
  Route Take(uint32_t device);

 private:
  uint32_t music_ = 0;  // 0: no tune was opened (MCI never gives device 0)
  std::map<uint32_t, std::wstring> effects_;
};

class Win32Audio {
 public:
  // `notify` receives the tune's notices (MM_MCINOTIFY with MCI's wParam) on the thread that
  // dispatches the notice window's messages.
  explicit Win32Audio(std::function<void(const Message&)> notify);
  ~Win32Audio();
  Win32Audio(const Win32Audio&) = delete;
  Win32Audio& operator=(const Win32Audio&) = delete;

  // Paths are the engine's Windows-1252 backslash-joined paths.
  bool CloseAll();
  bool MusicOpen(const std::string& path);
  bool MusicPlayFromStart();
  void PlaySound(const std::string& path);

  HWND NoticeWindow() const { return window_; }

 private:
  static LRESULT CALLBACK NoticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnNotice(WPARAM wParam, LPARAM lParam);
  bool Send(const std::wstring& command);

  std::function<void(const Message&)> notify_;
  HWND window_ = nullptr;
  std::mutex mutex_;  // guards notices_ and nextEffect_
  MciNotices notices_;
  uint64_t nextEffect_ = 0;
  bool musicOpen_ = false;  // the tune's device is open under its alias
};

}  // namespace platform::win32
