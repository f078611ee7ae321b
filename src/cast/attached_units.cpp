#include "cast/attached_units.h"

#include <array>
#include <memory>
#include <string>

#include "cast/cast_files.h"
#include "config/fatal_error.h"
#include "config/game_tables.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "units/game_geometry.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace cast {
namespace {

constexpr uint32_t kProjectileShadow = 0x271B11;
constexpr uint32_t kEffectShadow = 0;  // the effect sheets draw their pure black as shadow
constexpr int kSwordFallbackSide = 81;

uint32_t Now() { return platform::Get().TickCount(); }

// One sprite per sheet file, shared by every unit that attaches it. A sheet whose side is not
// known in advance (the sword) gets square frames of its height.
CGameSprite* SharedSheet(COrvantaEngine& engine, const std::string& path, int frameWidth, int frameHeight,
                         uint32_t shadow) TL_REQUIRES(engine.Lock()) {
  auto& sheets = engine.Config().tables.attachedSheets;
  auto found = sheets.find(path);
  if (found != sheets.end()) return found->second;
  auto sprite = std::make_unique<CGameSprite>();
  if (sprite->Load(path, frameWidth, frameHeight, kSpriteKey, shadow) && frameWidth <= 0) {
    const int side = sprite->Sheet().GetHeight();
    sprite->SetFrameSize(side, side);
  } else if (frameWidth <= 0) {
    sprite->SetFrameSize(kSwordFallbackSide, kSwordFallbackSide);
  }
  CGameSprite* kept = RegisterSprite(engine, std::move(sprite));
  sheets.emplace(path, kept);
  return kept;
}

// A hidden unit of the sheet with the kind code, an empty or given box and its frame time;
// null when the sheet has no picture or the unit table is full.
CGameUnit* MakeAttached(COrvantaEngine& engine, CGameSprite* sprite, int kindCode, const units::Rect& box,
                        int frameTime, const char* animation, int lastFrame, int opacity) TL_REQUIRES(engine.Lock()) {
  auto unit = std::make_unique<CGameUnit>();
  if (!unit->AttachSprite(sprite, 0, kindCode, box)) return nullptr;
  unit->SetVisible(false, Now());
  unit->SetAnimationTime(frameTime);
  if (animation != nullptr) unit->AddAnimation(animation, 0, lastFrame, 0);
  unit->opacity = unit->defaultOpacity = opacity;
  return RegisterUnit(engine, std::move(unit));
}

bool CreateCombatUnits(COrvantaEngine& engine, CGameUnit& unit) TL_REQUIRES(engine.Lock()) {
  const bool player = unit.isPlayer;
  const int folder = player ? config::kFolderSpritesPlayers : config::kFolderSpritesBots;
  const char* suffix = player ? "player" : "bot";
  const std::array<std::string, 3> paths = {
      engine.Config().launcher.Folder(folder) + "\\ball_fire_" + suffix + ".bmp",
      engine.Config().launcher.Folder(folder) + "\\ball_fire_explosion_" + suffix + ".bmp",
      engine.Config().launcher.Folder(folder) + "\\attack_sword_sprite_" + suffix + ".bmp",
  };
  for (const std::string& path : paths) {
    if (platform::FileExists(path)) continue;
    config::FatalError(
        engine.Config().listeners,
        config::Tr(engine.Config().language(), "System sprites error", "Error en sprites del sistema"),
        config::Format(
            config::Tr(engine.Config().language(), "File '%s' not found.", "No existe el fichero '%s'.").c_str(),
            path.c_str()));
    return false;
  }
  CGameSprite* ball = SharedSheet(engine, paths[0], 15, 15, kProjectileShadow);
  auto projectile = std::make_unique<CGameUnit>();
  if (projectile->AttachSprite(ball, 0, kUnitKindMobile, {1, 1, 13, 13})) {
    projectile->SetVisible(false, Now());
    projectile->SetAnimationTime(40);
    projectile->selectable = projectile->savedSelectable = false;
    projectile->collisionMode = 1;
    projectile->isProjectile = true;
    for (units::Direction way : units::kAnimationOrder) projectile->AddAnimation(units::DirectionName(way), 0, 2, 0);
    unit.projectile = RegisterUnit(engine, std::move(projectile));
  }
  unit.explosionEffect = MakeAttached(engine, SharedSheet(engine, paths[1], 56, 56, kEffectShadow), kUnitKindEffect, {},
                                      50, "Default", 13, 100);
  unit.swordEffect = MakeAttached(engine, SharedSheet(engine, paths[2], 0, 0, kEffectShadow), kUnitKindEffect, {}, 100,
                                  "Default", 3, 75);
  return true;
}

}  // namespace

bool FinishUnitSetup(COrvantaEngine& engine, CGameUnit& unit) TL_REQUIRES(engine.Lock()) {
  unit.FinalSetup();
  if (!unit.HasValidSprite()) return true;  // the engine refuses the unit: nothing to attach
  if ((unit.isPlayer || unit.isBot) && !CreateCombatUnits(engine, unit)) return false;
  if (unit.respawnEnabled) {
    const std::string path = engine.Config().launcher.Folder(config::kFolderSystem) + "\\Respawn_fx.bmp";
    unit.respawnEffect = MakeAttached(engine, SharedSheet(engine, path, 63, 63, kEffectShadow), kUnitKindEffect, {},
                                      100, "Default", 8, 75);
    if (unit.respawnEffect != nullptr) unit.respawnEffect->SetPosition(unit.Position());
  }
  return true;
}

}  // namespace cast
