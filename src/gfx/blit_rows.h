// The inner loops of the rectangle blits: one already-clipped rectangle of whole 32-bit
// pixels, walked with row pointers. Each operation has a portable loop and, where the compiler
// offers SSE2, a vector loop that gives bit-identical results four pixels at a time; the
// colour-keyed copy, the keyed copy with a shadow and the blend also have AVX2 loops (eight
// pixels), chosen at run time when the processor has them.
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

// Which loops may run: the portable ones only, SSE2, or SSE2 and AVX2.
enum class VectorLevel { None = 0, Sse2 = 1, Avx2 = 2 };

// The best level this build and this processor offer.
VectorLevel BestVectorLevel();

// Applies `params` to a w x h rectangle. dst/src point at the first pixel of the first row to
// process; the strides (in pixels, may be negative) step to the next row. `level` caps the
// vector loops used (tests compare the levels; all give identical pixels).
void BlitRect(const BlitParams& params, uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src,
              std::ptrdiff_t srcStride, int w, int h, VectorLevel level = BestVectorLevel());

}  // namespace gfx
