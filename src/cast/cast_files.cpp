#include "cast/cast_files.h"

#include <array>

#include "config/fatal_error.h"
#include "config/game_tables.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "platform/ini.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace cast {
namespace {

constexpr std::array<UnitKindFiles, 4> kKinds = {{
    {"", "", "", 0, 0, 0},
    {"player_characters_units.ini", "player_character_sprite_%d", "player_unit_%d", config::kFolderSpritesPlayers,
     config::kLayerUnitsPlayers, kUnitKindMobile},
    {"bots_characters_units.ini", "bot_character_sprite_%d", "bot_unit_%d", config::kFolderSpritesBots,
     config::kLayerUnitsBots, kUnitKindMobile},
    {"other_units.ini", "other_sprite_%d", "other_unit_%d", config::kFolderSpritesOthers, config::kLayerUnitsOthers,
     kUnitKindOther},
}};

}  // namespace

config::GameConfig& SectionLoader::Config() const { return engine_.Config(); }

const UnitKindFiles& KindFiles(int kind) { return kKinds.at(static_cast<std::size_t>(kind)); }

std::string DataFile(const config::LauncherSettings& launcher, const char* fileName) {
  return launcher.Folder(config::kFolderData) + "\\" + fileName;
}

std::string LoaderCaption(config::Language language, const char* fileName) {
  return config::Format(config::Tr(language, "Fatal error in file %s", "Error fatal en el fichero %s").c_str(),
                        fileName);
}

bool ReportFirstError(const config::GameConfig& config, const char* fileName, const std::optional<std::string>& error) {
  if (!error) return true;
  config::FatalError(config.listeners, LoaderCaption(config.language(), fileName), *error);
  return false;
}

std::string ReadKey(const std::string& path, const std::string& section, const char* key, std::size_t bufferSize) {
  return config::ReadIniValue(path, section, key, bufferSize);
}

std::string WithImageReason(const config::ProblemListeners& listeners, std::string text, const std::string& reason) {
  if (!config::CheckingProject(listeners) || reason.empty()) return text;
  while (!text.empty() && text.back() == '.') text.pop_back();
  return text + ": " + reason;
}

void SectionLoader::CheckFrameSize(const FrameSide& width, const FrameSide& height) const {
  if (!config::CheckingProject(Config().listeners)) return;
  for (const FrameSide& side : {width, height}) {
    if (side.size <= 0)
      TellChecker(false, std::string(side.key) + " is " + std::to_string(side.size) + "; the game takes 1.");
  }
  if (width.size > width.sheet || height.size > height.sheet) {
    TellChecker(true, "the frame size " + std::to_string(width.size) + "x" + std::to_string(height.size) +
                          " does not fit the " + std::to_string(width.sheet) + "x" + std::to_string(height.sheet) +
                          " sheet, which then holds no frame.");
  }
}

bool SectionLoader::SectionExists() const { return platform::IniSectionHasKeys(path_, section_); }

CGameSprite* RegisterSprite(COrvantaEngine& engine, std::unique_ptr<CGameSprite> sprite) {
  CGameSprite* kept = sprite.get();
  return engine.AddSprite(sprite) >= 0 ? kept : nullptr;
}

CGameUnit* RegisterUnit(COrvantaEngine& engine, std::unique_ptr<CGameUnit> unit) {
  CGameUnit* kept = unit.get();
  return engine.AddUnit(unit) >= 0 ? kept : nullptr;
}

}  // namespace cast
