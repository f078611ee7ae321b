#include "config/autoexec_reader.h"

#include <algorithm>
#include <array>

#include "config/fatal_error.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace config {
namespace {

constexpr const char* kSection = "autoexec";
constexpr std::size_t kValueBuffer = 32;
constexpr int kTileSize = 64;

// Folder names in table order; the first %s is "Projects", the second the project name.
constexpr std::array<const char*, kProjectFolderCount> kFolderNames = {
    "Data",
    "Graphics\\Sprites_characters_units",
    "Graphics\\Sprites_bots_units",
    "Graphics\\Sprites_other_units",
    "Graphics\\Sprites_objects_units",
    "Graphics\\Images",
    "Graphics\\System",
    "Map",
    "Fonts",
    "Sounds",
    "Scripts",
};

std::string Read(const char* key) { return ReadIniValue(kAutoexecPath, kSection, key, kValueBuffer); }

}  // namespace

void BuildProjectFolders(LauncherSettings& launcher, const std::string& projectName) {
  for (std::size_t i = 0; i < kFolderNames.size(); ++i) {
    std::string folder = "Projects\\" + projectName + "\\" + kFolderNames[i];
    // Each folder path has a 128-byte buffer: a longer one is cut, as a name that long cannot be
    // a usable project anyway (the project name itself is at most 31 characters).
    if (folder.size() > kProjectFolderMax) folder.resize(kProjectFolderMax);
    launcher.folders[i] = std::move(folder);
  }
}

void ApplyWindowSize(LauncherSettings& launcher, const std::string& value) {
  auto [width, height] = ParsePair(value);
  if (width < 640 || height < 480) {
    launcher.windowWidth = kDefaultWindowWidth;
    launcher.windowHeight = kDefaultWindowHeight;
    return;
  }
  auto& os = platform::Get();
  platform::Size screen = os.PrimaryScreenSize();
  width = std::min(width, screen.width);
  height = std::min(height, screen.height);
  width = (width / kTileSize) * kTileSize;
  height = (height / kTileSize) * kTileSize;
  launcher.windowWidth = width;
  launcher.windowHeight = height;
  if (os.HasMainWindow()) {
    os.SetWindowPlacement((screen.width - width) / 2, (screen.height - height) / 2, width, height);
  }
}

bool ReadAutoexec(GameConfig& config, const std::string& commandLine, bool languageOnly) {
  LauncherSettings& launcher = config.launcher;
  bool ok = true;
  const std::string caption =
      Tr(launcher.language, "Fatal error in file autoexec.ini", "Error fatal en el fichero autoexec.ini");
  if (!platform::FileExists(kAutoexecPath)) {
    FatalError(config.listeners, caption,
               Tr(launcher.language, "File autoexec.ini not found", "No existe el fichero autoexec.ini."));
    ok = false;
  }

  std::string language = Read("user_interface_language");
  if (!language.empty() && EqualsNoCase(language, "spanish")) launcher.language = Language::Spanish;
  if (languageOnly) return ok;

  if (EqualsNoCase(Read("use_multi_thread"), "true")) launcher.multiThreadDrawing = true;

  if (!commandLine.empty()) {
    launcher.projectName = commandLine.substr(0, kProjectNameMax);
  } else {
    launcher.projectName = Read("project_name");
    if (launcher.projectName.empty()) {
      FatalError(config.listeners, caption,
                 Tr(launcher.language,
                    "The name of the game to be loaded hasn't been found.\nYou must indicate it in "
                    "the variable 'project_name' of the file 'autoexec.ini'.",
                    "No se ha encontrado el nombre del juego a cargar.\nDebes indicarlo en la "
                    "variable 'project_name' del fichero 'autoexec.ini'."));
      ok = false;
    }
  }
  BuildProjectFolders(launcher, launcher.projectName);

  std::string windowSize = Read("app_window_size");
  if (!windowSize.empty()) ApplyWindowSize(launcher, windowSize);
  return ok;
}

}  // namespace config
