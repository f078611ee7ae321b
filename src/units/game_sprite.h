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
    path_ = path;
    return sheet_.LoadFile(path);
  }
  // The path the sheet was loaded from; empty for a sheet made otherwise.
  const std::string& Path() const { return path_; }

  // A sprite is usable exactly when its sheet holds a picture.
  bool IsValid() const { return sheet_.IsValid(); }
  CBitmapSurface& Sheet() { return sheet_; }
  const CBitmapSurface& Sheet() const { return sheet_; }

  // Frame size (each side held within 1 .. units::kSizeLimit, wider than any sheet that loads); the
  // rows and frames per row follow from the sheet's size.
  void SetFrameSize(int width, int height);
  int FrameWidth() const { return frameWidth_; }
  int FrameHeight() const { return frameHeight_; }
  int Rows() const { return rows_; }
  int FramesPerRow() const { return framesPerRow_; }
  int FrameCount() const { return rows_ * framesPerRow_; }
  // Where a frame lies in the sheet.
  struct SourceArea {
    int x = 0, y = 0, width = 0, height = 0;
  };
  // False for a frame number outside 0 .. FrameCount() - 1.
  bool FrameSource(int frame, SourceArea& source) const;

  void SetColors(uint32_t key, uint32_t shadow) {
    keyColor_ = key;
    shadowColor_ = shadow;
  }
  uint32_t KeyColor() const { return keyColor_; }
  uint32_t ShadowColor() const { return shadowColor_; }

  // The frame at (x, y) of the destination, keyed and with its shadow mixed into the ground;
  // the blended form draws it at the given opacity percentage.
  void DrawFrame(CBitmapSurface& dest, int x, int y, int frame) const;
  void DrawFrameBlended(CBitmapSurface& dest, int x, int y, int frame, int opacity) const;

 private:
  CBitmapSurface sheet_;
  std::string path_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  int rows_ = 0;
  int framesPerRow_ = 0;
  uint32_t keyColor_ = 0xFFFFFF;
  uint32_t shadowColor_ = 0;
};
