#include "audio/music.h"

#include <memory>
#include <mutex>
#include <thread>

#include "audio/music_player.h"
#include "platform/platform.h"

namespace audio {
namespace {

struct MusicState {
  std::mutex mutex;  // guards player
  std::unique_ptr<CMusicPlayer> player;
  std::thread startThread;  // touched by the main thread only
};

MusicState& State() {
  static MusicState state;
  return state;
}

void JoinStartThread() {
  if (State().startThread.joinable()) State().startThread.join();
}

}  // namespace

void StartMusic(const std::string& path) {
  JoinStartThread();
  State().startThread = std::thread([path] {
    MusicState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.player = std::make_unique<CMusicPlayer>();
    state.player->Open(path);
  });
  platform::Get().StartupThreadCreated(State().startThread);
}

void OnMusicNotify(uint64_t wParam) {
  if (wParam != platform::kMciNotifySuccessful) return;
  MusicState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (state.player) state.player->Replay();
}

void ShutdownMusic() {
  JoinStartThread();
  MusicState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (state.player) {
    state.player->Close();
    state.player.reset();
  } else {
    platform::Get().AudioCloseAll();
  }
}

bool HasMusicPlayer() {
  std::lock_guard<std::mutex> lock(State().mutex);
  return State().player != nullptr;
}

}  // namespace audio
