// FreeType glyphs as the engine draws them: sized at 96 dpi the way a Windows font height is
// meant, rendered as 8-bit coverage and reduced to 65 levels (0..64), with the origin, advance
// and line height the Windows glyph and text-extent calls report. Each glyph is rendered the
// first time it is asked for and then kept.

// FreeType wants its build header before any of its own.
#include <ft2build.h>

#include <freetype/ftbitmap.h>
#include <freetype/ftsynth.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/fonts_detail.h"
#include "platform/glyph_cache.h"

namespace platform::fonts::detail {
namespace {

constexpr int kMaxLevel = 64;

int CeilPixels(FT_Pos value26Dot6) { return static_cast<int>((value26Dot6 + 63) >> 6); }

bool SetFontHeight(FT_Face face, int fontHeight) {
  if (fontHeight > 0) {
    // A positive Windows height is the cell height (ascender plus descender).
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;
    request.height = static_cast<FT_Long>(std::min(fontHeight, kMaxFontPixels)) * 64;
    return FT_Request_Size(face, &request) == 0;
  }
  const int em = fontHeight == 0 ? kDefaultEmPixels : std::min(-fontHeight, kMaxFontPixels);
  return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) == 0;
}

// Copies an 8-bit bitmap (values 0..maxValue) top-down into 65 levels.
void CopyLevels(const FT_Bitmap& bitmap, int maxValue, Glyph& glyph) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.levels.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
  if (glyph.levels.empty() || maxValue <= 0) return;
  // A negative pitch means the rows are stored bottom-up; the pitch always steps one row down.
  const unsigned char* row =
      bitmap.pitch < 0 ? bitmap.buffer - static_cast<std::ptrdiff_t>(bitmap.pitch) * (glyph.height - 1) : bitmap.buffer;
  uint8_t* out = glyph.levels.data();
  for (int r = 0; r < glyph.height; ++r, row += bitmap.pitch) {
    for (int c = 0; c < glyph.width; ++c) {
      const int value = std::min<int>(row[c], maxValue);
      *out++ = static_cast<uint8_t>((value * kMaxLevel + maxValue / 2) / maxValue);
    }
  }
}

// Takes the rendered bitmap of the glyph slot; modes other than 8-bit grey are converted.
void TakeBitmap(FT_Library library, FT_GlyphSlot slot, Glyph& glyph) {
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
    CopyLevels(bitmap, static_cast<int>(bitmap.num_grays) - 1, glyph);
    return;
  }
  FT_Bitmap converted;
  FT_Bitmap_Init(&converted);
  if (FT_Bitmap_Convert(library, &bitmap, &converted, 1) == 0) {
    CopyLevels(converted, static_cast<int>(converted.num_grays) - 1, glyph);
  }
  FT_Bitmap_Done(library, &converted);
}

class FreeTypeFont final : public Font {
 public:
  FreeTypeFont(std::shared_ptr<FreeTypeState> freeType, FT_Face face, const FaceSource& source)
      : freeType_(std::move(freeType)), face_(face), source_(source) {
    const FT_Size_Metrics& metrics = face_->size->metrics;
    ascent_ = CeilPixels(metrics.ascender);
    lineHeight_ = ascent_ + CeilPixels(-metrics.descender);
  }
  ~FreeTypeFont() override {
    std::lock_guard<std::mutex> lock(freeType_->lock);
    FT_Done_Face(face_);
  }
  FreeTypeFont(const FreeTypeFont&) = delete;
  FreeTypeFont& operator=(const FreeTypeFont&) = delete;

  int LineHeight() const override { return lineHeight_; }
  int Ascent() const override { return ascent_; }

  const Glyph& GetGlyph(uint8_t cp1252Char) const override {
    return glyphs_.Get(cp1252Char, freeType_->lock, [this](char32_t c) { return Render(c); });
  }
  const Glyph& GetUnicodeGlyph(char32_t codePoint) const override {
    return glyphs_.GetUnicode(codePoint, freeType_->lock, [this](char32_t c) { return Render(c); });
  }

 private:
  // Called with the FreeType lock held.
  Glyph Render(char32_t codePoint) const {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    // Outlines, as the Windows grey-bitmap call uses; bitmap-only faces fall back to strikes.
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0 &&
        FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0) {
      return glyph;
    }
    FT_GlyphSlot slot = face_->glyph;
    if (source_.slanted && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Oblique(slot);
    if (source_.emboldened) FT_GlyphSlot_Embolden(slot);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
      return glyph;
    }
    glyph.originX = slot->bitmap_left;
    glyph.originY = slot->bitmap_top;
    TakeBitmap(freeType_->library, slot, glyph);
    return glyph;
  }

  std::shared_ptr<FreeTypeState> freeType_;
  FT_Face face_;
  FaceSource source_;
  int ascent_ = 0;
  int lineHeight_ = 0;
  GlyphCache glyphs_;
};

}  // namespace

std::shared_ptr<const Font> CreateFreeTypeFont(std::shared_ptr<FreeTypeState> freeType, const FaceSource& source,
                                               int fontHeight) {
  FT_Face face = nullptr;
  if (FT_New_Face(freeType->library, source.file.c_str(), source.index, &face) != 0) {
    return CreateEmptyFont();
  }
  if (!SetFontHeight(face, fontHeight) || face->size == nullptr) {
    FT_Done_Face(face);
    return CreateEmptyFont();
  }
  return std::make_shared<FreeTypeFont>(std::move(freeType), face, source);
}

std::shared_ptr<const Font> CreateEmptyFont() { return std::make_shared<EmptyFont>(); }

}  // namespace platform::fonts::detail
