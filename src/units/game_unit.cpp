// The unit's set-up: sprite, names, clamped numbers, visibility and the final set-up.
#include "units/game_unit.h"

#include <algorithm>

#include "units/game_sprite.h"

namespace {

// Windows-1252 lower-case letters that identifiers spell without their accent.
char FoldIdentifierChar(char c) {
  switch (static_cast<unsigned char>(c)) {
    case ' ': return '_';
    case 0xE1: return 'a';
    case 0xE9: return 'e';
    case 0xED: return 'i';
    case 0xF3: return 'o';
    case 0xFA: return 'u';
    case 0xF1: return 'n';
    default: return c;
  }
}

int Percentage(int value) { return std::clamp(value, 0, 100); }

}  // namespace

CGameUnit::CGameUnit() {
  label.Create(1, 1);
  label.Clear(0);
  bubble.Create(1, 1);
  bubble.Clear(0);
}

bool CGameUnit::AttachSprite(CGameSprite* sprite, int frame, int kindCode, const units::Rect& collisionBox) {
  if (sprite == nullptr || !sprite->IsValid()) return false;
  sprite_ = sprite;
  anim_.frame = units::Magnitude(frame);
  kindCode_ = kindCode;
  auto size = [](int value) { return std::clamp(value, -units::kSizeLimit, units::kSizeLimit); };
  collisionBox_ = {size(collisionBox.left), size(collisionBox.top), size(collisionBox.right),
                   size(collisionBox.bottom)};
  return true;
}

void CGameUnit::SetName(const std::string& name) {
  displayName_ = name.substr(0, kNameMax);
  identifierName_ = displayName_;
  for (char& c : identifierName_) c = FoldIdentifierChar(c);
}

void CGameUnit::SetHealth(int value) { health_ = Percentage(value); }
void CGameUnit::SetMaxHealth(int value) { maxHealth_ = Percentage(value); }
void CGameUnit::SetAmmo(int value) { ammo_ = Percentage(value); }
void CGameUnit::SetDamageToPlayer(int value) { damageToPlayer_ = Percentage(value); }
void CGameUnit::SetResistance(int value) { resistance_ = std::max(value, 0); }
void CGameUnit::SetSpeed(int speedX, int speedY) {
  speed_ = {std::min(units::Magnitude(speedX), units::kSizeLimit),
            std::min(units::Magnitude(speedY), units::kSizeLimit)};
}

void CGameUnit::SetVisible(bool visible, uint32_t now) {
  visible_ = visible;
  if (!visible && !isPlayer) StartRespawnTimer(now);
}

void CGameUnit::StartRespawnTimer(uint32_t now) {
  if (respawnEnabled) respawnDue = now + static_cast<uint32_t>(respawnTime);
}

void CGameUnit::FinalSetup() {
  // Until an animation starts the unit shows the frame it was attached with; the attached
  // units of combat are created here once their rules exist.
  if (anim_.index < 0) anim_.first = anim_.last = anim_.start = anim_.frame;
}

int CGameUnit::DepthKey() const { return y + collisionBox_.top + (collisionBox_.bottom - collisionBox_.top) / 2; }
