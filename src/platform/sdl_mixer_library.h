// The SDL2_mixer functions the sound uses, taken from the shared library when sound is first
// needed rather than bound at start-up: the mixer pulls in some fifteen libraries of its own (a
// synthesiser, codecs, sound servers), and mapping them slowed the start of every run, even one
// that never sounds, as a headless run never does.
#pragma once

#include <SDL_mixer.h>

#include <memory>
#include <string>

namespace platform::sdl {

class MixerLibrary {
 public:
  // The loaded library with every function bound, or null with `error` saying what was missing.
  static std::unique_ptr<MixerLibrary> Load(std::string& error);
  // The library stays loaded for the rest of the process: libraries it brings keep one-time
  // state of their own that unloading would leave behind, unreachable.
  ~MixerLibrary() = default;
  MixerLibrary(const MixerLibrary&) = delete;
  MixerLibrary& operator=(const MixerLibrary&) = delete;

  decltype(&Mix_Init) Init = nullptr;
  decltype(&Mix_Quit) Quit = nullptr;
  decltype(&Mix_SetSoundFonts) SetSoundFonts = nullptr;
  decltype(&Mix_OpenAudio) OpenAudio = nullptr;
  decltype(&Mix_CloseAudio) CloseAudio = nullptr;
  decltype(&Mix_AllocateChannels) AllocateChannels = nullptr;
  decltype(&Mix_HookMusicFinished) HookMusicFinished = nullptr;
  decltype(&Mix_LoadWAV) LoadWAV = nullptr;
  decltype(&Mix_LoadMUS) LoadMUS = nullptr;
  decltype(&Mix_FreeChunk) FreeChunk = nullptr;
  decltype(&Mix_FreeMusic) FreeMusic = nullptr;
  decltype(&Mix_PlayChannel) PlayChannel = nullptr;
  decltype(&Mix_PlayMusic) PlayMusic = nullptr;
  decltype(&Mix_HaltChannel) HaltChannel = nullptr;
  decltype(&Mix_HaltMusic) HaltMusic = nullptr;

 private:
  MixerLibrary() = default;
};

}  // namespace platform::sdl
