// The unit sections of a unit kind's INI file: one unit per section, configured, placed by the
// map's object layer of the kind, given its attached units and registered with the engine.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cast/attached_units.h"
#include "cast/cast_files.h"
#include "cast/cast_loaders.h"
#include "config/game_tables.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "config/map_bounds.h"
#include "config/nearest_name.h"
#include "config/object_lookup.h"
#include "config/project_path.h"
#include "engine/orvanta_engine.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "script/orvanta_script.h"
#include "script/script_size.h"
#include "units/game_geometry.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace cast {
namespace {

constexpr std::size_t kValueBuffer = 64;
constexpr std::size_t kTextBuffer = 1024;
constexpr std::size_t kImageNameMax = 31;
constexpr int kMaxUnitsPerFile = 1000;
constexpr int kPlayerRespawnMs = 5000;

// Everything a unit section says, with the kind's defaults, before it is handed to the unit.
struct UnitSettings {
  units::Point position{100, 100};
  std::string name;
  bool visible = true;
  bool buttonAction = true;
  bool hideUnit = false;
  bool process = false;
  int yesTimes = 1;
  int object = 0;
  int usesObject = 1;
  std::string noMessage;
  std::string yesMessage;
  std::string finalDescription;
  std::string imageDialog;
  std::string imageDialogYes;
  int respawn = 0;
  bool selectable = false;
  std::string description;
  int health = 0;
  int ammo = 0;
  int damage = 0;
  int resistance = 1;
  bool attackFire = true;
  bool attackSword = true;
  bool returnFire = false;
  int swordRandom = units::BotDefaults::kRandom;
  int fireRandom = units::BotDefaults::kRandom;
  int visionRandom = units::BotDefaults::kRandom;
  int speed = 6;
  std::string yesScript;
  std::string projectileScript;
  std::string deathScript;
  units::Rect zone;
  units::MoveType moveType = units::MoveType::Wander;
  int maxDistance = units::BotDefaults::kMaxDistance;
  int fireDistance = units::BotDefaults::kFireDistance;
  int visionDistance = units::BotDefaults::kVisionDistance;
};

uint32_t Now() { return platform::Get().TickCount(); }

// For a checker, the sentence naming the defined object that a name the table lacks most likely
// meant: "... is not defined (did you mean 'Brass key'?)."; a game's box stays as it is.
std::string WithObjectHint(const config::GameConfig& config, std::string sentence, const std::string& written) {
  if (!config::CheckingProject(config.listeners)) return sentence;
  std::vector<std::string> names;
  for (const config::ObjectDefinition& object : config.tables.objects) {
    // An object whose own section failed is still meant: its error has been reported.
    if (object.defined || !object.name.empty()) names.push_back(object.name);
  }
  const std::string nearest = config::NearestName(written, names);
  if (nearest.empty()) return sentence;
  if (!sentence.empty() && sentence.back() == '.') sentence.pop_back();
  return sentence + " (did you mean '" + nearest + "'?).";
}

// Loads an event script and hands it over; false, after the "Script not found" box, when the
// file is missing, is a folder, or its name leaves the project (a checker hears that box as an
// error and reads the rest of the unit), and after the "Script too large" box when the file is
// beyond the script bounds.
bool LoadEventScript(COrvantaEngine& engine, const std::string& fileName) TL_REQUIRES(engine.Lock()) {
  const auto path = config::FileInProjectFolder(engine.Config().launcher, config::kFolderScripts, fileName);
  if (!path || !platform::PlainFileExists(*path)) {
    const std::string caption = config::Tr(engine.Config().language(), "Script not found", "Script no encontrado");
    const std::string text = config::Format(
        config::Tr(engine.Config().language(), "Script file '%s' not found.", "No existe el fichero de script '%s'.")
            .c_str(),
        config::JoinedPath(engine.Config().launcher, config::kFolderScripts, fileName).c_str());
    if (config::CheckingProject(engine.Config().listeners)) {
      config::FatalError(engine.Config().listeners, caption, text);
      return true;
    }
    auto& os = platform::Get();
    os.ShowBox(platform::BoxKind::Error, os.HasMainWindow(), caption, text);
    return false;
  }
  auto script = std::make_unique<COrvantaScript>();
  script->Load(fileName, *path);
  if (script->TooLarge()) {
    script::ShowScriptTooLarge(engine.Config().language(),
                               config::JoinedPath(engine.Config().launcher, config::kFolderScripts, fileName));
    return false;
  }
  engine.RegisterScript(script);  // a full manager drops it
  return true;
}

// A dialog image of the kind's folder; a missing file leaves the surface as it is.
void LoadDialogImage(const config::LauncherSettings& launcher, CBitmapSurface& image, int folder,
                     const std::string& fileName) {
  if (fileName.empty()) return;
  const auto path = config::FileInProjectFolder(launcher, folder, fileName);
  if (path && platform::FileExists(*path)) image.LoadFile(*path);
}

class UnitDefinitionsLoader : SectionLoader {
 public:
  UnitDefinitionsLoader(COrvantaEngine& engine, int kind, std::string path)
      : SectionLoader(engine, std::move(path), kValueBuffer), kind_(kind), files_(KindFiles(kind)) {}

  // The error text of the first failing section (empty after a script box); nothing on success.
  std::optional<std::string> Run() {
    // The entry function that made this loader requires its engine's lock, which the analysis
    // cannot tie to the loader's reference to that engine.
    engine_.Lock().AssumeHeld();
    return RunSections(kMaxUnitsPerFile, [this](int number) TL_REQUIRES(engine_.Lock()) { return LoadUnit(number); });
  }

 private:
  int ReadInt(const char* key, int defaultValue) const {
    const std::string value = Read(key);
    return value.empty() ? defaultValue : config::ParseInt(value);
  }
  // A one-word flag whose word is the opposite of its default.
  bool ReadFlag(const char* key, bool defaultValue) const {
    return config::ParseFlag(Read(key), defaultValue ? "false" : "true", defaultValue);
  }

  bool LoadUnit(int number) TL_REQUIRES(engine_.Lock()) {
    section_ = config::Format(files_.unitSection, number);
    const std::string spriteValue = Read("unit_sprite");
    if (spriteValue.empty()) return SkipWithoutKey("unit_sprite");
    const int spriteNumber = config::ParseInt(spriteValue);
    if (spriteNumber < 1 || spriteNumber > config::kMaxSpriteDefs) return true;
    config::SpriteDefinition& def = Config().tables.spriteDefs[static_cast<std::size_t>(spriteNumber)];
    if (!def.defined) {
      return Fail(config::Format(config::Tr(Config().language(), "Section [%s]:\nThe sprite number %d is not defined.",
                                            "Sección [%s]:\nNo se ha definido el sprite número %d.")
                                     .c_str(),
                                 section_.c_str(), spriteNumber));
    }
    // An other unit's box of 0, 0, 0, 1 means no box at all, for every unit of that sprite.
    if (kind_ == kKindOther && def.collisionBox == std::array<int, 4>{0, 0, 0, 1}) def.collisionBox[3] = 0;
    UnitSettings settings;
    if (!ReadSettings(number, settings)) return false;
    auto unit = std::make_unique<CGameUnit>();
    unit->spriteNumber = spriteNumber;
    const auto& box = def.collisionBox;
    unit->AttachSprite(def.sprite, 0, files_.kindCode, {box[0], box[1], box[2], box[3]});
    if (!Configure(*unit, def, settings)) return Fail("");
    if (!FinishUnitSetup(engine_, *unit)) return Fail("");
    CGameUnit* registered = RegisterUnit(engine_, std::move(unit));
    if (kind_ == kKindPlayer && registered != nullptr) engine_.AddPlayerUnit(registered);
    return true;
  }

  bool ReadSettings(int number, UnitSettings& s) {
    s.selectable = kind_ == kKindPlayer;
    s.health = kind_ == kKindOther ? 0 : 1;
    s.respawn = kind_ == kKindPlayer ? kPlayerRespawnMs : 0;
    const auto pair = config::ParsePair(Read("unit_position"));
    if (pair[0] >= 1 && pair[0] < config::kMapPixelLimit && pair[1] >= 1 && pair[1] < config::kMapPixelLimit) {
      s.position = {pair[0], pair[1]};
    }
    if (const config::MapObject* placed = config::FindMapObject(Config().tables, files_.mapLayer, number)) {
      s.position = {placed->x, placed->y};
    }
    s.name = Read("unit_name");
    s.visible = ReadFlag("unit_visible", true);
    s.buttonAction = ReadFlag("unit_event_player_collision_button_action", true);
    s.hideUnit = ReadFlag("unit_event_player_collision_action_yes_hide_unit", false);
    s.process = ReadFlag("unit_event_player_collision_process", false);
    s.yesTimes = ReadInt("unit_event_player_collision_action_yes_times", 1);
    if (s.yesTimes < 0) s.yesTimes = 1;
    if (const std::string object = Read("unit_event_player_collision_action_object"); !object.empty()) {
      s.object = config::FindObjectByName(Config().tables, object, false);
      if (s.object == 0) {
        return Fail(WithObjectHint(
            Config(),
            config::Format(config::Tr(Config().language(), "Section [%s]:\nThe object '%s' is not defined.",
                                      "Sección [%s]:\nEl objeto '%s' no se ha definido.")
                               .c_str(),
                           section_.c_str(), object.c_str()),
            object));
      }
    }
    s.usesObject = ReadInt("unit_event_player_collision_action_uses_object", 1);
    if (s.usesObject < 0) s.usesObject = 1;
    s.noMessage = Read("unit_event_player_collision_action_no_message", kTextBuffer);
    s.yesMessage = Read("unit_event_player_collision_action_yes_message", kTextBuffer);
    s.finalDescription = Read("unit_event_player_collision_action_final_description", kTextBuffer);
    s.imageDialog = Read("unit_image_dialog").substr(0, kImageNameMax);
    s.imageDialogYes = Read("unit_image_dialog_yes").substr(0, kImageNameMax);
    s.respawn = std::max(ReadInt("unit_respawn", s.respawn), 0);
    if (kind_ == kKindPlayer && s.respawn == 0) s.respawn = kPlayerRespawnMs;
    s.selectable = ReadFlag("unit_selectable", s.selectable);
    s.description = Read("unit_description", kTextBuffer);
    s.health = std::max(ReadInt("unit_health_level", s.health), 0);
    if (kind_ != kKindOther) s.health = std::max(s.health, 1);
    s.ammo = std::max(ReadInt("unit_ammo_level", 0), 0);
    s.damage = std::max(ReadInt("unit_damage_player", 0), 0);
    s.resistance = ReadInt("unit_resistance_level", 1);
    s.attackFire = ReadFlag("unit_attack_fire", true);
    s.attackSword = ReadFlag("unit_attack_sword", true);
    s.returnFire = ReadFlag("unit_return_player_fire", false);
    s.swordRandom = std::clamp(ReadInt("unit_attack_sword_random", units::BotDefaults::kRandom), 1, 10);
    s.fireRandom = std::clamp(ReadInt("unit_attack_fire_random", units::BotDefaults::kRandom), 1, 10);
    s.visionRandom = std::clamp(ReadInt("unit_vision_player_random", units::BotDefaults::kRandom), 1, 10);
    s.speed = ReadInt("unit_speed", 6);
    s.yesScript = Read("unit_event_player_collision_action_yes_script");
    s.projectileScript = Read("unit_event_player_projectile_collision_script");
    s.deathScript = Read("unit_event_death_script");
    if (kind_ == kKindBot) ReadBotSettings(s);
    return true;
  }

  void ReadBotSettings(UnitSettings& s) const {
    // Summed in 64 bits: limits and zone sizes may be anything a file holds.
    const int64_t x = s.position.x, y = s.position.y;
    constexpr int half = units::BotDefaults::kZoneHalfSide;
    std::array<int64_t, 4> zone = {x - half, y - half, x + half, y + half};
    if (const std::string limits = Read("unit_move_zone_limits"); !limits.empty()) {
      const auto [left, right, up, down] = config::ParseList4(limits);
      zone = {x - left, y - up, x + right, y + down};
    }
    const int zoneNumber = ReadInt("unit_move_zone_number", 0);
    if (zoneNumber > 0) {
      if (const config::MapObject* placed = config::FindMapObject(Config().tables, config::kLayerZones, zoneNumber)) {
        zone = {placed->x, placed->y, int64_t{placed->x} + placed->width, int64_t{placed->y} + placed->height};
      } else if (config::CheckingProject(Config().listeners)) {
        TellChecker(false, "unit_move_zone_number " + std::to_string(zoneNumber) +
                               " names no object of the map's layer 'Zones'; the bot keeps the zone around it.");
      }
    }
    auto edge = [](int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); };
    s.zone = {edge(std::max<int64_t>(zone[0], config::kZoneMin)), edge(std::max<int64_t>(zone[1], config::kZoneMin)),
              edge(std::min<int64_t>(zone[2], config::kZoneMax)), edge(std::min<int64_t>(zone[3], config::kZoneMax))};
    s.moveType =
        config::EqualsNoCase(Read("unit_move_type"), "static") ? units::MoveType::Static : units::MoveType::Wander;
    s.maxDistance = std::max(ReadInt("unit_max_distance_player", units::BotDefaults::kMaxDistance), 10);
    s.fireDistance = std::max(ReadInt("unit_attack_fire_distance_player", units::BotDefaults::kFireDistance), 100);
    s.visionDistance = std::max(ReadInt("unit_vision_distance_player", units::BotDefaults::kVisionDistance), 0);
  }

  // Hands the settings over in the unit's set-up order; false when an event script is missing.
  bool Configure(CGameUnit& unit, const config::SpriteDefinition& def, const UnitSettings& s) const
      TL_REQUIRES(engine_.Lock()) {
    unit.SetPosition(s.position);
    unit.SetSpawnPosition(s.position);
    unit.SetVisible(s.visible, Now());
    unit.selectable = unit.savedSelectable = s.selectable;
    unit.respawnEnabled = false;
    if (s.respawn != 0) {
      unit.respawnEnabled = true;
      unit.respawnTime = s.respawn;
    }
    if (s.health != 0) {
      unit.SetHealth(s.health);
      unit.SetMaxHealth(s.health);
    }
    if (s.ammo != 0) unit.SetAmmo(s.ammo);
    unit.SetAnimationTime(def.animationTime);
    if (kind_ == kKindOther && def.numberOfFrames >= 2) {
      unit.AddAnimation("Default", 0, def.numberOfFrames - 1, 0);
      unit.SetAnimation("Default", units::kAnimLoop, Now());
    }
    if (!s.name.empty()) unit.SetName(s.name);
    if (!s.description.empty()) unit.description = s.description;
    if (kind_ != kKindOther) {
      for (std::size_t i = 0; i < units::kAnimationOrder.size(); ++i) {
        const config::FrameRange& range = def.frameRanges[i];
        unit.AddAnimation(units::DirectionName(units::kAnimationOrder[i]), range.first, range.last, range.first);
      }
    }
    unit.male = def.maleCharacter != 0;
    unit.SetSpeed(s.speed, s.speed);
    unit.SetResistance(s.resistance);
    if (kind_ == kKindPlayer) {
      unit.collisionMode = 0;
      unit.isPlayer = true;
      unit.respawnEnabled = true;
    }
    if (kind_ == kKindBot) {
      unit.isBot = true;
      unit.moveZone = s.zone;
      unit.moveType = s.moveType;
      unit.maxDistance = s.maxDistance;
      unit.fireDistance = s.fireDistance;
      unit.visionDistance = s.visionDistance;
      unit.returnFire = s.returnFire;
      unit.swordRandom = s.swordRandom;
      unit.fireRandom = s.fireRandom;
      unit.visionRandom = s.visionRandom;
    }
    if (kind_ != kKindOther) {
      unit.attackFire = s.attackFire;
      unit.attackSword = s.attackSword;
    }
    if (kind_ != kKindPlayer && !ConfigureEvents(unit, s)) return false;
    if (!s.deathScript.empty()) {
      unit.deathScript = s.deathScript;
      if (!LoadEventScript(engine_, s.deathScript)) return false;
    }
    return true;
  }

  bool ConfigureEvents(CGameUnit& unit, const UnitSettings& s) const TL_REQUIRES(engine_.Lock()) {
    unit.SetDamageToPlayer(s.damage);
    unit.eventProcess = s.process ? 1 : 0;
    unit.eventButtonAction = s.buttonAction ? 1 : 0;
    unit.yesTimes = s.yesTimes;
    unit.eventObject = s.object;
    unit.eventUsesObject = s.usesObject;
    if (!s.noMessage.empty()) unit.noMessage = s.noMessage;
    if (!s.yesMessage.empty()) unit.yesMessage = s.yesMessage;
    if (!s.finalDescription.empty()) unit.finalDescription = s.finalDescription;
    LoadDialogImage(Config().launcher, unit.dialogImage, files_.sheetFolder, s.imageDialog);
    LoadDialogImage(Config().launcher, unit.dialogImageYes, files_.sheetFolder, s.imageDialogYes);
    unit.eventHideUnit = s.hideUnit ? 1 : 0;
    if (!s.yesScript.empty()) {
      unit.collisionYesScript = s.yesScript;
      if (!LoadEventScript(engine_, s.yesScript)) return false;
    }
    if (!s.projectileScript.empty()) {
      unit.projectileCollisionScript = s.projectileScript;
      if (!LoadEventScript(engine_, s.projectileScript)) return false;
    }
    return true;
  }

  int kind_;
  const UnitKindFiles& files_;
};

}  // namespace

bool LoadUnitDefinitions(COrvantaEngine& engine, int kind) {
  const UnitKindFiles& files = KindFiles(kind);
  const std::string path = DataFile(engine.Config().launcher, files.iniFile);
  if (!platform::FileExists(path)) return true;
  return ReportFirstError(engine.Config(), files.iniFile, UnitDefinitionsLoader(engine, kind, path).Run());
}

}  // namespace cast
