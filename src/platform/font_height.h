// The Windows font height a size in points asks for at 96 dpi, shared by the FreeType and the GDI
// text so that both size a font alike.
#pragma once

namespace platform::fonts {

// Negative for a character (em) height, positive for a cell height, 0 for the default size.
int FontHeightForPoints(int points);

// Em height in pixels used for a font height of 0 (12 points at 96 dpi).
constexpr int kDefaultEmPixels = 16;
// Bounds a silly size so that one glyph stays a reasonable allocation.
constexpr int kMaxFontPixels = 1024;

}  // namespace platform::fonts
