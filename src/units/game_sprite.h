// CGameSprite: one sprite sheet cut into equal frames, numbered row by row from the top-left,
// with the key colour (not drawn) and the shadow colour (drawn as a half mix with the ground).
// Sheets are shared by every unit made from the same definition; the engine's sprite table owns
// them. Only whole frames count: a frame number outside the sheet, and every frame of a sheet
// smaller than one frame, draws nothing.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/bitmap_surface.h"

class CGameSprite {
 public:
  CGameSprite() = default;
  virtual ~CGameSprite() = default;
  CGameSprite(const CGameSprite&) = delete;
  CGameSprite& operator=(const CGameSprite&) = delete;

  // Loads the sheet (a backslash-joined project path) with its frame size and colours; false
  // when the image cannot be loaded. Frame sizes are held as SetFrameSize holds them.
  bool Load(const std::string& path, int frameWidth, int frameHeight, uint32_t key, uint32_t shadow);
  // Loads just the picture, keeping the frame size and colours.
  bool LoadSheet(const std::string& path) {
    m_path = path;
    return m_sheet.LoadFile(path);
  }
  // The path the sheet was loaded from; empty for a sheet made otherwise.
  const std::string& Path() const { return m_path; }

  // A sprite is usable exactly when its sheet holds a picture.
  bool IsValid() const { return m_sheet.IsValid(); }
  CBitmapSurface& Sheet() { return m_sheet; }
  const CBitmapSurface& Sheet() const { return m_sheet; }

  // Frame size (each side held within 1 .. units::kSizeLimit, wider than any sheet that loads); the
  // rows and frames per row follow from the sheet's size.
  void SetFrameSize(int width, int height);
  int FrameWidth() const { return m_frameWidth; }
  int FrameHeight() const { return m_frameHeight; }
  int Rows() const { return m_rows; }
  int FramesPerRow() const { return m_framesPerRow; }
  int FrameCount() const { return m_rows * m_framesPerRow; }
  // Where a frame lies in the sheet.
  struct SourceArea {
    int x = 0, y = 0, width = 0, height = 0;
  };
  // False for a frame number outside 0 .. FrameCount() - 1.
  bool FrameSource(int frame, SourceArea& source) const;

  void SetColors(uint32_t key, uint32_t shadow) {
    m_keyColor = key;
    m_shadowColor = shadow;
  }
  uint32_t KeyColor() const { return m_keyColor; }
  uint32_t ShadowColor() const { return m_shadowColor; }

  // The frame at (x, y) of the destination, keyed and with its shadow mixed into the ground;
  // the blended form draws it at the given opacity percentage.
  void DrawFrame(CBitmapSurface& dest, int x, int y, int frame) const;
  void DrawFrameBlended(CBitmapSurface& dest, int x, int y, int frame, int opacity) const;

 private:
  CBitmapSurface m_sheet;
  std::string m_path;
  int m_frameWidth = 0;
  int m_frameHeight = 0;
  int m_rows = 0;
  int m_framesPerRow = 0;
  uint32_t m_keyColor = 0xFFFFFF;
  uint32_t m_shadowColor = 0;
};
