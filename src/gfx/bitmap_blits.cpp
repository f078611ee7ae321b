// The six rectangle blits: one clipping rule, then the row loops of blit_rows.cpp.
#include <algorithm>

#include "gfx/bitmap_surface.h"
#include "gfx/blit_rows.h"
#include "gfx/pixel_math.h"

namespace {

// The part of the rectangle whose source and destination pixels both lie inside their
// surfaces. Computed in 64 bits so that extreme arguments cannot overflow.
struct ClippedRect {
  int dstX = 0, dstY = 0, srcX = 0, srcY = 0, width = 0, height = 0;
};

// First and one-past-last rectangle offsets along one axis.
void ClipAxis(int64_t dst, int64_t src, int64_t length, int64_t dstSize, int64_t srcSize, int64_t& first,
              int64_t& last) {
  first = std::max<int64_t>({0, -dst, -src});
  last = std::min<int64_t>({length, dstSize - dst, srcSize - src});
}

bool Clip(int x, int y, int w, int h, int sx, int sy, int dstW, int dstH, int srcW, int srcH, ClippedRect& out) {
  int64_t x0, x1, y0, y1;
  ClipAxis(x, sx, w, dstW, srcW, x0, x1);
  ClipAxis(y, sy, h, dstH, srcH, y0, y1);
  if (x1 - x0 < 1 || y1 - y0 < 1) return false;
  out.dstX = static_cast<int>(x + x0);
  out.dstY = static_cast<int>(y + y0);
  out.srcX = static_cast<int>(sx + x0);
  out.srcY = static_cast<int>(sy + y0);
  out.width = static_cast<int>(x1 - x0);
  out.height = static_cast<int>(y1 - y0);
  return true;
}

}  // namespace

void CBitmapSurface::BlitFrom(const gfx::BlitParams& params, int x, int y, int w, int h, const CBitmapSurface& src,
                              int sx, int sy) {
  if (!valid_ || !src.valid_) return;
  if (&src == this) {
    // Drawing a surface onto itself reads the picture as it was before the call.
    CBitmapSurface snapshot;
    snapshot.CreateCopy(*this);
    BlitFrom(params, x, y, w, h, snapshot, sx, sy);
    return;
  }
  ClippedRect r;
  if (!Clip(x, y, w, h, sx, sy, width_, height_, src.width_, src.height_, r)) return;
  // Source and destination never overlap here, so the row order is free: walk storage rows
  // upwards (from the rectangle's bottom row), in ascending addresses as prefetchers prefer.
  NoteChange({r.dstX, r.dstY, r.width, r.height});
  uint32_t* dst = RowToWrite(r.dstY + r.height - 1) + r.dstX;
  const uint32_t* from = src.RowTopDown(r.srcY + r.height - 1) + r.srcX;
  gfx::BlitRect(params, dst, width_, from, src.width_, r.width, r.height);
}

void CBitmapSurface::Draw(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy) {
  BlitFrom({gfx::BlitOp::Copy}, x, y, w, h, src, sx, sy);
}

void CBitmapSurface::DrawKeyed(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy, uint32_t key) {
  BlitFrom({gfx::BlitOp::Keyed, key}, x, y, w, h, src, sx, sy);
}

void CBitmapSurface::DrawBlended(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy,
                                 int alphaPercent) {
  BlitFrom({gfx::BlitOp::Blend, 0, 0, gfx::AlphaWeight(alphaPercent)}, x, y, w, h, src, sx, sy);
}

void CBitmapSurface::DrawKeyedBlended(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy,
                                      int alphaPercent, uint32_t key) {
  BlitFrom({gfx::BlitOp::KeyedBlend, key, 0, gfx::AlphaWeight(alphaPercent)}, x, y, w, h, src, sx, sy);
}

void CBitmapSurface::DrawKeyedShadow(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy,
                                     uint32_t key, uint32_t shadow) {
  BlitFrom({gfx::BlitOp::KeyedShadow, key, shadow}, x, y, w, h, src, sx, sy);
}

void CBitmapSurface::DrawKeyedShadowBlended(int x, int y, int w, int h, const CBitmapSurface& src, int sx, int sy,
                                            uint32_t key, uint32_t shadow, int alphaPercent) {
  BlitFrom({gfx::BlitOp::KeyedShadowBlend, key, shadow, gfx::AlphaWeight(alphaPercent)}, x, y, w, h, src, sx, sy);
}
