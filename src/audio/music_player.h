// The background tune: one MIDI file under one device, restarted from the beginning each time
// it ends. The platform delivers the end notice to the game window (MM_MCINOTIFY).
#pragma once

#include <string>

namespace audio {

class CMusicPlayer {
 public:
  CMusicPlayer() = default;
  virtual ~CMusicPlayer() = default;

  // Closes every audio device, opens the file and plays it from the start with an end notice.
  // False as soon as a step fails.
  bool Open(const std::string& path);

  // Opens the stored file again and plays it from the start. A failing play is written to the
  // standard output (the player sees nothing).
  bool Replay();

  // Closes every audio device (the tune and any effect still sounding).
  bool Close();

  const std::string& File() const { return file_; }

 private:
  // The path is kept whole and handed to the platform as one argument, so long names and
  // names with spaces need no quoting or cutting.
  std::string file_;
};

}  // namespace audio
