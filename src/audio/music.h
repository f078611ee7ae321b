// The one background tune of a run: started on a short-lived thread at start-up, restarted by
// the window thread when it ends, closed at shutdown. One lock keeps the start thread and the
// window thread from driving the player at the same time. Each world has its own.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace audio {

class CMusicPlayer;

class Music {
 public:
  Music();
  // Waits for a start thread still running; the device is closed by Shutdown.
  ~Music();
  Music(const Music&) = delete;
  Music& operator=(const Music&) = delete;

  // Starts a thread that creates the music player and opens the tune (the thread ends then).
  // Called on the main thread; a second call first waits for the previous start thread. The
  // backend may wait for the new thread at once (the headless one does, for a fixed transcript).
  void Start(const std::string& path);
  // The window procedure's MM_MCINOTIFY: only a tune that ended normally (1) starts again; a
  // tune stopped or replaced (2, 4, ...) stays silent.
  void OnNotify(uint64_t wParam);
  // Called once the game-loop thread has ended: waits for the start thread, then closes every
  // audio device and frees the player. "close all" is sent even without a player, so effects
  // still sounding stop with the game. Leaves the state as before Start.
  void Shutdown();
  // Whether a player exists (created by the start thread, freed by Shutdown).
  bool HasPlayer() const;

 private:
  void JoinStartThread();

  mutable std::mutex mutex_;  // guards player_
  std::unique_ptr<CMusicPlayer> player_;
  std::thread startThread_;  // touched by the main thread only
};

}  // namespace audio
