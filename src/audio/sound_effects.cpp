#include "audio/sound_effects.h"

#include "config/launcher_settings.h"
#include "platform/platform.h"

namespace audio {

void PlaySoundEffect(const config::LauncherSettings& launcher, const std::string& fileName) {
  platform::Get().PlaySoundFile(launcher.Folder(config::kFolderSounds) + "\\" + fileName);
}

}  // namespace audio
