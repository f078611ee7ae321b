// Text drawn by the surface itself from the platform's 65-level glyph coverage. Every glyph
// pixel is blended into the surface in order, row by row, with coordinates clamped into the
// surface as GetPixel/SetPixel clamp them: pixels that fall outside pile up on the nearest edge
// pixel. The loops below work on row pointers; the observable result is that of the clamped
// per-pixel reads and writes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "gfx/bitmap_surface.h"
#include "platform/fonts.h"
#include "platform/text_encoding.h"

namespace {

constexpr char32_t kLineFeed = 10;
constexpr char32_t kSpace = 32;
constexpr int kLevels = 65;

// The text colour and the blend weight of each coverage level for one call.
struct Ink {
  uint32_t redBlue = 0;
  uint32_t green = 0;
  std::array<uint32_t, kLevels> weightOfLevel{};
};

Ink MakeInk(uint32_t color, int alphaPercent) {
  Ink ink;
  ink.redBlue = color & 0xFF00FFu;
  ink.green = color & 0x00FF00u;
  // Above 100 % the text weight would pass 256 and the surface weight turn negative, so that
  // channels overflow into their neighbours; the percentage is held to 0..100.
  const uint32_t alpha = static_cast<uint32_t>(std::clamp(alphaPercent, 0, 100));
  const uint32_t weight = (alpha * 65536) / 25600;  // 100 % gives 256
  for (uint32_t level = 0; level < kLevels; ++level) {
    const uint32_t coverage = (level * 65536) / 16640;  // level 64 gives 252
    ink.weightOfLevel[level] = (coverage * weight) >> 8;
  }
  return ink;
}

// new channel = (a * text + (256 - a) * surface) >> 8 for red, green and blue; red and blue are
// blended together in one word, their 16-bit lanes cannot overflow (255 * 256 < 65536). The
// fourth byte is always cleared, as a pixel written from its three channels has it 0.
inline uint32_t Blend(uint32_t surface, const Ink& ink, uint32_t a) {
  const uint32_t b = 256 - a;
  const uint32_t redBlue = (((surface & 0xFF00FFu) * b + ink.redBlue * a) >> 8) & 0xFF00FFu;
  const uint32_t green = (((surface & 0x00FF00u) * b + ink.green * a) >> 8) & 0x00FF00u;
  return redBlue | green;
}

// Blends one glyph whose top-left pixel goes to (left, top) on a non-empty surface.
void BlendGlyph(CBitmapSurface& surface, int64_t left, int64_t top, const platform::fonts::Glyph& glyph,
                const Ink& ink) {
  const int64_t width = surface.GetWidth();
  const int64_t height = surface.GetHeight();
  // Columns [0, insideBegin) land left of the surface, [insideEnd, glyph.width) right of it.
  const int64_t insideBegin = std::clamp<int64_t>(-left, 0, glyph.width);
  const int64_t insideEnd = std::clamp<int64_t>(width - left, 0, glyph.width);
  const uint8_t* levels = glyph.levels.data();
  for (int r = 0; r < glyph.height; ++r, levels += glyph.width) {
    const int64_t y = std::clamp<int64_t>(top + r, 0, height - 1);
    uint32_t* row = surface.RowTopDown(static_cast<int>(y));
    uint32_t& leftEdge = row[0];
    for (int64_t c = 0; c < insideBegin; ++c) {
      leftEdge = Blend(leftEdge, ink, ink.weightOfLevel[levels[c]]);
    }
    uint32_t* inside = row + (insideBegin < insideEnd ? left + insideBegin : 0);
    for (int64_t c = insideBegin; c < insideEnd; ++c, ++inside) {
      *inside = Blend(*inside, ink, ink.weightOfLevel[levels[c]]);
    }
    uint32_t& rightEdge = row[width - 1];
    for (int64_t c = insideEnd; c < glyph.width; ++c) {
      rightEdge = Blend(rightEdge, ink, ink.weightOfLevel[levels[c]]);
    }
  }
}

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

// The characters of a narrow text: Windows-1252 bytes up to the terminating NUL.
class NarrowChars {
 public:
  explicit NarrowChars(const char* text) : at_(text) {}
  bool Next(char32_t& codePoint) {
    if (*at_ == '\0') return false;
    codePoint = platform::UnicodeFromCp1252(static_cast<uint8_t>(*at_++));
    return true;
  }

 private:
  const char* at_;
};

// The characters of a UTF-16 text up to the terminating 0. A surrogate pair is one character;
// a surrogate without its partner is drawn as the replacement character U+FFFD.
class WideChars {
 public:
  explicit WideChars(const char16_t* text) : at_(text) {}
  bool Next(char32_t& codePoint) {
    if (*at_ == 0) return false;
    const char32_t unit = *at_++;
    if (unit >= 0xD800 && unit <= 0xDBFF && *at_ >= 0xDC00 && *at_ <= 0xDFFF) {
      codePoint = 0x10000 + ((unit - 0xD800) << 10) + (*at_++ - 0xDC00);
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      codePoint = 0xFFFD;
    } else {
      codePoint = unit;
    }
    return true;
  }

 private:
  const char16_t* at_;
};

template <class Chars>
void DrawChars(CBitmapSurface& surface, int x, int y, Chars chars, uint32_t color, int alphaPercent,
               const std::string& face, int points, bool bold, bool italic) {
  const std::shared_ptr<const platform::fonts::Font> font = platform::fonts::OpenFont(face, points, bold, italic);
  const int64_t lineHeight = font->LineHeight();
  const Ink ink = MakeInk(color, alphaPercent);
  int64_t penX = 0;
  int64_t penY = 0;
  for (char32_t c = 0; chars.Next(c);) {
    if (c == kLineFeed) {
      penX = 0;
      penY += lineHeight;
      continue;
    }
    const platform::fonts::Glyph& glyph = font->GetUnicodeGlyph(c);
    if (c != kSpace) {
      BlendGlyph(surface, x + penX + glyph.originX, y + penY + lineHeight - glyph.originY, glyph, ink);
    }
    penX += glyph.advance;
  }
}

template <class Chars>
std::pair<int32_t, int32_t> MeasureChars(Chars chars, const std::string& face, int points, bool bold, bool italic) {
  const std::shared_ptr<const platform::fonts::Font> font = platform::fonts::OpenFont(face, points, bold, italic);
  int64_t width = 0;
  int64_t lines = 1;
  int64_t penX = 0;
  for (char32_t c = 0; chars.Next(c);) {
    if (c == kLineFeed) {
      width = std::max(width, penX);
      ++lines;
      penX = 0;
    } else {
      penX += font->GetUnicodeGlyph(c).advance;
    }
  }
  width = std::max(width, penX);
  return {ClampToInt32(width), ClampToInt32(lines * font->LineHeight())};
}

}  // namespace

void CBitmapSurface::DrawText(int x, int y, const char* text, uint32_t color, int alphaPercent, const std::string& face,
                              int points, bool bold, bool italic) {
  if (!valid_ || text == nullptr || width_ == 0 || height_ == 0) return;
  DrawChars(*this, x, y, NarrowChars(text), color, alphaPercent, face, points, bold, italic);
}

void CBitmapSurface::DrawText(int x, int y, const char16_t* text, uint32_t color, int alphaPercent,
                              const std::string& face, int points, bool bold, bool italic) {
  if (!valid_ || text == nullptr || width_ == 0 || height_ == 0) return;
  DrawChars(*this, x, y, WideChars(text), color, alphaPercent, face, points, bold, italic);
}

std::pair<int32_t, int32_t> CBitmapSurface::MeasureText(const char* text, const std::string& face, int points,
                                                        bool bold, bool italic) const {
  if (!valid_ || text == nullptr) return {0, 0};
  return MeasureChars(NarrowChars(text), face, points, bold, italic);
}

std::pair<int32_t, int32_t> CBitmapSurface::MeasureText(const char16_t* text, const std::string& face, int points,
                                                        bool bold, bool italic) const {
  if (!valid_ || text == nullptr) return {0, 0};
  return MeasureChars(WideChars(text), face, points, bold, italic);
}
