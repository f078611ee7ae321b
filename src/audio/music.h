// The one background tune of the run: started on a short-lived thread at start-up, restarted by
// the window thread when it ends, closed at shutdown. One lock keeps the start thread and the
// window thread from driving the player at the same time.
#pragma once

#include <cstdint>
#include <string>

namespace audio {

// Starts a thread that creates the music player and opens the tune (the thread ends then).
// Called on the main thread; a second call first waits for the previous start thread. The
// backend may wait for the new thread at once (the headless one does, for a fixed transcript).
void StartMusic(const std::string& path);

// The window procedure's MM_MCINOTIFY: only a tune that ended normally (1) starts again; a tune
// stopped or replaced (2, 4, ...) stays silent.
void OnMusicNotify(uint64_t wParam);

// Called once the game-loop thread has ended: waits for the start thread, then closes every
// audio device and frees the player. "close all" is sent even without a player, so effects
// still sounding stop with the game. Leaves the state as before StartMusic.
void ShutdownMusic();

// Whether a player exists (created by the start thread, freed by ShutdownMusic).
bool HasMusicPlayer();

}  // namespace audio
