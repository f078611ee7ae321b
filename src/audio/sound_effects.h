// Short WAV effects from the project's Sounds folder, fired and forgotten; they may overlap each
// other and the music. Callable from any thread.
#pragma once

#include <string>

#include "config/launcher_settings.h"

namespace audio {

// Plays <Sounds folder>\<fileName> once, asynchronously; a file that cannot be played is silent.
void PlaySoundEffect(const config::LauncherSettings& launcher, const std::string& fileName);

}  // namespace audio
