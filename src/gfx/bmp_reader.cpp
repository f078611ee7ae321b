#include "gfx/bmp_reader.h"

#include <algorithm>
#include <array>

#include "gfx/bitmap_surface.h"

namespace gfx {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreInfoSize = 40;
// No picture of a game is anywhere near this wide or tall; a header that says so is damaged.
constexpr int kMaxSide = 32768;
// RLE8 data paints at most 255 pixels per two bytes (a run); literals paint fewer. End-of-line
// and move escapes leave pixels unpainted, so a picture may hold more pixels than its data
// paints, but only a tiny file can claim a huge picture that way: the pixels a header promises
// may exceed what the data can paint by this many (a 2048 x 2048 picture, 16 MiB decoded).
constexpr uint64_t kRlePixelsPerTwoBytes = 255;
constexpr uint64_t kRleUnpaintedAllowance = uint64_t{1} << 22;

// Little-endian reads at offsets the caller has checked with Has.
class Bytes {
 public:
  Bytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
  uint8_t U8(std::size_t at) const { return data_[at]; }
  uint16_t U16(std::size_t at) const { return static_cast<uint16_t>(data_[at] | (data_[at + 1] << 8)); }
  uint32_t U32(std::size_t at) const {
    return static_cast<uint32_t>(data_[at]) | (static_cast<uint32_t>(data_[at + 1]) << 8) |
           (static_cast<uint32_t>(data_[at + 2]) << 16) | (static_cast<uint32_t>(data_[at + 3]) << 24);
  }
  int32_t I32(std::size_t at) const { return static_cast<int32_t>(U32(at)); }
  const uint8_t* At(std::size_t at) const { return data_ + at; }
  std::size_t Size() const { return size_; }

 private:
  const uint8_t* data_;
  std::size_t size_;
};

enum class Layout { Indexed, Masked16, Rgb24, Rgb32, Masked32 };

// One colour channel of a bit-field pixel: its bits are taken out by mask and shift, cut to
// their top 8 bits when wider, and widened to 0..255 through a table.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;   // position of the mask's lowest bit
  int narrow = 0;  // bits dropped after the shift when the mask is wider than 8 bits
  std::array<uint8_t, 256> widened{};
};

// Red, green and blue of a bit-field layout.
using Channels = std::array<Channel, 3>;

using Palette = std::array<uint32_t, 256>;  // entries beyond the file's palette stay black

struct Header {
  uint32_t pixelOffset = 0;
  uint32_t infoSize = 0;
  int width = 0;
  int height = 0;  // always positive here
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
};

DecodedBmp Fail(std::string reason) {
  DecodedBmp out;
  out.error = std::move(reason);
  return out;
}

// A channel for a mask, or false when the mask is empty or its bits are not contiguous.
bool MakeChannel(uint32_t mask, Channel& channel) {
  if (mask == 0) return false;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const uint32_t bits = mask >> shift;
  if ((bits & (bits + 1)) != 0) return false;  // a gap between set bits
  int width = 0;
  while (width < 32 && ((bits >> width) & 1u) != 0) ++width;
  channel.mask = mask;
  channel.shift = shift;
  channel.narrow = std::max(width - 8, 0);
  const int kept = width - channel.narrow;  // 1..8 bits
  // Repeating the kept bits downwards maps 0 to 0 and all ones to 255 (5 bits: v << 3 | v >> 2).
  for (uint32_t v = 0; v < (1u << kept); ++v) {
    uint32_t wide = 0;
    for (int at = 8 - kept; at > -kept; at -= kept) wide |= at >= 0 ? v << at : v >> -at;
    channel.widened[v] = static_cast<uint8_t>(wide);
  }
  return true;
}

inline uint32_t Extract(const Channel& c, uint32_t value) {
  return c.widened[((value & c.mask) >> c.shift) >> c.narrow];
}

inline uint32_t FromFields(const Channels& ch, uint32_t value) {
  return (Extract(ch[0], value) << 16) | (Extract(ch[1], value) << 8) | Extract(ch[2], value);
}

// Converts one file row of `width` pixels into 0x00RRGGBB values.
void ConvertRow(Layout layout, const uint8_t* in, int width, const Palette& palette, const Channels& fields,
                uint32_t* out) {
  switch (layout) {
    case Layout::Indexed:
      for (int x = 0; x < width; ++x) out[x] = palette[in[x]];
      return;
    case Layout::Masked16:
      for (int x = 0; x < width; ++x, in += 2) {
        out[x] = FromFields(fields, static_cast<uint32_t>(in[0] | (in[1] << 8)));
      }
      return;
    case Layout::Rgb24:
      for (int x = 0; x < width; ++x, in += 3) {
        out[x] = (static_cast<uint32_t>(in[2]) << 16) | (in[1] << 8) | in[0];
      }
      return;
    case Layout::Rgb32:
      for (int x = 0; x < width; ++x, in += 4) {
        out[x] = static_cast<uint32_t>(in[0]) | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
      }
      return;
    case Layout::Masked32:
      for (int x = 0; x < width; ++x, in += 4) {
        out[x] = FromFields(
            fields, static_cast<uint32_t>(in[0]) | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24));
      }
      return;
  }
}

bool ReadHeader(const Bytes& b, Header& h, std::string& error) {
  if (!b.Has(0, kFileHeaderSize + 4)) {
    error = "file too short for a BMP header";
    return false;
  }
  if (b.U8(0) != 'B' || b.U8(1) != 'M') {
    error = "not a BMP file (no BM signature)";
    return false;
  }
  h.pixelOffset = b.U32(10);
  h.infoSize = b.U32(14);
  const uint32_t known[] = {40, 52, 56, 108, 124};
  if (std::find(std::begin(known), std::end(known), h.infoSize) == std::end(known)) {
    error = "unsupported info header size " + std::to_string(h.infoSize);
    return false;
  }
  if (!b.Has(kFileHeaderSize, h.infoSize)) {
    error = "truncated info header";
    return false;
  }
  const int32_t width = b.I32(18);
  const int32_t height = b.I32(22);
  h.bitCount = b.U16(28);
  h.compression = b.U32(30);
  h.colorsUsed = b.U32(46);
  if (width <= 0 || height == 0 || height == INT32_MIN) {
    error = "invalid size " + std::to_string(width) + "x" + std::to_string(height);
    return false;
  }
  h.width = width;
  h.topDown = height < 0;
  h.height = h.topDown ? -height : height;
  if (h.width > kMaxSide || h.height > kMaxSide ||
      static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height) * 4 > CBitmapSurface::kMaxPixelBytes) {
    error = "picture too large";
    return false;
  }
  return true;
}

// Channels for red, green and blue masks: each contiguous and non-empty, no two overlapping,
// all inside a pixel of `bitCount` bits.
bool MakeChannels(uint32_t red, uint32_t green, uint32_t blue, int bitCount, Channels& channels) {
  const uint32_t pixelBits = bitCount >= 32 ? ~0u : (1u << bitCount) - 1;
  if ((red & green) != 0 || (red & blue) != 0 || (green & blue) != 0) return false;
  if (((red | green | blue) & ~pixelBits) != 0) return false;
  return MakeChannel(red, channels[0]) && MakeChannel(green, channels[1]) && MakeChannel(blue, channels[2]);
}

// Which pixel layout the header describes, or a refusal.
bool ChooseLayout(const Bytes& b, const Header& h, Layout& layout, Channels& channels, std::string& error) {
  if (h.bitCount < 8) {
    error = "fewer than 8 bits per pixel (" + std::to_string(h.bitCount) + ")";
    return false;
  }
  const bool rle = h.compression == kBiRle8;
  const bool fields = h.compression == kBiBitfields;
  if (h.compression != kBiRgb && !(rle && h.bitCount == 8) && !(fields && (h.bitCount == 16 || h.bitCount == 32))) {
    error = "unsupported compression " + std::to_string(h.compression) + " at " + std::to_string(h.bitCount) + " bits";
    return false;
  }
  if (rle && h.topDown) {
    error = "top-down compressed file";
    return false;
  }
  // Without bit fields, 16-bit pixels are 5-5-5 and 32-bit ones blue, green, red, fourth byte.
  uint32_t red = h.bitCount == 16 ? 0x7C00 : 0x00FF0000;
  uint32_t green = h.bitCount == 16 ? 0x03E0 : 0x0000FF00;
  uint32_t blue = h.bitCount == 16 ? 0x001F : 0x000000FF;
  if (fields) {
    // The masks follow a 40-byte header and are its extension fields in larger ones; either
    // way they sit right after the 40 bytes.
    if (!b.Has(kFileHeaderSize + kCoreInfoSize, 12)) {
      error = "truncated bit masks";
      return false;
    }
    red = b.U32(54);
    green = b.U32(58);
    blue = b.U32(62);
  }
  switch (h.bitCount) {
    case 8: layout = Layout::Indexed; return true;
    case 24: layout = Layout::Rgb24; return true;
    case 16:
    case 32:
      if (!MakeChannels(red, green, blue, h.bitCount, channels)) {
        error = "invalid bit masks";
        return false;
      }
      // The usual 32-bit order is copied as it is, so the fourth byte survives; any other
      // order is rebuilt from its three channels.
      if (h.bitCount == 16) {
        layout = Layout::Masked16;
      } else if (red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF) {
        layout = Layout::Rgb32;
      } else {
        layout = Layout::Masked32;
      }
      return true;
    default: error = "unsupported bit count " + std::to_string(h.bitCount); return false;
  }
}

// Expands RLE8 data into palette indices, storage row 0 first. Pixels the data skips keep
// index 0; runs that pass the right edge are cut.
bool DecodeRle8(const Bytes& b, std::size_t pos, const Header& h, std::vector<uint8_t>& indices, std::string& error) {
  const uint64_t width = static_cast<uint64_t>(h.width);
  const uint64_t height = static_cast<uint64_t>(h.height);
  indices.assign(width * height, 0);
  uint64_t x = 0, y = 0;
  auto put = [&](uint8_t index) {
    if (x < width && y < height) indices[y * width + x] = index;
    ++x;
  };
  while (b.Has(pos, 2)) {
    const uint8_t count = b.U8(pos);
    const uint8_t value = b.U8(pos + 1);
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      return true;
    } else if (value == 2) {  // move right and up
      if (!b.Has(pos, 2)) break;
      x += b.U8(pos);
      y += b.U8(pos + 1);
      pos += 2;
    } else {  // `value` literal indices, padded to an even count
      if (!b.Has(pos, value)) break;
      for (int i = 0; i < value; ++i) put(b.U8(pos + static_cast<std::size_t>(i)));
      pos += value + (value & 1u);
    }
  }
  // Data that ends after the last row without the end marker is still a whole picture.
  if (y >= height) return true;
  error = "truncated RLE8 data";
  return false;
}

}  // namespace

DecodedBmp DecodeBmp(const uint8_t* data, std::size_t size) {
  const Bytes b(data, size);
  Header h;
  Layout layout = Layout::Rgb24;
  Channels channels{};
  std::string error;
  if (!ReadHeader(b, h, error) || !ChooseLayout(b, h, layout, channels, error)) {
    return Fail(error);
  }

  std::size_t headersEnd = kFileHeaderSize + h.infoSize;
  if (h.infoSize == kCoreInfoSize && h.compression == kBiBitfields) headersEnd += 12;
  if (h.pixelOffset != 0 && h.pixelOffset < headersEnd) {
    return Fail("pixel data offset inside the headers");
  }

  Palette palette{};
  std::size_t dataStart = h.pixelOffset != 0 ? h.pixelOffset : headersEnd;
  if (layout == Layout::Indexed) {
    uint64_t entries = h.colorsUsed != 0 ? h.colorsUsed : 256;
    if (entries > 256) return Fail("palette of " + std::to_string(entries) + " entries");
    // A palette that overlaps the pixel data is cut where the pixels begin.
    if (h.pixelOffset != 0) entries = std::min<uint64_t>(entries, (h.pixelOffset - headersEnd) / 4);
    if (!b.Has(headersEnd, entries * 4)) return Fail("truncated palette");
    for (std::size_t i = 0; i < entries; ++i) {
      palette[i] = b.U32(headersEnd + i * 4) & 0x00FFFFFFu;
    }
    if (h.pixelOffset == 0) dataStart = headersEnd + entries * 4;
  }

  DecodedBmp out;
  out.width = h.width;
  out.height = h.height;
  out.bitCount = h.bitCount;
  const std::size_t width = static_cast<std::size_t>(h.width);
  const std::size_t pixelCount = width * static_cast<std::size_t>(h.height);

  if (h.compression == kBiRle8) {
    // Checked before anything is allocated for the picture.
    const uint64_t dataBytes = dataStart < size ? size - dataStart : 0;
    if (static_cast<uint64_t>(pixelCount) > kRlePixelsPerTwoBytes * (dataBytes / 2) + kRleUnpaintedAllowance) {
      return Fail("RLE8 data of " + std::to_string(dataBytes) + " bytes cannot fill " + std::to_string(h.width) + "x" +
                  std::to_string(h.height) + " pixels");
    }
    std::vector<uint8_t> indices;
    if (!DecodeRle8(b, dataStart, h, indices, error)) return Fail(error);
    out.pixels.resize(pixelCount);
    for (int row = 0; row < h.height; ++row) {
      const std::size_t at = static_cast<std::size_t>(row) * width;
      ConvertRow(Layout::Indexed, indices.data() + at, h.width, palette, channels, out.pixels.data() + at);
    }
  } else {
    const uint64_t rowBytes = static_cast<uint64_t>(h.width) * (h.bitCount / 8);
    const uint64_t pitch = (rowBytes + 3) & ~uint64_t{3};
    // The last row's padding may be missing; its pixels may not.
    if (!b.Has(dataStart, pitch * static_cast<uint64_t>(h.height - 1) + rowBytes)) {
      return Fail("truncated pixel data");
    }
    out.pixels.resize(pixelCount);
    for (int fileRow = 0; fileRow < h.height; ++fileRow) {
      const int storageRow = h.topDown ? h.height - 1 - fileRow : fileRow;
      const uint8_t* in = b.At(dataStart + static_cast<std::size_t>(pitch) * fileRow);
      ConvertRow(layout, in, h.width, palette, channels,
                 out.pixels.data() + static_cast<std::size_t>(storageRow) * width);
    }
  }
  out.ok = true;
  return out;
}

}  // namespace gfx
