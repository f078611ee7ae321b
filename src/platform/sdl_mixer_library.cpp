#include "platform/sdl_mixer_library.h"

#include <SDL.h>

namespace platform::sdl {
namespace {

// The run-time name of SDL2_mixer 2.x on Linux (the unversioned name exists only with the
// development package).
constexpr const char* kLibraryNames[] = {"libSDL2_mixer-2.0.so.0", "libSDL2_mixer.so"};

template <typename Function>
bool Bind(void* object, const char* name, Function& slot, std::string& error) {
  void* found = SDL_LoadFunction(object, name);
  if (!found) {
    error = SDL_GetError();
    return false;
  }
  slot = reinterpret_cast<Function>(found);
  return true;
}

}  // namespace

std::unique_ptr<MixerLibrary> MixerLibrary::Load(std::string& error) {
  void* object = nullptr;
  for (const char* name : kLibraryNames) {
    object = SDL_LoadObject(name);
    if (object) break;
  }
  if (!object) {
    error = std::string("SDL2_mixer could not be loaded: ") + SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<MixerLibrary> mixer(new MixerLibrary());
  const bool bound = Bind(object, "Mix_Init", mixer->Init, error) && Bind(object, "Mix_Quit", mixer->Quit, error) &&
                     Bind(object, "Mix_SetSoundFonts", mixer->SetSoundFonts, error) &&
                     Bind(object, "Mix_OpenAudio", mixer->OpenAudio, error) &&
                     Bind(object, "Mix_CloseAudio", mixer->CloseAudio, error) &&
                     Bind(object, "Mix_AllocateChannels", mixer->AllocateChannels, error) &&
                     Bind(object, "Mix_HookMusicFinished", mixer->HookMusicFinished, error) &&
                     Bind(object, "Mix_LoadWAV", mixer->LoadWAV, error) &&
                     Bind(object, "Mix_LoadMUS", mixer->LoadMUS, error) &&
                     Bind(object, "Mix_FreeChunk", mixer->FreeChunk, error) &&
                     Bind(object, "Mix_FreeMusic", mixer->FreeMusic, error) &&
                     Bind(object, "Mix_PlayChannel", mixer->PlayChannel, error) &&
                     Bind(object, "Mix_PlayMusic", mixer->PlayMusic, error) &&
                     Bind(object, "Mix_HaltChannel", mixer->HaltChannel, error) &&
                     Bind(object, "Mix_HaltMusic", mixer->HaltMusic, error);
  if (!bound) return nullptr;
  return mixer;
}

}  // namespace platform::sdl
