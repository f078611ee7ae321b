#include "units/game_sprite.h"

#include <algorithm>

#include "units/game_geometry.h"

bool CGameSprite::Load(const std::string& path, int frameWidth, int frameHeight, uint32_t key, uint32_t shadow) {
  path_ = path;
  if (path.empty() || !sheet_.LoadFile(path)) {
    SetFrameSize(frameWidth, frameHeight);
    return false;
  }
  SetColors(key, shadow);
  SetFrameSize(frameWidth, frameHeight);
  return true;
}

void CGameSprite::SetFrameSize(int width, int height) {
  frameWidth_ = std::clamp(width, 1, units::kSizeLimit);
  frameHeight_ = std::clamp(height, 1, units::kSizeLimit);
  rows_ = sheet_.GetHeight() / frameHeight_;
  framesPerRow_ = sheet_.GetWidth() / frameWidth_;
}

bool CGameSprite::FrameSource(int frame, SourceArea& source) const {
  if (!IsValid() || frame < 0 || frame >= FrameCount()) return false;
  const int column = frame % framesPerRow_;
  const int row = frame / framesPerRow_;
  source = {column * frameWidth_, row * frameHeight_, frameWidth_, frameHeight_};
  return true;
}

void CGameSprite::DrawFrame(CBitmapSurface& dest, int x, int y, int frame) const {
  SourceArea source;
  if (!dest.IsValid() || !FrameSource(frame, source)) return;
  dest.DrawKeyedShadow(x, y, source.width, source.height, sheet_, source.x, source.y, keyColor_, shadowColor_);
}

void CGameSprite::DrawFrameBlended(CBitmapSurface& dest, int x, int y, int frame, int opacity) const {
  SourceArea source;
  if (!dest.IsValid() || !FrameSource(frame, source)) return;
  dest.DrawKeyedShadowBlended(x, y, source.width, source.height, sheet_, source.x, source.y, keyColor_, shadowColor_,
                              opacity);
}
