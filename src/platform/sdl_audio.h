// Music and sound effects for the SDL backend through SDL2_mixer: one MIDI tune played once with
// an end notice, and WAV effects that overlap each other and the tune. When no audio device can
// be opened every operation fails quietly (one line on stderr, once).
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/platform.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace platform::sdl {

class SdlAudio {
 public:
  // `notify` receives the tune's end notices; it is called from any thread, the mixer's included.
  explicit SdlAudio(std::function<void(const Message&)> notify);
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  // Paths are the engine's backslash-joined paths.
  bool CloseAll();
  bool MusicOpen(const std::string& path);
  bool MusicPlayFromStart();
  bool PlaySound(const std::string& path);

 private:
  enum class State { Untried, Open, Failed };
  struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const;
  };
  struct MusicFree {
    void operator()(_Mix_Music* music) const;
  };

  bool EnsureOpenLocked();
  void Fail(const std::string& reason);
  void StopMusicLocked();
  static void OnMusicFinished();

  std::function<void(const Message&)> notify_;
  std::mutex mutex_;
  State state_ = State::Untried;
  bool subsystemReady_ = false;
  std::string subsystemError_;
  std::unique_ptr<_Mix_Music, MusicFree> music_;
  std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks_;
  // Set while a tune plays that still owes its end notice; whoever clears it first (the natural
  // end or a stop) decides which notice is sent.
  std::atomic<bool> noticePending_{false};
};

}  // namespace platform::sdl
