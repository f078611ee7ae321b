// Builds BMP file bytes in memory for the loader tests: any header size, bit depth,
// compression, palette, masks and gap before the pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gfxtest {

struct BmpLayout {
  int width = 1;
  int height = 1;  // negative: rows top-down
  int bitCount = 24;
  uint32_t compression = 0;
  uint32_t infoSize = 40;
  std::vector<uint32_t> palette;  // written as blue, green, red, 0
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> masks;    // red, green, blue: in the header (>= 52) or after it (40)
  std::size_t gap = 0;            // bytes between palette and pixels (offset field honours it)
  std::vector<uint8_t> pixelData; // rows exactly as stored in the file
};

std::vector<uint8_t> BuildBmp(const BmpLayout& layout);

// Pads each row to a multiple of 4 bytes and joins them.
std::vector<uint8_t> PadRows(const std::vector<std::vector<uint8_t>>& rows);

// A fresh path in the temporary folder, unique per test and call (tests run in parallel).
std::filesystem::path TempPath(const std::string& suffix);

}  // namespace gfxtest
