// Decoding of BMP file bytes into 32-bit 0x00RRGGBB pixels, rows bottom-up.
//
// Accepted: the 40-, 52-, 56-, 108- and 124-byte info headers; 8 bits with a palette of up to
// 256 entries (uncompressed or RLE8), 16 bits (5-5-5, or any red, green and blue bit-field
// masks), 24 bits, 32 bits (blue, green, red and the fourth byte kept, or any bit-field masks,
// fourth byte 0); bottom-up and top-down rows; the pixel data offset of the file header. Bit
// fields must be contiguous, non-empty and apart; narrower channels are widened to 0..255 by
// repeating their bits, wider ones keep their top 8 bits. Everything else, sides above 32768
// pixels, pictures above 1 GiB, RLE8 data far too short for the picture it claims and any file
// too short for what its headers promise are refused with a reason. Nothing is ever read
// outside the given bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/pixel_buffer.h"

namespace gfx {

struct DecodedBmp {
  bool ok = false;
  std::string error;  // why the bytes were refused (when !ok)
  int width = 0;
  int height = 0;
  int bitCount = 0;    // bit depth of the file
  PixelBuffer pixels;  // width * height values, storage row 0 = bottom row
};

DecodedBmp DecodeBmp(const uint8_t* data, std::size_t size);

}  // namespace gfx
