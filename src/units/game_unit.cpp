#include "units/game_unit.h"

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

}  // namespace

bool CGameUnit::AttachSprite(CGameSprite* sprite, int kindCode, const units::Rect& collisionBox) {
  if (sprite == nullptr || !sprite->IsValid()) return false;
  m_sprite = sprite;
  m_kindCode = kindCode;
  m_collisionBox = collisionBox;
  return true;
}

void CGameUnit::SetName(const std::string& name) {
  m_displayName = name.substr(0, kNameMax);
  m_identifierName = m_displayName;
  for (char& c : m_identifierName) c = FoldIdentifierChar(c);
}

bool CGameUnit::HasValidSprite() const { return m_sprite != nullptr && m_sprite->IsValid(); }

int CGameUnit::FrameWidth() const { return m_sprite != nullptr ? m_sprite->FrameWidth() : 0; }
int CGameUnit::FrameHeight() const { return m_sprite != nullptr ? m_sprite->FrameHeight() : 0; }

units::Rect CGameUnit::UnitRect() const { return {x, y, x + FrameWidth(), y + FrameHeight()}; }

int CGameUnit::DepthKey() const {
  return y + m_collisionBox.top + (m_collisionBox.bottom - m_collisionBox.top) / 2;
}
