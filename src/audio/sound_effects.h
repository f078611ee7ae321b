// Short WAV effects from the project's Sounds folder, fired and forgotten; they may overlap each
// other and the music. Callable from any thread.
#pragma once

#include <string>
#include <string_view>

#include "config/launcher_settings.h"

namespace audio {

// Plays <Sounds folder>\<fileName> once, asynchronously; a file that cannot be played is silent.
void PlaySoundEffect(const config::LauncherSettings& launcher, std::string_view fileName);
// The same, composing the path in `room`, which keeps its capacity for the next sound: the units'
// rules can play hundreds of sounds in one step, and each would otherwise allocate its path.
void PlaySoundEffect(const config::LauncherSettings& launcher, std::string_view fileName, std::string& room);

}  // namespace audio
