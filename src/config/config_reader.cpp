#include "config/config_reader.h"

#include <cstddef>

#include "config/fatal_error.h"
#include "config/game_settings.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/platform.h"

namespace config {
namespace {

constexpr const char* kSection = "config";
constexpr const char* kDefaultFontName = "Courier New";
constexpr int kFontCount = 3;

// Buffer sizes of the values (the reader keeps one character less).
constexpr std::size_t kFileNameBuffer = 64;
constexpr std::size_t kNumbersBuffer = 64;
constexpr std::size_t kGameNameBuffer = 128;
constexpr std::size_t kDescriptionBuffer = 4096;

// The map file path is kept in a 64-byte record by the map reader: at most 63 characters.
constexpr std::size_t kMapPathMax = 63;

// One pass over config.ini: remembers whether any problem was reported.
class ConfigReader {
 public:
  ConfigReader(GameConfig& config, MusicStarter starter)
      : config_(config),
        path_(config.launcher.Folder(kFolderData) + "\\config.ini"),
        caption_(
            Tr(config_.launcher.language, "Fatal error in file config.ini", "Error fatal en el fichero config.ini")),
        starter_(std::move(starter)) {}

  bool Run() {
    CheckFileExists();
    ReadMusic();
    for (int index = 0; index < kFontCount; ++index) ReadFont(index);
    ReadInitialScript();
    ReadMapFile();
    ReadInitialView();
    ReadViewLimits();
    ReadFlags();
    ReadGameName();
    ReadDescription();
    return ok_;
  }

 private:
  std::string Read(const std::string& key, std::size_t bufferSize) const {
    return ReadIniValue(path_, kSection, key, bufferSize);
  }

  void Fail(const std::string& text) {
    FatalError(config_.listeners, caption_, text);
    ok_ = false;
  }

  // A message whose placeholders are the section and then the file name as written in the key.
  void FailAboutFile(const char* english, const char* spanish, const std::string& fileName) {
    Fail(Format(Tr(config_.launcher.language, english, spanish).c_str(), kSection, fileName.c_str()));
  }

  std::string InFolder(int folder, const std::string& fileName) const {
    return config_.launcher.Folder(folder) + "\\" + fileName;
  }

  void CheckFileExists() {
    if (platform::FileExists(path_)) return;
    Fail(Format(Tr(config_.launcher.language, "File %s not found", "No existe el fichero %s").c_str(), path_.c_str()));
  }

  // The tune starts even when its file is missing: the player then fails quietly.
  void ReadMusic() {
    const std::string fileName = Read("background_music_file", kFileNameBuffer);
    if (fileName.empty()) return;
    const std::string path = InFolder(kFolderSounds, fileName);
    if (!platform::FileExists(path)) {
      FailAboutFile("Section [%s]:\nMusic file '%s' not found in 'Sounds' folder.",
                    "Sección [%s]:\nNo existe el fichero de música '%s' en la carpeta 'Sounds'.", fileName);
    }
    config_.settings.musicPath = path;
    if (starter_) starter_(path);
  }

  // A missing font file is still handed to the system, which refuses it: two boxes.
  void ReadFont(int index) {
    const std::string name = platform::GetPrivateProfileString(kSection, Format("font_%d_name", index),
                                                               kDefaultFontName, kFileNameBuffer, path_);
    const std::string fileName = Read(Format("font_%d_file", index), kFileNameBuffer);
    if (!fileName.empty()) {
      const std::string fontPath = InFolder(kFolderFonts, fileName);
      if (!platform::FileExists(fontPath)) {
        FailAboutFile("Section [%s]:\nFont file '%s' not found in 'Fonts' folder.",
                      "Sección [%s]:\nFichero de tipo de letra '%s' no existe en la carpeta 'Fonts'.", fileName);
      }
      if (!platform::Get().AddPrivateFont(fontPath)) {
        FailAboutFile("Section [%s]:\nThe font file '%s' is not valid.",
                      "Sección [%s]:\nEl fichero de tipo de letra '%s' no es válido.", fileName);
      }
    }
    config_.settings.fontNames[static_cast<std::size_t>(index)] = name;
  }

  void ReadInitialScript() {
    const std::string fileName = Read("initial_script", kFileNameBuffer);
    if (fileName.empty()) return;
    config_.settings.initialScriptPath = InFolder(kFolderScripts, fileName);
    // A folder of that name holds no script: as missing as no file at all.
    if (!platform::PlainFileExists(config_.settings.initialScriptPath)) {
      FailAboutFile("Section [%s]:\nScript file '%s' not found in 'Scripts' folder.",
                    "Sección [%s]:\nNo existe el fichero de Script '%s' en la carpeta 'Scripts'.", fileName);
    }
  }

  void ReadMapFile() {
    const std::string fileName = Read("tiled_game_map_file", kFileNameBuffer);
    if (fileName.empty()) {
      Fail(Format(Tr(config_.launcher.language,
                     "Section [%s]:\nThe game map file in .json format exported from the 'Tiled' "
                     "application has not been defined.\nYou must indicate it in the variable "
                     "'tiled_game_map_file'.",
                     "Sección [%s]:\nNo se ha definido el fichero de mapa del juego en formato .json "
                     "exportado desde la aplicación 'Tiled'.\nDebes indicarlo en la variable "
                     "'tiled_game_map_file'.")
                      .c_str(),
                  kSection));
      return;
    }
    const std::string path = InFolder(kFolderMap, fileName);
    if (path.size() > kMapPathMax) {
      // Cutting the path would name another file; refuse it instead.
      FailAboutFile(
          "Section [%s]:\nThe path of the map file '%s' is longer than 63 characters.\n"
          "Use a shorter project name or map file name.",
          "Sección [%s]:\nLa ruta del fichero de mapa '%s' tiene más de 63 caracteres.\n"
          "Usa un nombre de proyecto o de fichero de mapa más corto.",
          fileName);
      return;
    }
    config_.settings.mapFilePath = path;
    if (!platform::FileExists(path)) {
      FailAboutFile("Section [%s]:\nFile '%s' not found in 'Map' folder.",
                    "Sección [%s]:\nNo existe el fichero '%s' en la carpeta 'Map'.", fileName);
    }
  }

  // Kept only when both coordinates lie inside the map (1 to 8191).
  void ReadInitialView() {
    const std::string value = Read("initial_game_map_view", kNumbersBuffer);
    if (value.empty()) return;
    const auto [x, y] = ParsePair(value);
    const auto inside = [](int v) { return v >= 1 && v < kMapPixelLimit; };
    if (!inside(x) || !inside(y)) return;
    config_.settings.initialViewX = x;
    config_.settings.initialViewY = y;
  }

  // Clamped to the map's pixel range; right below left is left as written.
  void ReadViewLimits() {
    const std::string value = Read("game_map_view_limits", kNumbersBuffer);
    if (value.empty()) return;
    auto [left, top, right, bottom] = ParseList4(value);
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > kMapPixelLimit) right = kMapPixelLimit;
    if (bottom > kMapPixelLimit) bottom = kMapPixelLimit;
    config_.settings.viewLimits = {left, top, right, bottom};
  }

  // Each flag changes its default only on the one word it names.
  void ReadFlags() {
    GameSettings& settings = config_.settings;
    settings.viewLimitsByPlayers = ParseFlag(Read("game_map_view_limits_by_players", kNumbersBuffer), "true", false);
    settings.showMessageWhenPlayersDie =
        ParseFlag(Read("show_message_when_players_die", kNumbersBuffer), "false", true);
  }

  void ReadGameName() {
    config_.settings.gameName = Read("game_name", kGameNameBuffer);
    if (config_.settings.gameName.empty()) return;
    if (platform::Get().HasMainWindow()) platform::Get().SetWindowTitle(config_.settings.gameName);
  }

  void ReadDescription() { config_.settings.gameDescription = Read("game_description", kDescriptionBuffer); }

  GameConfig& config_;
  std::string path_;
  std::string caption_;
  MusicStarter starter_;
  bool ok_ = true;
};

}  // namespace

bool ReadConfig(GameConfig& config, MusicStarter startMusic) {
  return ConfigReader(config, std::move(startMusic)).Run();
}

}  // namespace config
