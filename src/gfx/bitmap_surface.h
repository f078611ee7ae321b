// CBitmapSurface: the engine's one image type. A 32-bit picture with pixel values 0x00RRGGBB,
// rows stored bottom-up as in a BMP file (storage row 0 is the bottom row) while every
// coordinate given to an operation is top-down (y = 0 is the top row).
//
// A surface is valid exactly when it owns a pixel buffer; every operation on an invalid surface
// (or from an invalid source) does nothing and reads return 0. A 0 x N surface is valid but
// empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gfx/pixel_buffer.h"

namespace gfx {
struct BlitParams;
}

class CBitmapSurface {
 public:
  CBitmapSurface();
  virtual ~CBitmapSurface();
  CBitmapSurface(const CBitmapSurface&) = delete;
  CBitmapSurface& operator=(const CBitmapSurface&) = delete;

  // ---- State --------------------------------------------------------------------------------
  bool IsValid() const { return valid_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  // Bit depth of the file the surface was loaded from (8, 16, 24 or 32); 32 after Create.
  int GetBitCount() const { return sourceBitCount_; }
  // Why the last LoadFile left the surface invalid (empty after a successful load).
  const std::string& LoadError() const { return loadError_; }

  // ---- Creation and files -------------------------------------------------------------------
  // Makes a width x height surface (negative sizes become 0); contents are unspecified until
  // Clear. Returns false, leaving the surface invalid, when the size is beyond the engine's cap.
  bool Create(int width, int height);
  // Deep copy of a valid source; nothing changes when the source is invalid.
  void CreateCopy(const CBitmapSurface& source);
  // Loads a BMP file named by a backslash-joined project path. A file that cannot be opened
  // leaves the surface as it was; a file that opens but is not usable leaves it invalid.
  // Returns true when the file was loaded.
  bool LoadFile(const std::string& path);
  // Loads BMP file bytes (same rules as LoadFile once the file is open).
  bool LoadFromMemory(const std::vector<uint8_t>& bytes);
  // Writes the surface as a 24-bit bottom-up BMP file (path mapped as for LoadFile); false on
  // failure or for an invalid surface.
  bool SaveFile(const std::string& path) const;
  // The same 24-bit BMP file as bytes (empty for an invalid surface).
  std::vector<uint8_t> EncodeBmp24() const;

  // ---- Whole-surface operations -------------------------------------------------------------
  void Clear(uint32_t value);
  void Grayscale();
  // Resizes in place by percentages (negative ones count as 0) with the resample mode's
  // algorithm; the new size along each axis is that of nearest-neighbour scaling.
  void Scale(int percentX, int percentY);
  // The algorithm of Scale: 0 nearest neighbour (the default), 1 bilinear, 2 bicubic; any other
  // value scales as nearest neighbour. Copied by CreateCopy.
  void SetResampleMode(int mode) { resampleMode_ = mode; }
  int GetResampleMode() const { return resampleMode_; }
  // Coordinates are clamped into the surface; 0 for an invalid or empty surface.
  uint32_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t value);
  // Hands the whole surface, rows bottom-up, to the platform for display.
  void Present() const;
  // The same with the top-left pixel at (x, y) of the window's client area.
  void PresentAt(int x, int y) const;

  // ---- Rectangle blits (this surface is the destination) ------------------------------------
  // Rectangle pixel (i, j) reads source (sx + i, sy + j) and writes (x + i, y + j); only pixels
  // inside both surfaces are processed.
  void Draw(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy);
  void DrawKeyed(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy, uint32_t key);
  void DrawBlended(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy, int alphaPercent);
  void DrawKeyedBlended(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy, int alphaPercent,
                        uint32_t key);
  void DrawKeyedShadow(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy, uint32_t key,
                       uint32_t shadow);
  void DrawKeyedShadowBlended(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy, uint32_t key,
                              uint32_t shadow, int alphaPercent);

  // ---- Text (bitmap_text.cpp) ----------------------------------------------------------------
  // Narrow texts are Windows-1252; the wide forms take UTF-16 and draw and measure the same
  // characters exactly as the narrow forms do, and any other character from the font too.
  void DrawText(int x, int y, const char* text, uint32_t color, int alphaPercent, const std::string& face, int points,
                bool bold, bool italic);
  void DrawText(int x, int y, const char16_t* text, uint32_t color, int alphaPercent, const std::string& face,
                int points, bool bold, bool italic);
  std::pair<int32_t, int32_t> MeasureText(const char* text, const std::string& face, int points, bool bold,
                                          bool italic) const;
  std::pair<int32_t, int32_t> MeasureText(const char16_t* text, const std::string& face, int points, bool bold,
                                          bool italic) const;

  // ---- Raw access (tests, presentation, tools) ----------------------------------------------
  // Storage order: Pixels()[0] is the left pixel of the bottom row; pitch is width pixels. The
  // writable forms count as a change of the whole surface.
  const uint32_t* Pixels() const { return pixels_.data(); }
  uint32_t* Pixels() {
    NoteWholeChange();
    return pixels_.data();
  }
  // Start of picture row y counted from the top (0 <= y < height); nullptr when out of range.
  const uint32_t* RowTopDown(int y) const;
  uint32_t* RowTopDown(int y);

  // ---- Change log ---------------------------------------------------------------------------
  // While a log is kept, the surface notes where its picture changed: the rectangle each blit
  // or pixel wrote (clipped to the surface), or the whole surface for what changes it as a whole
  // (clearing, greying, text, raw access, a new picture or size). Whoever put a picture there
  // can then repaint just the changed parts. Past kMaxLoggedChanges rectangles the log counts
  // the whole surface as changed.
  struct ChangedRect {
    int x = 0, y = 0, width = 0, height = 0;
  };
  static constexpr std::size_t kMaxLoggedChanges = 1024;
  // Starts a fresh log (and keeps one from now on). Each start has a number of its own, so
  // that whoever started a log can tell that nobody has started another since.
  void StartChangeLog();
  // Keeps no log until the next start (a picture drawn afresh, by more than one thread); what
  // was noted so far stays readable until then.
  void StopChangeLog() { logging_ = false; }
  bool KeepsChangeLog() const { return logging_; }
  uint64_t ChangeLogNumber() const { return logNumber_; }
  bool ChangedWhole() const { return changedWhole_; }
  const std::vector<ChangedRect>& ChangedRects() const { return changed_; }

  // Largest surface the engine accepts: width * height * 4 bytes must stay within 1 GiB.
  static constexpr uint64_t kMaxPixelBytes = uint64_t{1} << 30;

 private:
  void Release();
  void BlitFrom(const gfx::BlitParams& params, int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy);
  // A writable row for the surface's own operations, which note their changes themselves.
  uint32_t* RowToWrite(int y);
  void NoteChange(const ChangedRect& rect);
  void NoteWholeChange() {
    if (logging_) changedWhole_ = true;
  }

  gfx::PixelBuffer pixels_;
  bool valid_ = false;
  int width_ = 0;
  int height_ = 0;
  int sourceBitCount_ = 0;
  int resampleMode_ = 0;
  std::string loadError_;
  bool logging_ = false;
  bool changedWhole_ = false;
  uint64_t logNumber_ = 0;
  std::vector<ChangedRect> changed_;
};
