// Pictures of one colour saved as RLE8 BMP files of a few hundred bytes. The worlds the fuzz
// targets build load their sheets again for every input; a sheet stored as its full pixels
// would make reading it cost more than the code under test.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace fuzz {

inline void SaveFlatBmp(const std::string& path, int width, int height, uint32_t rgb) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < height; ++y) {
    for (int left = width; left > 0; left -= 255)
      rows.insert(rows.end(), {static_cast<uint8_t>(std::min(left, 255)), 0});
    rows.insert(rows.end(), {0, 0});  // end of line
  }
  rows.insert(rows.end(), {0, 1});  // end of picture
  std::vector<uint8_t> file;
  auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  constexpr uint32_t kPixelsAt = 14 + 40 + 4;  // file header, info header, one palette entry
  file.insert(file.end(), {'B', 'M'});
  put(kPixelsAt + static_cast<uint32_t>(rows.size()), 4);
  put(0, 4);
  put(kPixelsAt, 4);
  put(40, 4);
  put(static_cast<uint32_t>(width), 4);
  put(static_cast<uint32_t>(height), 4);
  put(1, 2);  // planes
  put(8, 2);  // bits per pixel
  put(1, 4);  // RLE8
  put(static_cast<uint32_t>(rows.size()), 4);
  put(0, 4);
  put(0, 4);
  put(1, 4);  // colours used
  put(0, 4);
  put(rgb & 0xFFFFFFu, 4);  // blue, green, red, 0
  file.insert(file.end(), rows.begin(), rows.end());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

}  // namespace fuzz
