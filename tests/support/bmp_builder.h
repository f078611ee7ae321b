// BMP file bytes built in memory for the loader tests: any header size, bit depth, compression,
// palette, masks and gap before the pixels.
#pragma once

#include <cstdint>
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
  std::vector<uint32_t> masks;     // red, green, blue: in the header (>= 52) or after it (40)
  std::size_t gap = 0;             // junk between palette and pixels (the offset field skips it)
  std::vector<uint8_t> pixelData;  // rows exactly as stored in the file
};

inline std::vector<uint8_t> BuildBmp(const BmpLayout& l) {
  std::vector<uint8_t> out = {'B', 'M'}, info, extra;
  auto put = [](std::vector<uint8_t>& to, std::initializer_list<uint32_t> values, int bytes = 4) {
    for (uint32_t v : values)
      for (int i = 0; i < bytes; ++i) to.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put(info, {l.infoSize, uint32_t(l.width), uint32_t(l.height)});
  put(info, {1, uint32_t(l.bitCount)}, 2);
  put(info, {l.compression, uint32_t(l.pixelData.size()), 2835, 2835, l.colorsUsed, 0});
  for (uint32_t m : l.masks) put(l.infoSize >= 52 ? info : extra, {m});
  info.resize(l.infoSize, 0);
  for (uint32_t c : l.palette) put(extra, {c & 0x00FFFFFF});
  const auto offset = static_cast<uint32_t>(14 + info.size() + extra.size() + l.gap);
  put(out, {offset + uint32_t(l.pixelData.size()), 0, offset});
  for (const auto* part : {&info, &extra}) out.insert(out.end(), part->begin(), part->end());
  out.resize(out.size() + l.gap, 0xEE);
  out.insert(out.end(), l.pixelData.begin(), l.pixelData.end());
  return out;
}

// Pads each row to a multiple of 4 bytes and joins them.
inline std::vector<uint8_t> PadRows(const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.resize((out.size() + 3) & ~std::size_t{3}, 0xAA);
  }
  return out;
}

inline std::string AsText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace gfxtest
