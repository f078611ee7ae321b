#include "audio/music_player.h"

#include <cstdio>

#include "platform/platform.h"

namespace audio {
namespace {

// The report of a failing command, on the standard output.
void ReportError(const char* what, const char* detail) {
  std::printf("ERROR: %s\r\n%s\r\n", what, detail);
  std::fflush(stdout);
}

}  // namespace

bool CMusicPlayer::Open(const std::string& path) {
  file_ = path;
  platform::Platform& os = platform::Get();
  if (!os.AudioCloseAll()) return false;
  if (!os.MusicOpen(file_)) return false;
  return os.MusicPlayFromStart();
}

bool CMusicPlayer::Replay() {
  platform::Platform& os = platform::Get();
  os.AudioCloseAll();
  if (!os.MusicOpen(file_)) return false;
  if (!os.MusicPlayFromStart()) {
    ReportError("Sequencer device did not open!", "The play command failed.");
    return false;
  }
  return true;
}

bool CMusicPlayer::Close() { return platform::Get().AudioCloseAll(); }

}  // namespace audio
