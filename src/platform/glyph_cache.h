// The glyphs of one font, each rendered the first time it is asked for and then kept. A glyph
// never changes or moves once made, so the Windows-1252 ones are read without a lock; the rare
// characters beyond Windows-1252 (only the wide-character text forms ask for them) live in a map
// behind the font's lock.
#pragma once

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "platform/fonts.h"
#include "platform/text_encoding.h"

namespace platform::fonts {

class GlyphCache {
 public:
  // `render(codePoint)` makes a glyph; it runs with `lock` held.
  template <class Render>
  const Glyph& Get(uint8_t cp1252Char, std::mutex& lock, const Render& render) const {
    const Glyph* ready = ready_[cp1252Char].load(std::memory_order_acquire);
    if (ready != nullptr) return *ready;
    std::lock_guard<std::mutex> guard(lock);
    ready = ready_[cp1252Char].load(std::memory_order_relaxed);
    if (ready == nullptr) {
      glyphs_[cp1252Char] = render(UnicodeFromCp1252(cp1252Char));
      ready = &glyphs_[cp1252Char];
      ready_[cp1252Char].store(ready, std::memory_order_release);
    }
    return *ready;
  }

  // A character with a Windows-1252 form gives exactly the glyph of that byte.
  template <class Render>
  const Glyph& GetUnicode(char32_t codePoint, std::mutex& lock, const Render& render) const {
    if (const std::optional<uint8_t> byte = Cp1252FromUnicode(codePoint)) return Get(*byte, lock, render);
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<Glyph>& slot = others_[codePoint];
    if (!slot) slot = std::make_unique<Glyph>(render(codePoint));
    return *slot;
  }

 private:
  mutable std::array<Glyph, 256> glyphs_;
  mutable std::array<std::atomic<const Glyph*>, 256> ready_{};
  mutable std::map<char32_t, std::unique_ptr<Glyph>> others_;  // guarded by the font's lock
};

// A font without glyphs, for when no face at all is available.
class EmptyFont final : public Font {
 public:
  int LineHeight() const override { return 0; }
  int Ascent() const override { return 0; }
  const Glyph& GetGlyph(uint8_t) const override { return blank_; }
  const Glyph& GetUnicodeGlyph(char32_t) const override { return blank_; }

 private:
  Glyph blank_;
};

}  // namespace platform::fonts
