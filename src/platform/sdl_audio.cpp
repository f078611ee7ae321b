#include "platform/sdl_audio.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/files.h"
#include "platform/sdl_mixer_library.h"

namespace platform::sdl {
namespace {

// General MIDI instruments for the tune (Debian's fluid-soundfont-gm).
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr int kEffectChannels = 32;
constexpr int kChunkSamples = 1024;

// The mixer's finished-music hook is a plain function: it reaches the open player through here.
std::atomic<SdlAudio*> g_player{nullptr};

bool FileReadable(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace

void SdlAudio::ChunkFree::operator()(Mix_Chunk* chunk) const { mixer->FreeChunk(chunk); }
void SdlAudio::MusicFree::operator()(_Mix_Music* music) const { mixer->FreeMusic(music); }

SdlAudio::SdlAudio(std::function<void(const Message&)> notify) : notify_(std::move(notify)) {
  // The subsystem starts here, on the constructing (main) thread, because SDL's subsystem
  // bookkeeping is not thread-safe; the device itself opens on first use.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    subsystemError_ = SDL_GetError();
    return;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  if (driver && std::string_view(driver) == "disk") {
    // The "disk" driver writes the mixed sound into a file: never wanted here.
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemError_ = "the disk audio driver is refused";
    return;
  }
  subsystemReady_ = true;
}

SdlAudio::~SdlAudio() {
  if (state_ == State::Open) {
    mixer_->HookMusicFinished(nullptr);
    g_player.store(nullptr);
    noticePending_.store(false);
    mixer_->HaltMusic();
    mixer_->HaltChannel(-1);
    music_.reset();
    chunks_.clear();
    mixer_->CloseAudio();
    mixer_->Quit();
  }
  mixer_.reset();
  if (subsystemReady_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::Fail(const std::string& reason) {
  state_ = State::Failed;
  std::fprintf(stderr, "tessaloom: no sound (%s); music and effects stay silent\n", reason.c_str());
}

bool SdlAudio::EnsureOpen() {
  std::lock_guard<std::mutex> lock(openMutex_);
  if (state_ != State::Untried) return state_ == State::Open;
  if (!subsystemReady_) {
    Fail(subsystemError_);
    return false;
  }
  std::string loadError;
  mixer_ = MixerLibrary::Load(loadError);
  if (!mixer_) {
    Fail(loadError);
    return false;
  }
  mixer_->Init(MIX_INIT_MID);  // without MIDI support only the tune fails to load
  if (!std::getenv("SDL_SOUNDFONTS") && FileReadable(kSoundFont)) {
    mixer_->SetSoundFonts(kSoundFont);
  }
  if (mixer_->OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, kChunkSamples) != 0) {
    Fail(SDL_GetError());  // the mixer reports through SDL's error text
    mixer_->Quit();
    mixer_.reset();
    return false;
  }
  mixer_->AllocateChannels(kEffectChannels);
  g_player.store(this);
  mixer_->HookMusicFinished(&SdlAudio::OnMusicFinished);
  state_ = State::Open;
  return true;
}

// Runs on the mixer's thread (natural end) or inside Mix_HaltMusic (a stop we asked for).
void SdlAudio::OnMusicFinished() {
  SdlAudio* player = g_player.load();
  if (player && player->noticePending_.exchange(false)) {
    player->notify_(Message{kMmMciNotify, kMciNotifySuccessful, 0});
  }
}

void SdlAudio::StopMusicLocked() {
  if (noticePending_.exchange(false)) {
    notify_(Message{kMmMciNotify, kMciNotifyAborted, 0});  // stopped before its end
  }
  mixer_->HaltMusic();
}

// ---- Commands ---------------------------------------------------------------------------------

bool SdlAudio::CloseAll() {
  {
    std::lock_guard<std::mutex> lock(openMutex_);
    if (state_ == State::Untried) return true;  // nothing was ever opened
    if (state_ == State::Failed) return false;
  }
  {
    std::lock_guard<std::mutex> lock(musicMutex_);
    StopMusicLocked();
    musicOpen_ = false;
  }
  mixer_->HaltChannel(-1);
  return true;
}

bool SdlAudio::MusicOpen(const std::string& path) {
  if (!EnsureOpen()) return false;
  const std::string hostPath = ToHostPath(path);
  std::lock_guard<std::mutex> lock(musicMutex_);
  StopMusicLocked();
  if (!music_ || hostPath != musicPath_) {
    music_ = {mixer_->LoadMUS(hostPath.c_str()), MusicFree{mixer_.get()}};
    musicPath_ = music_ ? hostPath : std::string();
  }
  musicOpen_ = music_ != nullptr;
  return musicOpen_;
}

bool SdlAudio::MusicPlayFromStart() {
  if (!EnsureOpen()) return false;
  std::lock_guard<std::mutex> lock(musicMutex_);
  if (!musicOpen_) return false;
  StopMusicLocked();
  noticePending_.store(true);
  if (mixer_->PlayMusic(music_.get(), 1) != 0) {  // once through, then the end notice
    noticePending_.store(false);
    return false;
  }
  return true;
}

bool SdlAudio::PlaySound(const std::string& path) {
  if (!EnsureOpen()) return false;
  std::lock_guard<std::mutex> lock(effectsMutex_);
  auto found = chunks_.find(path);
  if (found == chunks_.end()) {
    std::unique_ptr<Mix_Chunk, ChunkFree> chunk(mixer_->LoadWAV(ToHostPath(path).c_str()), ChunkFree{mixer_.get()});
    if (!chunk) return false;
    found = chunks_.emplace(path, std::move(chunk)).first;
  }
  return mixer_->PlayChannel(-1, found->second.get(), 0) >= 0;
}

}  // namespace platform::sdl
