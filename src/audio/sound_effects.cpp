#include "audio/sound_effects.h"

#include "config/launcher_settings.h"
#include "platform/platform.h"

namespace audio {

void PlaySoundEffect(const config::LauncherSettings& launcher, const std::string& fileName) {
  // One allocation for the path: bots' shots and alerts can play hundreds of sounds in one step.
  const std::string& folder = launcher.Folder(config::kFolderSounds);
  std::string path;
  path.reserve(folder.size() + 1 + fileName.size());
  path.append(folder).append(1, '\\').append(fileName);
  platform::Get().PlaySoundFile(path);
}

}  // namespace audio
