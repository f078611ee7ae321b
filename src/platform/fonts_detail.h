// Internals shared by the font files: where a face comes from, the lock that serialises every
// FreeType and fontconfig call, and the rasteriser. Not for use outside src/platform/fonts*.
#pragma once

#include <freetype/freetype.h>
#include <ft2build.h>

#include <memory>
#include <mutex>
#include <string>

#include "platform/font_height.h"
#include "platform/fonts.h"

namespace platform::fonts::detail {

// A face inside a font file, with the styles FreeType must synthesise because the file lacks
// them.
struct FaceSource {
  std::string file;
  long index = 0;
  bool emboldened = false;
  bool slanted = false;
};

// The process's FreeType library. FreeType objects are not thread-safe: every FreeType or
// fontconfig call happens with `lock` held. Fonts share ownership so that a font that outlives
// the cache (or static destruction order) still has its library.
struct FreeTypeState {
  FreeTypeState();
  ~FreeTypeState();
  FreeTypeState(const FreeTypeState&) = delete;
  FreeTypeState& operator=(const FreeTypeState&) = delete;

  std::mutex lock;
  FT_Library library = nullptr;  // null when FreeType could not start
};
std::shared_ptr<FreeTypeState> SharedFreeType();

// ---- fonts_lookup.cpp: face name to file -------------------------------------------------------
// Privately registered faces first (family name, then closest style), then fontconfig. False
// when nothing at all can be found. Call with the FreeType lock held.
bool ResolveFace(const std::string& cp1252Face, bool bold, bool italic, FaceSource& source);
// Reads every face of the file and remembers it; false when FreeType cannot read it. Call with
// the FreeType lock held.
bool AddPrivateFile(FT_Library library, const std::string& hostPath);
void ForgetPrivateFiles();

// ---- fonts_raster.cpp: FreeType glyphs ---------------------------------------------------------
// A font over the face at that height; a face that cannot be opened gives a font without glyphs.
// Call with the FreeType lock held; the font takes the lock itself when it renders a glyph.
std::shared_ptr<const Font> CreateFreeTypeFont(std::shared_ptr<FreeTypeState> freeType, const FaceSource& source,
                                               int fontHeight);
// A font without glyphs, for when no face at all is available.
std::shared_ptr<const Font> CreateEmptyFont();

}  // namespace platform::fonts::detail
