// The BMP decoder: any bytes give either a picture whose size agrees with its pixels and with the
// bytes there were, or a reason; decoding is repeatable. Pictures far larger than their file can
// describe are caught by the run's allocation limit.
#include "fuzz_check.h"
#include "gfx/bmp_reader.h"

namespace {
constexpr uint32_t kCompressionRle8 = 1;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const gfx::DecodedBmp bmp = gfx::DecodeBmp(data, size);
  if (!bmp.ok) {
    FUZZ_REQUIRE(!bmp.error.empty());
    FUZZ_REQUIRE(bmp.pixels.empty());
    return 0;
  }
  FUZZ_REQUIRE(bmp.error.empty());
  FUZZ_REQUIRE(bmp.width > 0 && bmp.width <= 32768);
  FUZZ_REQUIRE(bmp.height > 0 && bmp.height <= 32768);
  FUZZ_REQUIRE(bmp.pixels.size() == static_cast<std::size_t>(bmp.width) * static_cast<std::size_t>(bmp.height));
  FUZZ_REQUIRE(bmp.bitCount == 8 || bmp.bitCount == 16 || bmp.bitCount == 24 || bmp.bitCount == 32);
  if (bmp.bitCount != 32) {
    for (uint32_t pixel : bmp.pixels) FUZZ_REQUIRE((pixel & 0xFF000000u) == 0);  // 0x00RRGGBB
  }
  // Uncompressed rows must all be in the file: at least their unpadded bytes.
  FUZZ_REQUIRE(size >= 34);  // a file and an info header up to the compression field
  if (fuzz::Le32(data + 30) != kCompressionRle8) {
    const std::size_t rowBytes = (static_cast<std::size_t>(bmp.width) * bmp.bitCount + 7) / 8;
    FUZZ_REQUIRE(size >= rowBytes * static_cast<std::size_t>(bmp.height));
  }
  const gfx::DecodedBmp again = gfx::DecodeBmp(data, size);
  FUZZ_REQUIRE(again.ok && again.width == bmp.width && again.height == bmp.height && again.pixels == bmp.pixels);
  return 0;
}
