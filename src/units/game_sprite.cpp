#include "units/game_sprite.h"

#include <algorithm>

void CGameSprite::SetFrameSize(int width, int height) {
  m_frameWidth = std::max(width, 1);
  m_frameHeight = std::max(height, 1);
  m_rows = m_sheet.GetHeight() / m_frameHeight;
  m_framesPerRow = m_sheet.GetWidth() / m_frameWidth;
}
