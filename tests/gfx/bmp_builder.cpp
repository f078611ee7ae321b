#include "gfx/bmp_builder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

namespace gfxtest {
namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpLayout& layout) {
  std::vector<uint8_t> info;
  Put(info, layout.infoSize, 4);
  Put(info, static_cast<uint32_t>(layout.width), 4);
  Put(info, static_cast<uint32_t>(layout.height), 4);
  Put(info, 1, 2);
  Put(info, static_cast<uint32_t>(layout.bitCount), 2);
  Put(info, layout.compression, 4);
  Put(info, static_cast<uint32_t>(layout.pixelData.size()), 4);
  Put(info, 2835, 4);
  Put(info, 2835, 4);
  Put(info, layout.colorsUsed, 4);
  Put(info, 0, 4);
  std::vector<uint8_t> masks;
  for (uint32_t m : layout.masks) Put(masks, m, 4);
  if (layout.infoSize >= 52) {
    info.insert(info.end(), masks.begin(), masks.end());
    masks.clear();
  }
  info.resize(layout.infoSize, 0);

  std::vector<uint8_t> palette;
  for (uint32_t c : layout.palette) Put(palette, c & 0x00FFFFFF, 4);

  const uint32_t offset =
      static_cast<uint32_t>(14 + info.size() + masks.size() + palette.size() + layout.gap);
  std::vector<uint8_t> out = {'B', 'M'};
  Put(out, offset + static_cast<uint32_t>(layout.pixelData.size()), 4);
  Put(out, 0, 4);
  Put(out, offset, 4);
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), masks.begin(), masks.end());
  out.insert(out.end(), palette.begin(), palette.end());
  out.resize(out.size() + layout.gap, 0xEE);  // junk the loader must skip
  out.insert(out.end(), layout.pixelData.begin(), layout.pixelData.end());
  return out;
}

std::vector<uint8_t> PadRows(const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.resize((out.size() + 3) & ~std::size_t{3}, 0xAA);
  }
  return out;
}

std::filesystem::path TempPath(const std::string& suffix) {
  static std::atomic<int> counter{0};
  static const unsigned salt = std::random_device{}();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("tl_gfx_") + (info ? info->name() : "x") + "_" +
                     std::to_string(salt) + "_" + std::to_string(counter++) + suffix;
  return std::filesystem::temp_directory_path() / name;
}

}  // namespace gfxtest
