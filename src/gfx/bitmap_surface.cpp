#include "gfx/bitmap_surface.h"

#include <algorithm>
#include <fstream>

#include "gfx/blit_rows.h"
#include "gfx/bmp_reader.h"
#include "gfx/resample_filtered.h"
#include "platform/files.h"
#include "platform/platform.h"

CBitmapSurface::CBitmapSurface() = default;
CBitmapSurface::~CBitmapSurface() = default;

void CBitmapSurface::Release() {
  m_pixels.clear();
  m_pixels.shrink_to_fit();
  m_valid = false;
  m_width = 0;
  m_height = 0;
  m_sourceBitCount = 0;
}

bool CBitmapSurface::Create(int width, int height) {
  Release();
  width = std::max(width, 0);
  height = std::max(height, 0);
  const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (count * 4 > kMaxPixelBytes) return false;
  m_pixels.assign(static_cast<std::size_t>(count), 0);
  m_valid = true;
  m_width = width;
  m_height = height;
  m_sourceBitCount = 32;
  return true;
}

void CBitmapSurface::CreateCopy(const CBitmapSurface& source) {
  if (&source == this || !source.m_valid) return;
  m_pixels = source.m_pixels;
  m_valid = true;
  m_width = source.m_width;
  m_height = source.m_height;
  m_sourceBitCount = source.m_sourceBitCount;
  m_resampleMode = source.m_resampleMode;
}

bool CBitmapSurface::LoadFile(const std::string& path) {
  std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    // An unopenable file leaves whatever the surface held.
    m_loadError = "cannot open " + path;
    return false;
  }
  return LoadFromMemory(*bytes);
}

bool CBitmapSurface::LoadFromMemory(const std::vector<uint8_t>& bytes) {
  Release();
  gfx::DecodedBmp decoded = gfx::DecodeBmp(bytes.data(), bytes.size());
  if (!decoded.ok) {
    m_loadError = decoded.error;
    return false;
  }
  m_loadError.clear();
  m_pixels = std::move(decoded.pixels);
  m_valid = true;
  m_width = decoded.width;
  m_height = decoded.height;
  m_sourceBitCount = decoded.bitCount;
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
  if (!m_valid) return out;
  const uint32_t pitch = (static_cast<uint32_t>(m_width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = pitch * static_cast<uint32_t>(m_height);
  out.reserve(54 + static_cast<std::size_t>(imageBytes));
  out.push_back('B');
  out.push_back('M');
  PutU32(out, 54 + imageBytes);
  PutU32(out, 0);   // reserved
  PutU32(out, 54);  // pixel data offset
  PutU32(out, 40);  // info header size
  PutU32(out, static_cast<uint32_t>(m_width));
  PutU32(out, static_cast<uint32_t>(m_height));
  PutU16(out, 1);   // planes
  PutU16(out, 24);  // bits per pixel
  PutU32(out, 0);   // uncompressed
  PutU32(out, imageBytes);
  for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution and palette counts
  for (int row = 0; row < m_height; ++row) {  // storage order is file order: bottom-up
    const uint32_t* in = m_pixels.data() + static_cast<std::size_t>(row) * m_width;
    for (int x = 0; x < m_width; ++x) {
      out.push_back(static_cast<uint8_t>(in[x]));
      out.push_back(static_cast<uint8_t>(in[x] >> 8));
      out.push_back(static_cast<uint8_t>(in[x] >> 16));
    }
    out.resize(out.size() + (pitch - static_cast<uint32_t>(m_width) * 3), 0);
  }
  return out;
}

bool CBitmapSurface::SaveFile(const std::string& path) const {
  if (!m_valid) return false;
  const std::vector<uint8_t> bytes = EncodeBmp24();
  std::ofstream file(platform::HostFsPath(platform::ToHostPath(path)), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

void CBitmapSurface::Clear(uint32_t value) {
  if (m_valid) std::fill(m_pixels.begin(), m_pixels.end(), value);
}

void CBitmapSurface::Grayscale() {
  if (!m_valid) return;
  for (uint32_t& p : m_pixels) {
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
gfx::PixelBuffer ScaleNearest(const gfx::PixelBuffer& source, int sourceWidth, int sourceHeight,
                              const ScaleAxis& ax, const ScaleAxis& ay) {
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
  if (!m_valid) return;
  const ScaleAxis ax = ScaledAxis(m_width, std::max(percentX, 0));
  const ScaleAxis ay = ScaledAxis(m_height, std::max(percentY, 0));
  // A picture beyond the size cap is refused and the surface stays as it was.
  if (static_cast<uint64_t>(ax.size) * static_cast<uint64_t>(ay.size) * 4 > kMaxPixelBytes) return;
  if (m_resampleMode == 1 || m_resampleMode == 2) {
    m_pixels = gfx::ResampleFiltered(m_pixels.data(), m_width, m_height, ax.size, ay.size,
                                     m_resampleMode == 1 ? gfx::ResampleFilter::Bilinear
                                                         : gfx::ResampleFilter::Bicubic);
  } else {
    m_pixels = ScaleNearest(m_pixels, m_width, m_height, ax, ay);
  }
  m_width = ax.size;
  m_height = ay.size;
}

const uint32_t* CBitmapSurface::RowTopDown(int y) const {
  if (!m_valid || y < 0 || y >= m_height || m_width == 0) return nullptr;
  return m_pixels.data() + static_cast<std::size_t>(m_height - 1 - y) * m_width;
}

uint32_t* CBitmapSurface::RowTopDown(int y) {
  return const_cast<uint32_t*>(std::as_const(*this).RowTopDown(y));
}

uint32_t CBitmapSurface::GetPixel(int x, int y) const {
  if (!m_valid || m_width == 0 || m_height == 0) return 0;
  return RowTopDown(std::clamp(y, 0, m_height - 1))[std::clamp(x, 0, m_width - 1)];
}

void CBitmapSurface::SetPixel(int x, int y, uint32_t value) {
  if (!m_valid || m_width == 0 || m_height == 0) return;
  RowTopDown(std::clamp(y, 0, m_height - 1))[std::clamp(x, 0, m_width - 1)] = value;
}

void CBitmapSurface::Present() const {
  if (!m_valid) return;
  gfx::PublishStreamedWrites();  // the platform may show the frame from another thread
  platform::Get().PresentFrame(m_pixels.data(), m_width, m_height);
}

void CBitmapSurface::PresentAt(int x, int y) const {
  if (!m_valid) return;
  gfx::PublishStreamedWrites();
  platform::Get().PresentFrameAt(m_pixels.data(), m_width, m_height, x, y);
}
