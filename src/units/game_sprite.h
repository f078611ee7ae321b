// CGameSprite: one sprite sheet cut into equal frames, numbered row by row from the top-left,
// with the key colour (not drawn) and the shadow colour (drawn as a half mix with the ground).
// Sheets are shared by every unit made from the same definition; the engine's sprite table owns
// them.
//
// This is the part the engine needs today (the sheet, its frame size and colours); loading a
// sheet from its definition and drawing frames come with the unit behaviour.
#pragma once

#include <cstdint>

#include "gfx/bitmap_surface.h"

class CGameSprite {
 public:
  CGameSprite() = default;
  virtual ~CGameSprite() = default;
  CGameSprite(const CGameSprite&) = delete;
  CGameSprite& operator=(const CGameSprite&) = delete;

  // A sprite is usable exactly when its sheet holds a picture.
  bool IsValid() const { return m_sheet.IsValid(); }
  CBitmapSurface& Sheet() { return m_sheet; }
  const CBitmapSurface& Sheet() const { return m_sheet; }

  // Frame size (each at least 1); the rows and frames per row follow from the sheet's size.
  void SetFrameSize(int width, int height);
  int FrameWidth() const { return m_frameWidth; }
  int FrameHeight() const { return m_frameHeight; }
  int Rows() const { return m_rows; }
  int FramesPerRow() const { return m_framesPerRow; }

  void SetColors(uint32_t key, uint32_t shadow) {
    m_keyColor = key;
    m_shadowColor = shadow;
  }
  uint32_t KeyColor() const { return m_keyColor; }
  uint32_t ShadowColor() const { return m_shadowColor; }

 private:
  CBitmapSurface m_sheet;
  int m_frameWidth = 0;
  int m_frameHeight = 0;
  int m_rows = 0;
  int m_framesPerRow = 0;
  uint32_t m_keyColor = 0xFFFFFF;
  uint32_t m_shadowColor = 0;
};
