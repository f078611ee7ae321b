// Combat: damage, death, respawn, the fire ball and the sword blow. Each character fights through
// its attached units (projectile, explosion, sword and respawn effects), which live in the unit
// table beside it and are reused for every shot, blow and respawn.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "config/game_config.h"
#include "config/language.h"
#include "units/contact_index.h"
#include "units/game_unit.h"
#include "units/unit_services.h"

namespace {

constexpr int kProjectileHit = 35;
constexpr int kSwordHit = 10;
constexpr uint32_t kBarsAfterDamageMs = 2000;
constexpr int kKnockedOutOpacity = 30;
constexpr int kProjectileStepPixels = 15;
// The side of the sword's reach when its sheet could not be read.
constexpr int kSwordFallbackSide = 81;

const char* BySex(bool male, const char* maleText, const char* femaleText) { return male ? maleText : femaleText; }

// The direction a unit faces to look along (dx, dy): the first matching row of the walking
// table, so a shooter looks the way a walk toward the point would start.
units::Direction FacingFor(int64_t dx, int64_t dy) {
  using units::Direction;
  if (dy == 0) return dx <= 0 ? Direction::Left : Direction::Right;
  if (dx == 0) return dy <= 0 ? Direction::Up : Direction::Down;
  if (dx > 0) return dy > 0 ? Direction::RightDown : Direction::RightUp;
  return dy > 0 ? Direction::LeftDown : Direction::LeftUp;
}

// Puts an effect with its frame centred on the point, shows it and starts its "Default"
// animation. A fading effect ends at opacity 0, so each showing starts from its own opacity.
void ShowEffectAt(CGameUnit& effect, units::Point centre, int mode, const units::UnitWorld& world) {
  units::Rect frame = effect.UnitRect();
  units::CentreRectOnPoint(frame, centre);
  effect.SetPosition({frame.left, frame.top});
  units::NoteMoved(world, effect);
  effect.opacity = effect.defaultOpacity;
  effect.SetVisible(true, world.now);
  effect.SetAnimation("Default", mode, world.now);
}

// A player is knocked out and stays on the map, faded and out of play until it respawns.
void KnockOut(CGameUnit& player, const units::UnitWorld& world) {
  units::UnitServices& services = world.Services();
  services.PlaySound(BySex(player.male, "death_player_m.wav", "death_player_f.wav"));
  player.selected = false;
  player.opacity = kKnockedOutOpacity;
  player.selectable = false;
  player.alive = false;
  player.StartRespawnTimer(world.now);
  player.Stop();
  player.ClearPath();
  services.ShowDeathBanner(player.DisplayName(), config::Tr(world.Config().language(), "Eliminated",
                                                            BySex(player.male, "Eliminado", "Eliminada")));
}

}  // namespace

void CGameUnit::Damage(int amount, CGameUnit* attacker, const units::UnitWorld& world) {
  if (!HasValidSprite() || resistance_ <= 0 || health_ < 1) return;
  units::UnitServices& services = world.Services();
  services.PlaySound(isPlayer ? BySex(male, "damage_player_m.wav", "damage_player_f.wav") : "damage_unit.wav");
  const int loss = amount / resistance_;
  SetHealth(units::ClampToInt(int64_t{health_} - loss));
  barsShown = true;
  barsUntil = world.now + kBarsAfterDamageMs;
  if (health_ >= 1) return;
  if (isPlayer) {
    KnockOut(*this, world);
  } else {
    SetVisible(false, world.now);
    services.PlaySound("death_unit.wav");
  }
  if (!deathScript.empty()) services.RunScript(deathScript, attacker);
}

void CGameUnit::FaceTowards(units::Point target, uint32_t now) {
  if (!HasValidSprite()) return;
  const units::Point centre = Centre();
  const units::Direction facing = FacingFor(int64_t{target.x} - centre.x, int64_t{target.y} - centre.y);
  // The record of the direction's name, as SetAnimation would find it, from the walking ones.
  ShowAnimation(WalkingAnimation(facing), units::kAnimHold, now);
}

void CGameUnit::FireAt(units::Point target, const units::UnitWorld& world) {
  if (!HasValidSprite() || projectile == nullptr || projectile->IsVisible()) return;
  units::UnitServices& services = world.Services();
  if (isPlayer) {
    if (ammo_ == 0) {
      services.PlaySound("no_ammo.wav");
      return;
    }
    SetAmmo(ammo_ - 1);
    services.PlaySound("fire1.wav");
  } else {
    services.PlaySound("fire2.wav");
  }
  FaceTowards(target, world.now);
  // The distance cut into steps of about 15 pixels; an axis without offset still moves 1 a step.
  const units::Point centre = Centre();
  const int64_t dx = int64_t{target.x} - centre.x;
  const int64_t dy = int64_t{target.y} - centre.y;
  const int64_t steps = std::max(units::Distance(centre, target) / kProjectileStepPixels, 1);
  const int64_t vx = dx / steps, vy = dy / steps;
  projectile->owner = this;
  projectile->SetSpeed(vx == 0 ? 1 : units::ClampToInt(vx), vy == 0 ? 1 : units::ClampToInt(vy));
  projectile->SetPosition(centre);
  units::NoteMoved(world, *projectile);
  projectile->SetVisible(true, world.now);
  projectile->Stop();
  projectile->ClearPath();
  // Aimed within a pixel of the shooter's centre, the ball (its corner on that centre) would
  // have to take diagonal steps of 1 pixel, which truncate to nothing: it would hang in the air
  // for good and the shooter could never fire again. It is where it was sent: it rests there and
  // vanishes in the next step.
  if (std::llabs(dx) <= 1 && std::llabs(dy) <= 1) return;
  projectile->MoveTo(target);
}

void CGameUnit::ProjectileImpact(CGameUnit& victim, const units::UnitWorld& world) {
  Stop();
  SetVisible(false, world.now);
  if (owner == nullptr) return;
  CGameUnit& shooter = *owner;
  if (shooter.explosionEffect != nullptr) {
    ShowEffectAt(*shooter.explosionEffect, Position(), units::kAnimPlayAndFade, world);
  }
  world.Services().PlaySound("explosion1.wav");
  if (victim.Health() > 0) victim.Damage(kProjectileHit, &shooter, world);
  // Only a bot still standing shoots back: one this ball has just killed is gone.
  if (victim.isBot && victim.returnFire && victim.IsVisible() && victim.Health() > 0) {
    victim.FireAt(shooter.Centre(), world);
  }
}

units::Rect CGameUnit::SwordReach() const {
  units::Rect reach =
      swordEffect != nullptr ? swordEffect->UnitRect() : units::Rect{0, 0, kSwordFallbackSide, kSwordFallbackSide};
  units::CentreRectOnPoint(reach, Centre());
  return reach;
}

void CGameUnit::SwordAttack(const units::UnitWorld& world) {
  if (!HasValidSprite()) return;
  if (swordEffect != nullptr && swordEffect->IsVisible()) return;
  const units::Rect reach = SwordReach();
  world.Services().PlaySound("use_sword1.wav");
  if (swordEffect != nullptr) {
    swordEffect->SetPosition({reach.left, reach.top});
    units::NoteMoved(world, *swordEffect);
    swordEffect->SetVisible(true, world.now);
    swordEffect->SetAnimation("Default", units::kAnimPlayOnceHide, world.now);
  }
  // Every living unit of another side whose box meets the reach takes a blow, in table order, up
  // to the table's first empty slot.
  auto struck = [&](const CGameUnit& other) {
    if (&other == this || (isPlayer && other.isPlayer) || (isBot && other.isBot) || other.Health() <= 0) return false;
    units::Rect box = other.CollisionBox();
    units::OffsetRect(box, other.x, other.y);
    return units::RectsIntersect(box, reach);
  };
  units::ContactIndex* index = units::IndexFor(world);
  if (index == nullptr) {
    for (const std::unique_ptr<CGameUnit>& entry : world.table) {
      if (entry == nullptr) break;
      if (struck(*entry)) entry->Damage(kSwordHit, this, world);
    }
    return;
  }
  // Within a step the index names the few units near the reach, so that a crowd of bots striking
  // in one decision pass does not look at the whole table for every blow. Should a blow move a
  // unit to other cells, the units after it are asked for again, as the contact pass does.
  const std::size_t end = index->FirstEmptySlot();
  const std::vector<int>* slots = &index->Candidates(reach, -1);
  uint64_t changes = index->Changes();
  for (std::size_t k = 0; k < slots->size();) {
    const int slot = (*slots)[k++];
    if (static_cast<std::size_t>(slot) >= end) return;
    CGameUnit& other = *world.table[static_cast<std::size_t>(slot)];
    if (struck(other)) other.Damage(kSwordHit, this, world);
    if (index->Changes() != changes) {
      slots = &index->Candidates(reach, slot);
      changes = index->Changes();
      k = 0;
    }
  }
}

void CGameUnit::Respawn(const units::UnitWorld& world) {
  if (!HasValidSprite()) return;
  respawnDue = 0;
  SetPosition(spawn);
  opacity = defaultOpacity;
  selectable = savedSelectable;
  SetHealth(maxHealth_);
  SetVisible(true, world.now);
  alive = true;
  if (respawnEffect == nullptr) return;
  // The effect rises from the middle of the unit's lower edge.
  const units::Point anchor = {spawn.x + FrameWidth() / 2, spawn.y + FrameHeight()};
  ShowEffectAt(*respawnEffect, anchor, units::kAnimPlayAndFade, world);
  world.Services().PlaySound("respawn_fx.wav");
}
