#include "app/check_project_names.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "config/game_config.h"
#include "config/launcher_settings.h"
#include "config/nearest_name.h"
#include "engine/orvanta_engine.h"
#include "platform/files.h"
#include "script/orvanta_script.h"
#include "script/script_keywords.h"
#include "units/game_unit.h"

namespace app {
namespace {

// Who makes the game open a file: anyone, or only a project with bots, male or female players.
enum class Needed { Always, Bots, MalePlayers, FemalePlayers };

struct FixedFile {
  int folder;
  const char* name;
  const char* without;  // what the game does without it
  Needed needed = Needed::Always;
};

bool IsNeeded(const COrvantaEngine& engine, Needed needed) TL_REQUIRES(engine.Lock()) {
  if (needed == Needed::Always) return true;
  for (int slot = 0; slot < engine.UnitCount(); ++slot) {
    const CGameUnit* unit = engine.UnitAt(slot);
    if (unit == nullptr) continue;
    if (needed == Needed::Bots && unit->isBot) return true;
    if (unit->isPlayer && unit->male == (needed == Needed::MalePlayers) && needed != Needed::Bots) return true;
  }
  return false;
}

// The pictures the engine and the unit loaders open by these names; the kits' sheets are
// checked with the pick-ups that use them, and the fire ball and sword sheets stop the game.
constexpr FixedFile kSystemGraphics[] = {
    {config::kFolderSystem, "pointer.bmp", "the marker of a right-click's destination is never drawn"},
    {config::kFolderSystem, "action_symbol.bmp", "the action symbol over a unit with an event is never drawn"},
    {config::kFolderSystem, "info_icon.bmp", "plain HUD messages show no icon beside them"},
    {config::kFolderSystem, "Respawn_fx.bmp", "a character coming back to life shows no effect"},
    {config::kFolderSpritesBots, "alert_bot.bmp", "a bot that spots a player shows no alert icon", Needed::Bots},
};

// The sounds the game plays by these names, with when it plays them.
constexpr FixedFile kSounds[] = {
    {config::kFolderSounds, "action_alert.wav", "a player touches a unit with an action"},
    {config::kFolderSounds, "action_ok.wav", "an action succeeds"},
    {config::kFolderSounds, "action_ng.wav", "an action fails or the inventory is full"},
    {config::kFolderSounds, "alert_bot.wav", "a bot spots a player", Needed::Bots},
    {config::kFolderSounds, "ammo_kit1.wav", "a player takes an ammo kit"},
    {config::kFolderSounds, "health_kit1.wav", "a player takes a health kit"},
    {config::kFolderSounds, "pickup_object.wav", "a player picks up an object"},
    {config::kFolderSounds, "give_object.wav", "a player hands an object to another"},
    {config::kFolderSounds, "fire1.wav", "a player fires"},
    {config::kFolderSounds, "fire2.wav", "a bot fires", Needed::Bots},
    {config::kFolderSounds, "no_ammo.wav", "a player without ammo tries to fire"},
    {config::kFolderSounds, "explosion1.wav", "a fire ball explodes"},
    {config::kFolderSounds, "use_sword1.wav", "a character strikes with the sword"},
    {config::kFolderSounds, "damage_player_m.wav", "a male player is hurt", Needed::MalePlayers},
    {config::kFolderSounds, "damage_player_f.wav", "a female player is hurt", Needed::FemalePlayers},
    {config::kFolderSounds, "damage_unit.wav", "a bot or other unit is hurt"},
    {config::kFolderSounds, "death_player_m.wav", "a male player dies", Needed::MalePlayers},
    {config::kFolderSounds, "death_player_f.wav", "a female player dies", Needed::FemalePlayers},
    {config::kFolderSounds, "death_unit.wav", "a bot or other unit dies"},
    {config::kFolderSounds, "player_busted.wav", "the banner of a fallen player shows"},
    {config::kFolderSounds, "respawn_fx.wav", "a character comes back to life"},
    {config::kFolderSounds, "checkpoint.wav", "a script reaches CHECK_POINT"},
};

std::string InFolder(const config::LauncherSettings& launcher, int folder, const std::string& name) {
  return launcher.Folder(folder) + "\\" + name;
}

// "Graphics/System/pointer.bmp": from the project folder, with forward slashes.
std::string Shown(const config::LauncherSettings& launcher, int folder, const std::string& name) {
  std::string shown = InFolder(launcher, folder, name);
  const std::string data = launcher.Folder(config::kFolderData);
  const std::size_t projectEnd = data.find_last_of('\\');
  shown.erase(0, projectEnd + 1);
  std::replace(shown.begin(), shown.end(), '\\', '/');
  return shown;
}

bool IsNumber(std::string_view word) {
  return !word.empty() &&
         std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c) || c == '-'; });
}

std::string Hint(const std::string& written, const std::vector<std::string>& known) {
  const std::string nearest = config::NearestName(written, known);
  return nearest.empty() ? "." : " (did you mean '" + nearest + "'?).";
}

// The names a script can reach: every unit's name in the form scripts write, and every property.
struct KnownNames {
  std::vector<std::string> units;
  std::vector<std::string> properties;

  KnownNames(const COrvantaEngine& engine, const std::vector<std::string>& alsoUnits) : units(alsoUnits) {
    for (int slot = 0; slot < engine.UnitCount(); ++slot) {
      const CGameUnit* unit = engine.UnitAt(slot);
      if (unit != nullptr && !unit->IdentifierName().empty()) units.push_back(unit->IdentifierName());
    }
    for (const script::PropertyInfo& property : script::Properties()) properties.emplace_back(property.word);
  }
};

void CheckUnit(const std::string& unitName, const KnownNames& known, std::vector<std::string>& found) {
  if (std::find(known.units.begin(), known.units.end(), unitName) != known.units.end()) return;
  found.push_back("no unit is named '" + unitName + "'" + Hint(unitName, known.units));
}

// A dotted operand unit.PROPERTY of a kept line: what it names that the project lacks.
void CheckOperand(bool dotted, const std::string& unitName, const std::string& propertyName,
                  script::UnitProperty property, const KnownNames& known, std::vector<std::string>& found) {
  if (!dotted || IsNumber(unitName)) return;  // "1.5" is a number, not a unit
  CheckUnit(unitName, known, found);
  if (property == script::UnitProperty::Unknown) {
    found.push_back("units have no property '" + propertyName + "'" + Hint(propertyName, known.properties));
  }
}

}  // namespace

std::vector<NameWarning> MissingFixedFiles(const COrvantaEngine& engine) {
  const config::LauncherSettings& launcher = engine.Config().launcher;
  std::vector<NameWarning> warnings;
  for (const FixedFile& file : kSystemGraphics) {
    if (!IsNeeded(engine, file.needed) || platform::PlainFileExists(InFolder(launcher, file.folder, file.name)))
      continue;
    warnings.push_back(
        {Shown(launcher, file.folder, file.name), std::string("The file is missing: ") + file.without + "."});
  }
  const std::string sounds = launcher.Folder(config::kFolderSounds);
  if (!platform::FileExists(sounds)) {
    warnings.push_back({"Sounds", "The project has no Sounds folder: the game plays no sound."});
    return warnings;
  }
  for (const FixedFile& file : kSounds) {
    if (!IsNeeded(engine, file.needed) || platform::PlainFileExists(InFolder(launcher, file.folder, file.name)))
      continue;
    warnings.push_back({Shown(launcher, file.folder, file.name),
                        std::string("The sound is missing: nothing plays when ") + file.without + "."});
  }
  return warnings;
}

std::vector<NameWarning> UnknownScriptNames(const COrvantaEngine& engine, const std::vector<std::string>& alsoUnits) {
  const config::LauncherSettings& launcher = engine.Config().launcher;
  std::vector<NameWarning> warnings;
  const std::string folder = launcher.Folder(config::kFolderScripts);
  const KnownNames known(engine, alsoUnits);
  // Without a Sounds folder, the one warning of the folder says it all.
  const bool sounds = platform::FileExists(launcher.Folder(config::kFolderSounds));
  for (const std::string& file : platform::ListFiles(folder)) {
    if (file.starts_with(".")) continue;  // editors' hidden files, never named by a project
    COrvantaScript script;
    if (!script.Load(file, folder + "\\" + file)) continue;
    for (const script::ScriptLine& line : script.Lines()) {
      std::vector<std::string> found;
      const std::string leftUnit(line.leftUnitName());
      const std::string argument(line.argument());
      CheckOperand(line.leftDotted, leftUnit, std::string(line.leftPropertyName()), line.leftProperty, known, found);
      CheckOperand(line.rightDotted, std::string(line.rightUnitName()), std::string(line.rightPropertyName()),
                   line.rightProperty, known, found);
      if (line.command == script::ScriptCommand::MoveUnit && !leftUnit.empty()) CheckUnit(leftUnit, known, found);
      if (sounds && line.command == script::ScriptCommand::PlaySound && !argument.empty() &&
          !platform::PlainFileExists(InFolder(launcher, config::kFolderSounds, argument))) {
        found.push_back("PLAY_SOUND names '" + argument + "', which Sounds/ lacks; nothing plays.");
      }
      for (const std::string& text : found) {
        warnings.push_back({"Scripts/" + file, "line " + std::to_string(line.sourceLine) + ": " + text});
      }
    }
  }
  return warnings;
}

}  // namespace app
