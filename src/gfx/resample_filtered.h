// Bilinear and bicubic resampling of a whole 0x00RRGGBB picture to a new size.
//
// Sampling, the same on both axes: destination pixel i of n takes its colour at the source
// position u = (i + 0.5) * sourceSize / n - 0.5, so that pixel centres line up and the picture
// keeps its middle. The taps around u (2 for bilinear, 4 for bicubic) whose index falls outside
// the source repeat the edge pixel. Bilinear weights the two nearest pixels by 1 - t and t
// (t = u - floor(u)), rounded to 8-bit fixed point. Bicubic uses the Catmull-Rom kernel
// (a = -0.5), which passes through the source pixels:
//   W(d) = 1.5|d|^3 - 2.5|d|^2 + 1               for |d| <= 1
//   W(d) = -0.5|d|^3 + 2.5|d|^2 - 4|d| + 2       for 1 < |d| < 2
// with 14-bit fixed-point weights. The kernel overshoots near edges, so results are clamped
// to 0..255. Each channel is rounded to nearest; the fourth byte of every result is 0. Because
// the mapping is symmetric, counting rows bottom-up (storage order) or top-down gives the same
// picture.
#pragma once

#include <cstdint>

#include "gfx/pixel_buffer.h"

namespace gfx {

enum class ResampleFilter { Bilinear, Bicubic };

// `source` holds sourceWidth * sourceHeight pixels row after row; the result holds
// width * height pixels in the same row order. Sizes of 0 give an empty result.
PixelBuffer ResampleFiltered(const uint32_t* source, int sourceWidth, int sourceHeight, int width, int height,
                             ResampleFilter filter);

}  // namespace gfx
