// Fonts for software text drawing: a face name resolves to a font file through fontconfig
// (after the files this process registered privately), FreeType rasterises glyphs at 96 dpi as
// 65-level coverage bitmaps. Fonts and glyphs are cached; results never depend on the cache.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::fonts {

// One glyph as the engine draws it: coverage levels 0..64, rows top-down, `width` bytes a row.
struct Glyph {
  int originX = 0;   // black box left, relative to the pen
  int originY = 0;   // black box top, upwards from the baseline
  int advance = 0;   // horizontal cell increment
  int width = 0;
  int height = 0;
  std::vector<uint8_t> levels;
};

class Font {
 public:
  virtual ~Font() = default;
  virtual int LineHeight() const = 0;                       // height of a line of text
  virtual int Ascent() const = 0;                           // baseline below the line top
  virtual const Glyph& GetGlyph(uint8_t cp1252Char) const = 0;  // thread-safe
};

// The font for a face name at a size in points (pixels = points * 96 / 72, rounded), weight and
// slant; bold synthesised when the face has no bold style. Never null: an unknown face falls
// back to fontconfig's best match.
std::shared_ptr<const Font> OpenFont(const std::string& face, int points, bool bold, bool italic);

// Registers a font file for this process (private); false when FreeType cannot read it.
bool RegisterPrivateFontFile(const std::string& hostPath);

// Forgets private registrations and cached fonts (tests).
void ResetFonts();

}  // namespace platform::fonts
