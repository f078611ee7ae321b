// The launcher settings of Projects\autoexec.ini and the project folders built from them.
#pragma once

#include <array>
#include <string>

namespace config {

enum class Language { Spanish = 0, English = 1 };

// Index of each project folder; unit kind k (1 player, 2 bot, 3 other) uses folder k.
enum ProjectFolder : int {
  kFolderData = 0,
  kFolderSpritesPlayers = 1,
  kFolderSpritesBots = 2,
  kFolderSpritesOthers = 3,
  kFolderSpritesObjects = 4,
  kFolderImages = 5,
  kFolderSystem = 6,
  kFolderMap = 7,
  kFolderFonts = 8,
  kFolderSounds = 9,
  kFolderScripts = 10,
  kProjectFolderCount = 11,
};

inline constexpr int kDefaultWindowWidth = 1280;
inline constexpr int kDefaultWindowHeight = 832;
inline constexpr std::size_t kProjectNameMax = 31;
inline constexpr std::size_t kProjectFolderMax = 127;

struct LauncherSettings {
  Language language = Language::English;
  bool multiThreadDrawing = false;
  int windowWidth = kDefaultWindowWidth;
  int windowHeight = kDefaultWindowHeight;
  std::string projectName;
  std::array<std::string, kProjectFolderCount> folders;

  const std::string& Folder(int index) const { return folders.at(static_cast<std::size_t>(index)); }
};

}  // namespace config
