#include "gfx/blit_rows.h"

#include <cstring>

#include "gfx/pixel_math.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define TL_AVX2_LOOPS 1  // built with a per-function target, used only when the CPU has it
#endif

namespace gfx {
namespace {

#ifdef __SSE2__
// Four-pixel counterparts of Mix and Half (pixel_math.h).
struct VecMath {
  __m128i zero = _mm_setzero_si128();
  __m128i rgbMask = _mm_set1_epi32(static_cast<int>(kRgbMask));
  __m128i low7 = _mm_set1_epi8(0x7F);
  __m128i srcWeight;
  __m128i dstWeight;

  explicit VecMath(int a) {
    // The fourth byte gets weight 0 on both sides, so it comes out 0.
    const short sa = static_cast<short>(a);
    const short sb = static_cast<short>(256 - a);
    srcWeight = _mm_set_epi16(0, sa, sa, sa, 0, sa, sa, sa);
    dstWeight = _mm_set_epi16(0, sb, sb, sb, 0, sb, sb, sb);
  }

  // Channel sums stay within 255 * 256, so 16-bit lanes never wrap.
  __m128i Mix(__m128i s, __m128i d) const {
    __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), srcWeight),
                               _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), dstWeight));
    __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), srcWeight),
                               _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), dstWeight));
    return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
  }

  __m128i Half(__m128i s, __m128i d) const {
    __m128i halfDiff = _mm_and_si128(_mm_srli_epi16(_mm_xor_si128(s, d), 1), low7);
    return _mm_and_si128(_mm_add_epi8(_mm_and_si128(s, d), halfDiff), rgbMask);
  }
};

// mask ? a : b, lane by lane.
inline __m128i Select(__m128i mask, __m128i a, __m128i b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}
#endif

// Each operation: Px for one pixel, Vec (SSE2) for four; both return the new destination.
struct KeyedOp {
  uint32_t key;
  uint32_t Px(uint32_t s, uint32_t d) const { return s == key ? d : s; }
#ifdef __SSE2__
  __m128i vkey = _mm_set1_epi32(static_cast<int>(key));
  __m128i Vec(__m128i s, __m128i d) const { return Select(_mm_cmpeq_epi32(s, vkey), d, s); }
#endif
};

struct BlendOp {
  uint32_t a;
  uint32_t Px(uint32_t s, uint32_t d) const { return Mix(s, d, a); }
#ifdef __SSE2__
  VecMath m{static_cast<int>(a)};
  __m128i Vec(__m128i s, __m128i d) const { return m.Mix(s, d); }
#endif
};

struct KeyedBlendOp {
  uint32_t key;
  uint32_t a;
  uint32_t Px(uint32_t s, uint32_t d) const { return s == key ? d : Mix(s, d, a); }
#ifdef __SSE2__
  VecMath m{static_cast<int>(a)};
  __m128i vkey = _mm_set1_epi32(static_cast<int>(key));
  __m128i Vec(__m128i s, __m128i d) const { return Select(_mm_cmpeq_epi32(s, vkey), d, m.Mix(s, d)); }
#endif
};

// The shadow colour is tested before the key: when both are equal such pixels are shadow.
struct KeyedShadowOp {
  uint32_t key;
  uint32_t shadow;
  uint32_t Px(uint32_t s, uint32_t d) const {
    if (s == shadow) return Half(s, d);
    return s == key ? d : s;
  }
#ifdef __SSE2__
  VecMath m{256};
  __m128i vkey = _mm_set1_epi32(static_cast<int>(key));
  __m128i vshadow = _mm_set1_epi32(static_cast<int>(shadow));
  __m128i Vec(__m128i s, __m128i d) const {
    __m128i plain = Select(_mm_cmpeq_epi32(s, vkey), d, s);
    return Select(_mm_cmpeq_epi32(s, vshadow), m.Half(s, d), plain);
  }
#endif
};

// Here the key is tested first: when both are equal such pixels are skipped.
struct KeyedShadowBlendOp {
  uint32_t key;
  uint32_t shadow;
  uint32_t a;
  uint32_t Px(uint32_t s, uint32_t d) const {
    if (s == key) return d;
    return Mix(s == shadow ? Half(s, d) : s, d, a);
  }
#ifdef __SSE2__
  VecMath m{static_cast<int>(a)};
  __m128i vkey = _mm_set1_epi32(static_cast<int>(key));
  __m128i vshadow = _mm_set1_epi32(static_cast<int>(shadow));
  __m128i Vec(__m128i s, __m128i d) const {
    __m128i top = Select(_mm_cmpeq_epi32(s, vshadow), m.Half(s, d), s);
    return Select(_mm_cmpeq_epi32(s, vkey), d, m.Mix(top, d));
  }
#endif
};

// Plain copy. Rows of a map tile (64 pixels) or of a composed chunk are copied by the library,
// which aligns its stores to the destination's lines, as a frame's rows at a scrolled camera
// seldom are; shorter rows by an inline loop, which beats a library call per row there.
// Ordinary stores, not streamed past the caches: the units and panels drawn next read the
// frame's lines back.
#ifdef __SSE2__
// 16 pixels, one 64-byte line.
inline void CopyLine(uint32_t* dst, const uint32_t* src) {
  const __m128i* s = reinterpret_cast<const __m128i*>(src);
  __m128i* d = reinterpret_cast<__m128i*>(dst);
  const __m128i a = _mm_loadu_si128(s), b = _mm_loadu_si128(s + 1);
  const __m128i c = _mm_loadu_si128(s + 2), e = _mm_loadu_si128(s + 3);
  _mm_storeu_si128(d, a);
  _mm_storeu_si128(d + 1, b);
  _mm_storeu_si128(d + 2, c);
  _mm_storeu_si128(d + 3, e);
}
#endif

constexpr int kLibraryCopyPixels = 64;

void CopyRows(uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src, std::ptrdiff_t srcStride, int w, int h,
              VectorLevel level) {
  if (w >= kLibraryCopyPixels) {  // rows never overlap: a surface drawn onto itself is copied first
    for (int row = 0; row < h; ++row, dst += dstStride, src += srcStride) std::memcpy(dst, src, sizeof(uint32_t) * w);
    return;
  }
  for (int row = 0; row < h; ++row, dst += dstStride, src += srcStride) {
    int i = 0;
#ifdef __SSE2__
    if (level >= VectorLevel::Sse2) {
      for (; i + 16 <= w; i += 16) CopyLine(dst + i, src + i);
    }
#else
    (void)level;
#endif
    for (; i < w; ++i) dst[i] = src[i];
  }
}

template <class Op>
void RunRows(const Op& op, uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src, std::ptrdiff_t srcStride,
             int w, int h, VectorLevel level) {
  for (int row = 0; row < h; ++row, dst += dstStride, src += srcStride) {
    int i = 0;
#ifdef __SSE2__
    if (level >= VectorLevel::Sse2) {
      for (; i + 4 <= w; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), op.Vec(s, d));
      }
    }
#else
    (void)level;
#endif
    for (; i < w; ++i) dst[i] = op.Px(src[i], dst[i]);
  }
}

#ifdef TL_AVX2_LOOPS
// Eight-pixel counterparts of Mix and Half (pixel_math.h). Unpacking and packing both work
// within each 128-bit half, so the pixels keep their places.
struct Avx2Weights {
  __m256i src, dst;
};

__attribute__((target("avx2"))) inline Avx2Weights WeightsAvx2(int a) {
  // The fourth byte gets weight 0 on both sides, so it comes out 0.
  const short sa = static_cast<short>(a), sb = static_cast<short>(256 - a);
  return {_mm256_set_epi16(0, sa, sa, sa, 0, sa, sa, sa, 0, sa, sa, sa, 0, sa, sa, sa),
          _mm256_set_epi16(0, sb, sb, sb, 0, sb, sb, sb, 0, sb, sb, sb, 0, sb, sb, sb)};
}

__attribute__((target("avx2"))) inline __m256i MixAvx2(__m256i s, __m256i d, const Avx2Weights& w) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i lo = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), w.src),
                                      _mm256_mullo_epi16(_mm256_unpacklo_epi8(d, zero), w.dst));
  const __m256i hi = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), w.src),
                                      _mm256_mullo_epi16(_mm256_unpackhi_epi8(d, zero), w.dst));
  return _mm256_packus_epi16(_mm256_srli_epi16(lo, 8), _mm256_srli_epi16(hi, 8));
}

__attribute__((target("avx2"))) inline __m256i HalfAvx2(__m256i s, __m256i d) {
  const __m256i halfDiff = _mm256_and_si256(_mm256_srli_epi16(_mm256_xor_si256(s, d), 1), _mm256_set1_epi8(0x7F));
  return _mm256_and_si256(_mm256_add_epi8(_mm256_and_si256(s, d), halfDiff),
                          _mm256_set1_epi32(static_cast<int>(kRgbMask)));
}

// Sprites (keyed, with their shadow colour halved over the frame) and blended panels and labels,
// eight pixels at a time; the last few of a row by the one-pixel rule.
template <class Op>
__attribute__((target("avx2"))) void RunRowsAvx2(const Op& op, uint32_t* dst, std::ptrdiff_t dstStride,
                                                 const uint32_t* src, std::ptrdiff_t srcStride, int w, int h) {
  for (int row = 0; row < h; ++row, dst += dstStride, src += srcStride) {
    int i = 0;
    for (; i + 8 <= w; i += 8) {
      const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
      const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), op.Vec8(s, d));
    }
    for (; i < w; ++i) dst[i] = op.Px(src[i], dst[i]);
  }
}

struct KeyedShadowAvx2 {
  KeyedShadowOp one;
  __attribute__((target("avx2"))) uint32_t Px(uint32_t s, uint32_t d) const { return one.Px(s, d); }
  __attribute__((target("avx2"))) __m256i Vec8(__m256i s, __m256i d) const {
    const __m256i plain = _mm256_blendv_epi8(s, d, _mm256_cmpeq_epi32(s, _mm256_set1_epi32(static_cast<int>(one.key))));
    return _mm256_blendv_epi8(plain, HalfAvx2(s, d),
                              _mm256_cmpeq_epi32(s, _mm256_set1_epi32(static_cast<int>(one.shadow))));
  }
};

struct BlendAvx2 {
  BlendOp one;
  Avx2Weights weights;
  __attribute__((target("avx2"))) uint32_t Px(uint32_t s, uint32_t d) const { return one.Px(s, d); }
  __attribute__((target("avx2"))) __m256i Vec8(__m256i s, __m256i d) const { return MixAvx2(s, d, weights); }
};

// The entry points: the eight-pixel values are made here, inside code built for AVX2.
__attribute__((target("avx2"))) void KeyedShadowRowsAvx2(uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src,
                                                         std::ptrdiff_t srcStride, int w, int h, uint32_t key,
                                                         uint32_t shadow) {
  RunRowsAvx2(KeyedShadowAvx2{KeyedShadowOp{key, shadow}}, dst, dstStride, src, srcStride, w, h);
}

__attribute__((target("avx2"))) void BlendRowsAvx2(uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src,
                                                   std::ptrdiff_t srcStride, int w, int h, int weight) {
  RunRowsAvx2(BlendAvx2{BlendOp{static_cast<uint32_t>(weight)}, WeightsAvx2(weight)}, dst, dstStride, src, srcStride, w,
              h);
}

// The colour-keyed copy, eight pixels at a time: map overlays and sprite sheets are mostly
// keyed copies, and this loop is bound by instructions rather than memory.
__attribute__((target("avx2"))) void KeyedRowsAvx2(uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src,
                                                   std::ptrdiff_t srcStride, int w, int h, uint32_t key) {
  const __m256i vkey = _mm256_set1_epi32(static_cast<int>(key));
  for (int row = 0; row < h; ++row, dst += dstStride, src += srcStride) {
    int i = 0;
    for (; i + 8 <= w; i += 8) {
      const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
      const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_blendv_epi8(s, d, _mm256_cmpeq_epi32(s, vkey)));
    }
    for (; i < w; ++i) {
      if (src[i] != key) dst[i] = src[i];
    }
  }
}
#endif

}  // namespace

VectorLevel BestVectorLevel() {
#ifdef TL_AVX2_LOOPS
  static const VectorLevel best = __builtin_cpu_supports("avx2") ? VectorLevel::Avx2 : VectorLevel::Sse2;
  return best;
#elif defined(__SSE2__)
  return VectorLevel::Sse2;
#else
  return VectorLevel::None;
#endif
}

void BlitRect(const BlitParams& p, uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* src,
              std::ptrdiff_t srcStride, int w, int h, VectorLevel level) {
  if (w <= 0 || h <= 0) return;
  const uint32_t a = static_cast<uint32_t>(p.weight);
  switch (p.op) {
    case BlitOp::Copy: return CopyRows(dst, dstStride, src, srcStride, w, h, level);
    case BlitOp::Keyed:
#ifdef TL_AVX2_LOOPS
      if (level >= VectorLevel::Avx2) {
        return KeyedRowsAvx2(dst, dstStride, src, srcStride, w, h, p.key);
      }
#endif
      return RunRows(KeyedOp{p.key}, dst, dstStride, src, srcStride, w, h, level);
    case BlitOp::Blend:
#ifdef TL_AVX2_LOOPS
      if (level >= VectorLevel::Avx2) {
        return BlendRowsAvx2(dst, dstStride, src, srcStride, w, h, p.weight);
      }
#endif
      return RunRows(BlendOp{a}, dst, dstStride, src, srcStride, w, h, level);
    case BlitOp::KeyedBlend: return RunRows(KeyedBlendOp{p.key, a}, dst, dstStride, src, srcStride, w, h, level);
    case BlitOp::KeyedShadow:
#ifdef TL_AVX2_LOOPS
      if (level >= VectorLevel::Avx2) {
        return KeyedShadowRowsAvx2(dst, dstStride, src, srcStride, w, h, p.key, p.shadow);
      }
#endif
      return RunRows(KeyedShadowOp{p.key, p.shadow}, dst, dstStride, src, srcStride, w, h, level);
    case BlitOp::KeyedShadowBlend:
      return RunRows(KeyedShadowBlendOp{p.key, p.shadow, a}, dst, dstStride, src, srcStride, w, h, level);
  }
}

}  // namespace gfx
