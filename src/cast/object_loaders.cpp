// objects_units.ini: the pick-up kit sprites, the inventory objects and the unit-objects that
// stand for them (or for kits) on the map.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "cast/attached_units.h"
#include "cast/cast_files.h"
#include "cast/cast_loaders.h"
#include "config/game_tables.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "config/map_bounds.h"
#include "config/project_path.h"
#include "engine/orvanta_engine.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace cast {
namespace {

constexpr const char* kObjectsFile = "objects_units.ini";
constexpr std::size_t kValueBuffer = 128;
constexpr std::size_t kObjectNameMax = 31;
constexpr std::size_t kObjectDescriptionMax = 127;
constexpr int kMaxUnitObjects = 1000;
constexpr int kKitSize = 32;
constexpr int kKitRespawnMs = 60000;

enum Autouse : int { kAutouseHealth = 1, kAutouseAmmo = 2, kAutouseObject = 3 };

// The sheet of the ammo kits or of the health kits, in the objects' sheet folder.
const char* KitSheet(bool ammo) { return ammo ? "ammo_object.bmp" : "health_object.bmp"; }

CGameSprite* LoadKitSprite(COrvantaEngine& engine, const char* fileName) TL_REQUIRES(engine.Lock()) {
  auto sprite = std::make_unique<CGameSprite>();
  sprite->Load(engine.Config().launcher.Folder(config::kFolderSpritesObjects) + "\\" + fileName, kKitSize, kKitSize,
               kSpriteKey, kSystemShadowKey);
  return RegisterSprite(engine, std::move(sprite));
}

// A file of the objects' sheet folder; nothing when the name leaves the project or the file is
// missing. `shown` is the path the messages name.
std::optional<std::string> ObjectFile(const config::LauncherSettings& launcher, const std::string& name,
                                      std::string& shown) {
  shown = config::JoinedPath(launcher, config::kFolderSpritesObjects, name);
  auto path = config::FileInProjectFolder(launcher, config::kFolderSpritesObjects, name);
  if (!path || !platform::FileExists(*path)) return std::nullopt;
  return path;
}

class ObjectDefinitionsLoader : SectionLoader {
 public:
  ObjectDefinitionsLoader(COrvantaEngine& engine, std::string path)
      : SectionLoader(engine, std::move(path), kValueBuffer) {}

  // The error text of the first failing section; nothing when every section loaded.
  std::optional<std::string> Run() {
    // The entry function that made this loader requires its engine's lock, which the analysis
    // cannot tie to the loader's reference to that engine.
    engine_.Lock().AssumeHeld();
    return RunSections(config::kMaxObjects,
                       [this](int number) TL_REQUIRES(engine_.Lock()) { return LoadObject(number); });
  }

 private:
  // `imageReason`: why the image loader refused the file, which a checker adds.
  bool Fail(const char* english, const char* spanish, const std::string& file, int number,
            const std::string& imageReason = {}) {
    const std::string format = config::Tr(Config().language(), english, spanish);
    return SectionLoader::Fail(
        WithImageReason(Config().listeners,
                        file.empty() ? config::Format(format.c_str(), section_.c_str(), number)
                                     : config::Format(format.c_str(), section_.c_str(), file.c_str(), number),
                        imageReason));
  }

  bool LoadObject(int number) TL_REQUIRES(engine_.Lock()) {
    section_ = config::Format("object_inventory_%d", number);
    const std::string name = Read("object_name");
    if (name.empty()) return SkipWithoutKey("object_name");
    config::ObjectDefinition& object = Config().tables.objects[static_cast<std::size_t>(number)];
    object.name = name.substr(0, kObjectNameMax);
    const std::string iconName = Read("object_icon");
    if (iconName.empty()) {
      return Fail(
          "Section [%s]:\nThe icon of object number %d is not defined.\nYou must indicate it in variable 'object_icon'",
          "Sección [%s]:\nNo se ha definido el icono del objeto número %d.\nDebes indicarlo en la variable "
          "'object_icon'.",
          "", number);
    }
    std::string shown;
    const auto iconPath = ObjectFile(Config().launcher, iconName, shown);
    if (!iconPath) {
      return Fail("Section [%s]:\nFile '%s' not found of the icon of object number %d.",
                  "Sección [%s]:\nNo existe el fichero '%s' del icono del objeto número %d.", shown, number);
    }
    auto icon = std::make_unique<CBitmapSurface>();
    if (!icon->LoadFile(*iconPath) || !icon->IsValid()) {
      return Fail("Section [%s]:\nFile '%s' of the icon of object number %d, is invalid",
                  "Sección [%s]:\nEl fichero '%s' del icono del objeto número %d, no es válido.", shown, number,
                  icon->LoadError());
    }
    object.icon = std::move(icon);
    object.defined = true;
    object.description.clear();
    object.numberOfUses = 1;
    object.decreaseUses = true;
    const std::string description = Read("object_description");
    if (!description.empty()) object.description = description.substr(0, kObjectDescriptionMax);
    const std::string uses = Read("object_number_uses_pickup");
    if (!uses.empty()) object.numberOfUses = std::clamp(config::ParseInt(uses), 1, 99);
    object.decreaseUses = config::ParseFlag(Read("object_decrease_uses"), "false", true);
    return LoadObjectSprite(number, object);
  }

  bool LoadObjectSprite(int number, config::ObjectDefinition& object) TL_REQUIRES(engine_.Lock()) {
    const std::string spriteName = Read("object_sprite_bmp");
    if (spriteName.empty()) return true;
    std::string shown;
    const auto spritePath = ObjectFile(Config().launcher, spriteName, shown);
    if (!spritePath) {
      return Fail("Section [%s]:\nFile '%s' not found of the sprite of object number %d.",
                  "Sección [%s]:\nNo existe el fichero '%s' del sprite del objeto número %d.", shown, number);
    }
    auto sprite = std::make_unique<CGameSprite>();
    if (!sprite->LoadSheet(*spritePath) || !sprite->IsValid()) {
      return Fail("Section [%s]:\nFile '%s' of the sprite of object number %d, is invalid",
                  "Sección [%s]:\nEl fichero '%s' del sprite del objeto número %d, no es válido.", shown, number,
                  sprite->Sheet().LoadError());
    }
    object.spriteFrameWidth = sprite->Sheet().GetWidth();
    object.spriteFrameHeight = sprite->Sheet().GetHeight();
    object.spriteNumberOfFrames = 1;
    object.spriteAnimationTime = 0;
    if (const std::string v = Read("object_sprite_frame_width"); !v.empty())
      object.spriteFrameWidth = config::ParseInt(v);
    if (const std::string v = Read("object_sprite_frame_height"); !v.empty())
      object.spriteFrameHeight = config::ParseInt(v);
    if (const std::string v = Read("object_sprite_number_frames"); !v.empty()) {
      object.spriteNumberOfFrames = std::max(config::ParseInt(v), 1);
    }
    if (const std::string v = Read("object_sprite_animation_time"); !v.empty()) {
      object.spriteAnimationTime = std::max(config::ParseInt(v), 0);
    }
    CheckFrameSize({"object_sprite_frame_width", object.spriteFrameWidth, sprite->Sheet().GetWidth()},
                   {"object_sprite_frame_height", object.spriteFrameHeight, sprite->Sheet().GetHeight()});
    sprite->SetColors(kSpriteKey, kUnitShadowKey);
    sprite->SetFrameSize(object.spriteFrameWidth, object.spriteFrameHeight);
    object.sprite = RegisterSprite(engine_, std::move(sprite));
    return true;
  }
};

class UnitObjectsLoader : SectionLoader {
 public:
  UnitObjectsLoader(COrvantaEngine& engine, std::string path) : SectionLoader(engine, std::move(path), kValueBuffer) {}

  std::optional<std::string> Run() {
    // The entry function that made this loader requires its engine's lock, which the analysis
    // cannot tie to the loader's reference to that engine.
    engine_.Lock().AssumeHeld();
    return RunSections(kMaxUnitObjects,
                       [this](int number) TL_REQUIRES(engine_.Lock()) { return LoadUnitObject(number); });
  }

 private:
  bool LoadUnitObject(int number) TL_REQUIRES(engine_.Lock()) {
    section_ = config::Format("object_unit_%d", number);
    const std::string inventory = Read("unit_object_inventory");
    if (inventory.empty()) return SkipWithoutKey("unit_object_inventory");
    const int objectNumber = config::ParseInt(inventory);
    const bool isObject = objectNumber >= 1 && objectNumber <= config::kMaxObjects;
    const config::ObjectDefinition* object = nullptr;
    CGameSprite* sprite = nullptr;
    int autouse = kAutouseHealth;
    int respawn = 0;
    if (isObject) {
      object = &Config().tables.objects[static_cast<std::size_t>(objectNumber)];
      if (!object->defined) {
        return Fail(config::Format(
            config::Tr(Config().language(),
                       "Section [%s]:\nThe object number %d in variable 'unit_object_inventory' is not defined.",
                       "Sección [%s]:\nEl objeto número %d de la variable 'unit_object_inventory' no está definido.")
                .c_str(),
            section_.c_str(), objectNumber));
      }
      if (object->sprite == nullptr) {
        return Fail(config::Format(
            config::Tr(Config().language(),
                       "Section [%s]:\nUnit-object %d could not be created. The sprite of object number %d is not "
                       "defined in section [object_inventory_%d].",
                       "Sección [%s]:\nNo se ha podido crear la unidad-objeto %d. No se ha definido el sprite del "
                       "objeto número %d en la sección [object_inventory_%d].")
                .c_str(),
            section_.c_str(), number, objectNumber, objectNumber));
      }
      sprite = object->sprite;
      autouse = kAutouseObject;
    } else {
      const std::string type = Read("unit_object_autouse");
      if (type.empty()) {
        return Fail(config::Format(
            config::Tr(Config().language(),
                       "Section [%s]:\nUnit-object %d could not be created. The object type in variable "
                       "'unit_object_autouse' is not defined.",
                       "Sección [%s]:\nNo se ha podido crear la unidad-objeto %d. No se ha definido el tipo de "
                       "objeto en la variable 'unit_object_autouse'.")
                .c_str(),
            section_.c_str(), number));
      }
      if (config::EqualsNoCase(type, "ammo_kit")) autouse = kAutouseAmmo;
      sprite = autouse == kAutouseAmmo ? Config().tables.ammoKitSprite : Config().tables.healthKitSprite;
      if (sprite == nullptr && config::CheckingProject(Config().listeners)) {
        TellChecker(false, "the kit's sheet '" +
                               config::JoinedPath(Config().launcher, config::kFolderSpritesObjects,
                                                  KitSheet(autouse == kAutouseAmmo)) +
                               "' is missing or invalid; the kit is never created.");
      }
      respawn = kKitRespawnMs;
    }
    units::Point position{100, 100};
    const auto pair = config::ParsePair(Read("unit_position"));
    if (pair[0] >= 1 && pair[0] < config::kMapPixelLimit && pair[1] >= 1 && pair[1] < config::kMapPixelLimit) {
      position = {pair[0], pair[1]};
    }
    if (const config::MapObject* placed = config::FindMapObject(Config().tables, config::kLayerUnitsObjects, number)) {
      position = {placed->x, placed->y};
    }
    const std::string name = Read("unit_name");
    const bool visible = config::ParseFlag(Read("unit_visible"), "false", true);
    if (const std::string v = Read("unit_respawn"); !v.empty()) respawn = config::ParseInt(v);

    // Object pick-ups keep the object's frame size (held as a sprite holds it); kits are 32 x 32.
    auto inner = [](int side) { return std::clamp(side, -units::kSizeLimit, units::kSizeLimit) - 2; };
    const units::Rect box = isObject
                                ? units::Rect{1, 1, inner(object->spriteFrameWidth), inner(object->spriteFrameHeight)}
                                : units::Rect{1, 1, kKitSize - 2, kKitSize - 2};
    auto unit = std::make_unique<CGameUnit>();
    unit->AttachSprite(sprite, 0, kUnitKindObject, box);
    unit->SetPosition(position);
    unit->SetSpawnPosition(position);
    unit->SetVisible(visible, platform::Get().TickCount());
    unit->respawnEnabled = false;
    if (respawn != 0) {
      unit->respawnEnabled = true;
      unit->respawnTime = respawn;
      if (!FinishUnitSetup(engine_, *unit)) return Fail("");
    }
    if (isObject && object->spriteNumberOfFrames > 1) {
      unit->SetAnimationTime(object->spriteAnimationTime);
      unit->AddAnimation("Default", 0, object->spriteNumberOfFrames - 1, 0);
      unit->SetAnimation("Default", units::kAnimLoop, platform::Get().TickCount());
    }
    if (!name.empty()) unit->SetName(name);
    unit->autouseType = autouse;
    if (isObject) unit->objectNumber = objectNumber;
    RegisterUnit(engine_, std::move(unit));
    return true;
  }
};

}  // namespace

bool LoadSystemSprites(COrvantaEngine& engine) {
  engine.Config().tables.healthKitSprite = LoadKitSprite(engine, KitSheet(false));
  engine.Config().tables.ammoKitSprite = LoadKitSprite(engine, KitSheet(true));
  return true;
}

bool LoadObjectDefinitions(COrvantaEngine& engine) {
  const std::string path = DataFile(engine.Config().launcher, kObjectsFile);
  if (!platform::FileExists(path)) return true;
  return ReportFirstError(engine.Config(), kObjectsFile, ObjectDefinitionsLoader(engine, path).Run());
}

bool LoadUnitObjects(COrvantaEngine& engine) {
  const std::string path = DataFile(engine.Config().launcher, kObjectsFile);
  if (!platform::FileExists(path)) return true;
  return ReportFirstError(engine.Config(), kObjectsFile, UnitObjectsLoader(engine, path).Run());
}

}  // namespace cast
