#include "gfx/bitmap_surface.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "gfx/bmp_reader.h"
#include "gfx/resample_filtered.h"
#include "platform/files.h"
#include "platform/platform.h"

CBitmapSurface::CBitmapSurface() = default;
CBitmapSurface::~CBitmapSurface() = default;

void CBitmapSurface::Release() {
  NoteWholeChange();
  pixels_.clear();
  pixels_.shrink_to_fit();
  valid_ = false;
  width_ = 0;
  height_ = 0;
  sourceBitCount_ = 0;
}

bool CBitmapSurface::Create(int width, int height) {
  Release();
  width = std::max(width, 0);
  height = std::max(height, 0);
  const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (count * 4 > kMaxPixelBytes) return false;
  pixels_.assign(static_cast<std::size_t>(count), 0);
  valid_ = true;
  width_ = width;
  height_ = height;
  sourceBitCount_ = 32;
  return true;
}

void CBitmapSurface::CreateCopy(const CBitmapSurface& source) {
  if (&source == this || !source.valid_) return;
  NoteWholeChange();
  pixels_ = source.pixels_;
  valid_ = true;
  width_ = source.width_;
  height_ = source.height_;
  sourceBitCount_ = source.sourceBitCount_;
  resampleMode_ = source.resampleMode_;
}

bool CBitmapSurface::LoadFile(const std::string& path) {
  std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    // An unopenable file leaves whatever the surface held.
    loadError_ = "cannot open " + path;
    return false;
  }
  return LoadFromMemory(*bytes);
}

bool CBitmapSurface::LoadFromMemory(const std::vector<uint8_t>& bytes) {
  Release();
  gfx::DecodedBmp decoded = gfx::DecodeBmp(bytes.data(), bytes.size());
  if (!decoded.ok) {
    loadError_ = decoded.error;
    return false;
  }
  loadError_.clear();
  pixels_ = std::move(decoded.pixels);
  valid_ = true;
  width_ = decoded.width;
  height_ = decoded.height;
  sourceBitCount_ = decoded.bitCount;
  return true;
}

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> CBitmapSurface::EncodeBmp24() const {
  std::vector<uint8_t> out;
  if (!valid_) return out;
  const uint32_t pitch = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
  const uint32_t imageBytes = pitch * static_cast<uint32_t>(height_);
  out.reserve(54 + static_cast<std::size_t>(imageBytes));
  out.push_back('B');
  out.push_back('M');
  PutU32(out, 54 + imageBytes);
  PutU32(out, 0);   // reserved
  PutU32(out, 54);  // pixel data offset
  PutU32(out, 40);  // info header size
  PutU32(out, static_cast<uint32_t>(width_));
  PutU32(out, static_cast<uint32_t>(height_));
  PutU16(out, 1);   // planes
  PutU16(out, 24);  // bits per pixel
  PutU32(out, 0);   // uncompressed
  PutU32(out, imageBytes);
  for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution and palette counts
  for (int row = 0; row < height_; ++row) {    // storage order is file order: bottom-up
    const uint32_t* in = pixels_.data() + static_cast<std::size_t>(row) * width_;
    for (int x = 0; x < width_; ++x) {
      out.push_back(static_cast<uint8_t>(in[x]));
      out.push_back(static_cast<uint8_t>(in[x] >> 8));
      out.push_back(static_cast<uint8_t>(in[x] >> 16));
    }
    out.resize(out.size() + (pitch - static_cast<uint32_t>(width_) * 3), 0);
  }
  return out;
}

bool CBitmapSurface::SaveFile(const std::string& path) const {
  if (!valid_) return false;
  const std::vector<uint8_t> bytes = EncodeBmp24();
  std::ofstream file(platform::HostFsPath(platform::ToHostPath(path)), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

void CBitmapSurface::Clear(uint32_t value) {
  if (!valid_) return;
  NoteWholeChange();
  std::fill(pixels_.begin(), pixels_.end(), value);
}

void CBitmapSurface::Grayscale() {
  if (!valid_) return;
  NoteWholeChange();
  for (uint32_t& p : pixels_) {
    const uint32_t grey = (76 * ((p >> 16) & 0xFF) + 150 * ((p >> 8) & 0xFF) + 29 * (p & 0xFF)) >> 8;
    p = (grey << 16) | (grey << 8) | grey;
  }
}

namespace {

// New size along one axis and the 8.8 fixed-point source step, both from
// f = 100 / percent in single precision.
struct ScaleAxis {
  int size = 0;
  int64_t step = 0;
};

ScaleAxis ScaledAxis(int oldSize, int percent) {
  ScaleAxis axis;
  if (percent <= 0) return axis;  // nothing of the picture survives
  const float f = 100.0f / static_cast<float>(percent);
  const double size = static_cast<double>((1.0f / f) * static_cast<float>(oldSize)) + 0.5;
  axis.size = size >= 2147483647.0 ? 2147483647 : static_cast<int>(size);
  axis.step = static_cast<int64_t>(f * 256.0f);
  return axis;
}

// Source index for each destination index: (i * 256 * step) >> 16, kept inside the source.
std::vector<int> SourceIndices(const ScaleAxis& axis, int sourceSize) {
  std::vector<int> indices(static_cast<std::size_t>(axis.size));
  for (int i = 0; i < axis.size; ++i) {
    const int64_t at = (static_cast<int64_t>(i) * 256 * axis.step) >> 16;
    indices[static_cast<std::size_t>(i)] = static_cast<int>(std::min<int64_t>(at, sourceSize - 1));
  }
  return indices;
}

// Rows are counted in storage order, so the bottom rows of both pictures correspond.
gfx::PixelBuffer ScaleNearest(const gfx::PixelBuffer& source, int sourceWidth, int sourceHeight, const ScaleAxis& ax,
                              const ScaleAxis& ay) {
  gfx::PixelBuffer scaled(static_cast<std::size_t>(ax.size) * static_cast<std::size_t>(ay.size));
  if (scaled.empty()) return scaled;
  const std::vector<int> columns = SourceIndices(ax, sourceWidth);
  const std::vector<int> rows = SourceIndices(ay, sourceHeight);
  uint32_t* out = scaled.data();
  for (int j = 0; j < ay.size; ++j, out += ax.size) {
    const uint32_t* in = source.data() + static_cast<std::size_t>(rows[j]) * sourceWidth;
    for (int i = 0; i < ax.size; ++i) out[i] = in[columns[i]];
  }
  return scaled;
}

}  // namespace

void CBitmapSurface::Scale(int percentX, int percentY) {
  if (!valid_) return;
  NoteWholeChange();
  const ScaleAxis ax = ScaledAxis(width_, std::max(percentX, 0));
  const ScaleAxis ay = ScaledAxis(height_, std::max(percentY, 0));
  // A picture beyond the size cap is refused and the surface stays as it was.
  if (static_cast<uint64_t>(ax.size) * static_cast<uint64_t>(ay.size) * 4 > kMaxPixelBytes) return;
  if (resampleMode_ == 1 || resampleMode_ == 2) {
    pixels_ = gfx::ResampleFiltered(pixels_.data(), width_, height_, ax.size, ay.size,
                                    resampleMode_ == 1 ? gfx::ResampleFilter::Bilinear : gfx::ResampleFilter::Bicubic);
  } else {
    pixels_ = ScaleNearest(pixels_, width_, height_, ax, ay);
  }
  width_ = ax.size;
  height_ = ay.size;
}

const uint32_t* CBitmapSurface::RowTopDown(int y) const {
  if (!valid_ || y < 0 || y >= height_ || width_ == 0) return nullptr;
  return pixels_.data() + static_cast<std::size_t>(height_ - 1 - y) * width_;
}

uint32_t* CBitmapSurface::RowTopDown(int y) {
  NoteWholeChange();
  return RowToWrite(y);
}

uint32_t* CBitmapSurface::RowToWrite(int y) { return const_cast<uint32_t*>(std::as_const(*this).RowTopDown(y)); }

uint32_t CBitmapSurface::GetPixel(int x, int y) const {
  if (!valid_ || width_ == 0 || height_ == 0) return 0;
  return RowTopDown(std::clamp(y, 0, height_ - 1))[std::clamp(x, 0, width_ - 1)];
}

void CBitmapSurface::SetPixel(int x, int y, uint32_t value) {
  if (!valid_ || width_ == 0 || height_ == 0) return;
  const int row = std::clamp(y, 0, height_ - 1), column = std::clamp(x, 0, width_ - 1);
  NoteChange({column, row, 1, 1});
  RowToWrite(row)[column] = value;
}

void CBitmapSurface::StartChangeLog() {
  logging_ = true;
  ++logNumber_;
  changedWhole_ = false;
  changed_.clear();
}

void CBitmapSurface::NoteChange(const ChangedRect& rect) {
  if (!logging_ || changedWhole_) return;
  if (changed_.size() == kMaxLoggedChanges) {
    changedWhole_ = true;
    return;
  }
  changed_.push_back(rect);
}

void CBitmapSurface::Present() const {
  if (!valid_) return;
  platform::Get().PresentFrame(pixels_.data(), width_, height_);
}

void CBitmapSurface::PresentAt(int x, int y) const {
  if (!valid_) return;
  platform::Get().PresentFrameAt(pixels_.data(), width_, height_, x, y);
}
