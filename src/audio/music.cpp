#include "audio/music.h"

#include "audio/music_player.h"
#include "platform/platform.h"

namespace audio {

Music::Music() = default;

Music::~Music() { JoinStartThread(); }

void Music::JoinStartThread() {
  if (startThread_.joinable()) startThread_.join();
}

void Music::Start(const std::string& path) {
  JoinStartThread();
  startThread_ = std::thread([this, path] {
    std::lock_guard<std::mutex> lock(mutex_);
    player_ = std::make_unique<CMusicPlayer>();
    player_->Open(path);
  });
  platform::Get().StartupThreadCreated(startThread_);
}

void Music::OnNotify(uint64_t wParam) {
  if (wParam != platform::kMciNotifySuccessful) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (player_) player_->Replay();
}

void Music::Shutdown() {
  JoinStartThread();
  std::lock_guard<std::mutex> lock(mutex_);
  if (player_) {
    player_->Close();
    player_.reset();
  } else {
    platform::Get().AudioCloseAll();
  }
}

bool Music::HasPlayer() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return player_ != nullptr;
}

}  // namespace audio
