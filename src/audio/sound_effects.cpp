#include "audio/sound_effects.h"

#include "config/launcher_settings.h"
#include "platform/platform.h"

namespace audio {

void PlaySoundEffect(const config::LauncherSettings& launcher, std::string_view fileName) {
  std::string path;
  PlaySoundEffect(launcher, fileName, path);
}

void PlaySoundEffect(const config::LauncherSettings& launcher, std::string_view fileName, std::string& room) {
  const std::string& folder = launcher.Folder(config::kFolderSounds);
  room.clear();
  room.reserve(folder.size() + 1 + fileName.size());
  room.append(folder).append(1, '\\').append(fileName);
  platform::Get().PlaySoundFile(room);
}

}  // namespace audio
