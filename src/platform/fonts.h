// Fonts for software text drawing, glyphs at 96 dpi as 65-level coverage bitmaps. On Windows GDI
// resolves face names (after the files this process registered privately) and renders glyphs;
// elsewhere fontconfig and FreeType do. Fonts and glyphs are cached; results never depend on the
// cache.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::fonts {

// One glyph as the engine draws it: coverage levels 0..64, rows top-down, `width` bytes a row.
struct Glyph {
  int originX = 0;  // black box left, relative to the pen
  int originY = 0;  // black box top, upwards from the baseline
  int advance = 0;  // horizontal cell increment
  int width = 0;
  int height = 0;
  std::vector<uint8_t> levels;
};

class Font {
 public:
  virtual ~Font() = default;
  virtual int LineHeight() const = 0;                           // height of a line of text
  virtual int Ascent() const = 0;                               // baseline below the line top
  virtual const Glyph& GetGlyph(uint8_t cp1252Char) const = 0;  // thread-safe
  // The glyph of any Unicode character (thread-safe); a character with a Windows-1252 form
  // gives exactly the glyph of that byte.
  virtual const Glyph& GetUnicodeGlyph(char32_t codePoint) const = 0;
};

// The font for a face name (Windows-1252) at a size in points, as a Windows font of height
// -(points * 96 / 72, rounded to nearest) would be: a character (em) height in pixels; negative
// points ask for a cell height instead, 0 for a default of 16 pixels; heights are held to 1024
// pixels. Weight 700 when bold, italic slant; a style the face lacks is synthesised. Never null:
// an unknown face falls back to the system's closest face, and with no usable font at all the font
// has no glyphs (all empty, advance 0, line height 0). The same arguments give the same shared
// font until ResetFonts or a new registration.
std::shared_ptr<const Font> OpenFont(const std::string& face, int points, bool bold, bool italic);

// Registers every face of a font file for this process (private), searched before the system's
// fonts by family name; false when the file holds no readable font.
bool RegisterPrivateFontFile(const std::string& hostPath);

// Forgets private registrations and cached fonts (tests).
void ResetFonts();

}  // namespace platform::fonts
