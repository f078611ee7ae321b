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

class MixerLibrary;

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
    const MixerLibrary* mixer;  // set with each pointer it frees
    void operator()(Mix_Chunk* chunk) const;
  };
  struct MusicFree {
    const MixerLibrary* mixer;  // set with each pointer it frees
    void operator()(_Mix_Music* music) const;
  };

  bool EnsureOpen();
  void Fail(const std::string& reason);
  void StopMusicLocked();
  static void OnMusicFinished();

  std::function<void(const Message&)> notify_;
  std::mutex openMutex_;  // guards state_; the device opens once
  State state_ = State::Untried;
  // Bound when the device is first opened; its functions are called until the device closes.
  std::unique_ptr<MixerLibrary> mixer_;
  bool subsystemReady_ = false;
  std::string subsystemError_;
  // The tune stays loaded after a stop: opening the same file again (the tune loops by closing
  // and reopening) reuses it instead of reading the sound font again, which takes a good part
  // of a second.
  std::mutex musicMutex_;
  std::unique_ptr<_Mix_Music, MusicFree> music_;
  std::string musicPath_;
  bool musicOpen_ = false;  // opened since the last close, as the media alias would be
  // Effects have their own lock so that they never wait for a tune being loaded.
  std::mutex effectsMutex_;
  std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks_;
  // Set while a tune plays that still owes its end notice; whoever clears it first (the natural
  // end or a stop) decides which notice is sent.
  std::atomic<bool> noticePending_{false};
};

}  // namespace platform::sdl
