#include "units/game_sprite.h"

#include <algorithm>

#include "units/game_geometry.h"

bool CGameSprite::Load(const std::string& path, int frameWidth, int frameHeight, uint32_t key,
                       uint32_t shadow) {
  m_path = path;
  if (path.empty() || !m_sheet.LoadFile(path)) {
    SetFrameSize(frameWidth, frameHeight);
    return false;
  }
  SetColors(key, shadow);
  SetFrameSize(frameWidth, frameHeight);
  return true;
}

void CGameSprite::SetFrameSize(int width, int height) {
  m_frameWidth = std::clamp(width, 1, units::kSizeLimit);
  m_frameHeight = std::clamp(height, 1, units::kSizeLimit);
  m_rows = m_sheet.GetHeight() / m_frameHeight;
  m_framesPerRow = m_sheet.GetWidth() / m_frameWidth;
}

bool CGameSprite::FrameSource(int frame, SourceArea& source) const {
  if (!IsValid() || frame < 0 || frame >= FrameCount()) return false;
  const int column = frame % m_framesPerRow;
  const int row = frame / m_framesPerRow;
  source = {column * m_frameWidth, row * m_frameHeight, m_frameWidth, m_frameHeight};
  return true;
}

void CGameSprite::DrawFrame(CBitmapSurface& dest, int x, int y, int frame) const {
  SourceArea source;
  if (!dest.IsValid() || !FrameSource(frame, source)) return;
  dest.DrawKeyedShadow(x, y, source.width, source.height, m_sheet, source.x, source.y, m_keyColor,
                       m_shadowColor);
}

void CGameSprite::DrawFrameBlended(CBitmapSurface& dest, int x, int y, int frame, int opacity) const {
  SourceArea source;
  if (!dest.IsValid() || !FrameSource(frame, source)) return;
  dest.DrawKeyedShadowBlended(x, y, source.width, source.height, m_sheet, source.x, source.y,
                              m_keyColor, m_shadowColor, opacity);
}
