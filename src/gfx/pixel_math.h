// Per-pixel arithmetic shared by the blits, on whole 0x00RRGGBB words. Exact integer formulas:
// every vector path must reproduce these bit for bit.
#pragma once

#include <cstdint>

namespace gfx {

inline constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// Source weight out of 256 for an alpha percentage: clamped to 0..100, then
// truncation of percent / 100 * 256 in single precision (60 -> 153, 100 -> 256).
inline int AlphaWeight(int percent) {
  if (percent < 0) percent = 0;
  if (percent > 100) percent = 100;
  return static_cast<int>(static_cast<float>(percent) / 100.0f * 256.0f);
}

// (s * a + d * (256 - a)) >> 8 per channel, fourth byte 0. Red and blue travel together in
// one word: each product fits in 16 bits, so the lanes cannot carry into each other.
inline uint32_t Mix(uint32_t s, uint32_t d, uint32_t a) {
  const uint32_t b = 256 - a;
  const uint32_t rb = (((s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * b) >> 8) & 0x00FF00FFu;
  const uint32_t g = (((s & 0x0000FF00u) * a + (d & 0x0000FF00u) * b) >> 8) & 0x0000FF00u;
  return rb | g;
}

// (s + d) >> 1 per channel, fourth byte 0: the common bits plus half the differing ones.
inline uint32_t Half(uint32_t s, uint32_t d) { return ((s & d) + (((s ^ d) >> 1) & 0x7F7F7F7Fu)) & kRgbMask; }

}  // namespace gfx
