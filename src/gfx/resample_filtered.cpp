#include "gfx/resample_filtered.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gfx {
namespace {

// The taps of every destination index along one axis: `taps` source indices (edge-clamped) and
// fixed-point weights that sum to exactly 1 << bits.
struct AxisTaps {
  int taps = 0;
  int bits = 0;
  std::vector<int> index;
  std::vector<int32_t> weight;
};

double CatmullRom(double d) {
  d = std::fabs(d);
  if (d <= 1.0) return (1.5 * d - 2.5) * d * d + 1.0;
  if (d < 2.0) return ((-0.5 * d + 2.5) * d - 4.0) * d + 2.0;
  return 0.0;
}

AxisTaps MakeTaps(int sourceSize, int size, ResampleFilter filter) {
  AxisTaps axis;
  axis.taps = filter == ResampleFilter::Bilinear ? 2 : 4;
  axis.bits = filter == ResampleFilter::Bilinear ? 8 : 14;
  const int one = 1 << axis.bits;
  axis.index.resize(static_cast<std::size_t>(size) * axis.taps);
  axis.weight.resize(axis.index.size());
  const double ratio = static_cast<double>(sourceSize) / size;
  const int first = filter == ResampleFilter::Bilinear ? 0 : -1;  // first tap relative to floor(u)
  for (int i = 0; i < size; ++i) {
    const double u = (i + 0.5) * ratio - 0.5;
    const double base = std::floor(u);
    const double t = u - base;
    int* index = &axis.index[static_cast<std::size_t>(i) * axis.taps];
    int32_t* weight = &axis.weight[static_cast<std::size_t>(i) * axis.taps];
    int32_t sum = 0;
    int heaviest = 0;
    for (int k = 0; k < axis.taps; ++k) {
      const double d = (k + first) - t;  // tap position minus u
      const double w = filter == ResampleFilter::Bilinear ? 1.0 - std::fabs(d) : CatmullRom(d);
      index[k] = static_cast<int>(std::clamp<double>(base + k + first, 0, sourceSize - 1));
      weight[k] = static_cast<int32_t>(std::lround(w * one));
      sum += weight[k];
      if (weight[k] > weight[heaviest]) heaviest = k;
    }
    weight[heaviest] += one - sum;  // rounding must not brighten or darken flat areas
  }
  return axis;
}

inline uint32_t ClampChannel(int64_t sum, int shift) {
  const int64_t rounded = (sum + (int64_t{1} << (shift - 1))) >> shift;
  return static_cast<uint32_t>(std::clamp<int64_t>(rounded, 0, 255));
}

}  // namespace

PixelBuffer ResampleFiltered(const uint32_t* source, int sourceWidth, int sourceHeight, int width, int height,
                             ResampleFilter filter) {
  PixelBuffer out;
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
    out.resize(static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0));
    return out;
  }
  const AxisTaps columns = MakeTaps(sourceWidth, width, filter);
  const AxisTaps rows = MakeTaps(sourceHeight, height, filter);
  const int shift = columns.bits + rows.bits;
  const int taps = columns.taps;
  out.resize(static_cast<std::size_t>(width) * height);
  std::vector<const uint32_t*> rowStarts(static_cast<std::size_t>(taps));
  uint32_t* target = out.data();
  for (int j = 0; j < height; ++j, target += width) {
    const int32_t* wy = &rows.weight[static_cast<std::size_t>(j) * taps];
    const int* ry = &rows.index[static_cast<std::size_t>(j) * taps];
    for (int k = 0; k < taps; ++k) {
      rowStarts[k] = source + static_cast<std::size_t>(ry[k]) * sourceWidth;
    }
    const int* cx = columns.index.data();
    const int32_t* wx = columns.weight.data();
    for (int i = 0; i < width; ++i, cx += taps, wx += taps) {
      int64_t red = 0, green = 0, blue = 0;
      for (int ky = 0; ky < taps; ++ky) {
        const uint32_t* row = rowStarts[ky];
        for (int kx = 0; kx < taps; ++kx) {
          const uint32_t p = row[cx[kx]];
          const int64_t w = static_cast<int64_t>(wy[ky]) * wx[kx];
          red += w * ((p >> 16) & 0xFF);
          green += w * ((p >> 8) & 0xFF);
          blue += w * (p & 0xFF);
        }
      }
      target[i] = (ClampChannel(red, shift) << 16) | (ClampChannel(green, shift) << 8) | ClampChannel(blue, shift);
    }
  }
  return out;
}

}  // namespace gfx
