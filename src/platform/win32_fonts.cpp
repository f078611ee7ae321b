// Fonts with GDI: a project's font files are added for this process only, a face name goes to
// the Windows font mapper (which picks the system's closest face for an unknown name), and glyphs
// come from the grey-bitmap outline call, whose 65 levels are the engine's coverage levels.
// Every font the engine draws with goes through OpenFont, from the game-loop thread and from
// script threads alike, so the cache sits behind one lock and each font behind its own.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/font_height.h"
#include "platform/fonts.h"
#include "platform/glyph_cache.h"
#include "platform/win32_wide.h"

namespace platform::fonts {
namespace {

constexpr int kRegularWeight = 400;
constexpr int kBoldWeight = 700;

// The LOGFONT height of a size in points, the default and the bound applied as GDI lacks them.
LONG GdiHeight(int points) {
  const int height = FontHeightForPoints(points);
  if (height == 0) return -kDefaultEmPixels;
  return std::clamp(height, -kMaxFontPixels, kMaxFontPixels);
}

class GdiFont final : public Font {
 public:
  // Takes ownership of the font; the memory device context keeps it selected.
  explicit GdiFont(HFONT font) : font_(font), dc_(CreateCompatibleDC(nullptr)) {
    if (dc_ == nullptr) return;
    previous_ = SelectObject(dc_, font_);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc_, &metrics)) {
      ascent_ = metrics.tmAscent;
      lineHeight_ = metrics.tmHeight;
    }
  }
  ~GdiFont() override {
    if (dc_ != nullptr) {
      SelectObject(dc_, previous_);
      DeleteDC(dc_);
    }
    DeleteObject(font_);
  }
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;

  int LineHeight() const override { return lineHeight_; }
  int Ascent() const override { return ascent_; }

  const Glyph& GetGlyph(uint8_t cp1252Char) const override {
    return glyphs_.Get(cp1252Char, lock_, [this](char32_t c) { return Render(c); });
  }
  const Glyph& GetUnicodeGlyph(char32_t codePoint) const override {
    return glyphs_.GetUnicode(codePoint, lock_, [this](char32_t c) { return Render(c); });
  }

 private:
  // Called with the font's lock held: the device context serves one call at a time.
  Glyph Render(char32_t codePoint) const {
    Glyph glyph;
    if (dc_ == nullptr) return glyph;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    const UINT character = static_cast<UINT>(codePoint);
    const DWORD size = GetGlyphOutlineW(dc_, character, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR) return glyph;
    glyph.advance = metrics.gmCellIncX;
    // A glyph without ink (a space) has no bitmap, though its black box says 1 x 1.
    if (size == 0) return glyph;
    std::vector<uint8_t> bitmap(size);
    if (GetGlyphOutlineW(dc_, character, GGO_GRAY8_BITMAP, &metrics, size, bitmap.data(), &identity) == GDI_ERROR) {
      return glyph;
    }
    glyph.originX = metrics.gmptGlyphOrigin.x;
    glyph.originY = metrics.gmptGlyphOrigin.y;
    glyph.width = static_cast<int>(metrics.gmBlackBoxX);
    glyph.height = static_cast<int>(metrics.gmBlackBoxY);
    // Rows are top-down, each padded to a multiple of four bytes.
    const std::size_t pitch = (static_cast<std::size_t>(glyph.width) + 3) & ~std::size_t{3};
    if (pitch * static_cast<std::size_t>(glyph.height) > bitmap.size()) {
      glyph.width = glyph.height = 0;
      return glyph;
    }
    glyph.levels.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
    for (int r = 0; r < glyph.height; ++r) {
      const auto row = bitmap.begin() + static_cast<std::ptrdiff_t>(pitch * r);
      std::transform(row, row + glyph.width, glyph.levels.begin() + static_cast<std::ptrdiff_t>(r) * glyph.width,
                     [](uint8_t level) { return std::min<uint8_t>(level, 64); });
    }
    return glyph;
  }

  HFONT font_;
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
  int ascent_ = 0;
  int lineHeight_ = 0;
  mutable std::mutex lock_;
  GlyphCache glyphs_;
};

std::shared_ptr<const Font> BuildFont(const std::string& face, int points, bool bold, bool italic) {
  LOGFONTW font{};
  font.lfHeight = GdiHeight(points);
  font.lfWeight = bold ? kBoldWeight : kRegularWeight;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = ANTIALIASED_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring name = win32::WideFromCp1252(face);
  const std::size_t length = std::min(name.size(), std::size(font.lfFaceName) - 1);
  std::copy_n(name.begin(), length, font.lfFaceName);
  HFONT handle = CreateFontIndirectW(&font);
  if (handle == nullptr) return std::make_shared<EmptyFont>();
  return std::make_shared<GdiFont>(handle);
}

using FontKey = std::tuple<std::string, int, bool, bool>;
using FontCache = std::map<FontKey, std::shared_ptr<const Font>>;

struct FontState {
  std::mutex lock;
  FontCache cache;
  std::vector<std::wstring> privateFiles;  // as added, removed again on reset
};

FontState& State() {
  static FontState state;
  return state;
}

}  // namespace

std::shared_ptr<const Font> OpenFont(const std::string& face, int points, bool bold, bool italic) {
  FontState& state = State();
  std::lock_guard<std::mutex> lock(state.lock);
  std::shared_ptr<const Font>& slot = state.cache[FontKey{face, points, bold, italic}];
  if (!slot) slot = BuildFont(face, points, bold, italic);
  return slot;
}

bool RegisterPrivateFontFile(const std::string& hostPath) {
  std::wstring file = HostFsPath(hostPath).make_preferred().native();
  FontState& state = State();
  FontCache dropped;  // destroyed outside the lock
  std::lock_guard<std::mutex> lock(state.lock);
  if (AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) == 0) return false;
  state.privateFiles.push_back(std::move(file));
  // A new face may now win a name that an earlier font resolved elsewhere.
  std::swap(dropped, state.cache);
  return true;
}

void ResetFonts() {
  FontState& state = State();
  FontCache dropped;
  std::lock_guard<std::mutex> lock(state.lock);
  for (const std::wstring& file : state.privateFiles) RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
  state.privateFiles.clear();
  std::swap(dropped, state.cache);
}

}  // namespace platform::fonts
