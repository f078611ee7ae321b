// The inner loops of the rectangle blits: one already-clipped rectangle of whole 32-bit
// pixels, walked with row pointers. Each operation has a portable loop and, where the compiler
// offers SSE2, a vector loop that gives bit-identical results four pixels at a time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gfx {

enum class BlitOp { Copy, Keyed, Blend, KeyedBlend, KeyedShadow, KeyedShadowBlend };

struct BlitParams {
  BlitOp op = BlitOp::Copy;
  uint32_t key = 0;
  uint32_t shadow = 0;
  int weight = 256;  // source weight out of 256 (see AlphaWeight)
};

#ifdef __SSE2__
inline constexpr bool kHaveVectorBlits = true;
#else
inline constexpr bool kHaveVectorBlits = false;
#endif

// Applies `params` to a w x h rectangle. dst/src point at the first pixel of the first row to
// process; the strides (in pixels, may be negative) step to the next row. `useVector` selects
// the SSE2 loop when it is compiled in, the portable loop otherwise (tests compare the two).
void BlitRect(const BlitParams& params, uint32_t* dst, std::ptrdiff_t dstStride,
              const uint32_t* src, std::ptrdiff_t srcStride, int w, int h,
              bool useVector = kHaveVectorBlits);

}  // namespace gfx
