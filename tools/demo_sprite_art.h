// Drawing helpers shared by the demo sprite generators: shapes sampled at pixel centres in
// 1/16-pixel integer coordinates, turned with a fixed sine table; masks of covered pixels with
// outline and erosion; frames on the transparent key colour with a shadow key of their own; and
// sheets that lay frames out row by row, as the engine numbers them. Integer arithmetic only, so
// every machine writes the same bytes.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "demo_map_art.h"
#include "gfx/bitmap_surface.h"

namespace demo_sprite {

using demo_art::kKey;                    // 0xBF7BC7, the transparent colour
constexpr int kSub = 16;                 // sub-pixel steps per pixel
constexpr uint32_t kOutline = 0x1E161C;  // the dark line round figures and things

// ---- Geometry in 1/16 pixels ----------------------------------------------------------------

struct Pt {
  int x, y;
};

// Centre of pixel (x, y) in sub-pixel units.
inline int Centre(int p) { return p * kSub + kSub / 2; }

// sin of k / 64 of a turn, times 1024 (a fixed table keeps the rotation exact everywhere).
inline int Sin64(int k) {
  static constexpr std::array<int, 17> kQuarter = {0,   100, 200, 297, 392, 483,  569,  650, 724,
                                                   792, 851, 903, 946, 980, 1004, 1019, 1024};
  k = ((k % 64) + 64) % 64;
  if (k <= 16) return kQuarter[k];
  if (k <= 32) return kQuarter[32 - k];
  if (k <= 48) return -kQuarter[k - 32];
  return -kQuarter[64 - k];
}
inline int Cos64(int k) { return Sin64(k + 16); }

// Point (u, v) of a local frame turned by k / 64 of a turn about `centre`.
inline Pt Turn(Pt centre, int u, int v, int k) {
  return {centre.x + (u * Cos64(k) - v * Sin64(k)) / 1024, centre.y + (u * Sin64(k) + v * Cos64(k)) / 1024};
}

// ---- Masks: which pixels of a frame a shape covers ------------------------------------------

class Mask {
 public:
  Mask(int width, int height) : width_(width), height_(height), on_(static_cast<size_t>(width * height), 0) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_ && on_[Index(x, y)]; }
  void Set(int x, int y, bool on = true) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) on_[Index(x, y)] = on;
  }
  // Sets every pixel whose centre passes the test (sub-pixel coordinates).
  void Add(const std::function<bool(int, int)>& inside) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (inside(Centre(x), Centre(y))) Set(x, y);
      }
    }
  }
  void Rect(int x0, int y0, int x1, int y1) {  // inclusive pixel bounds
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) Set(x, y);
    }
  }
  // The pixels of this mask that have all four neighbours inside it.
  Mask Eroded() const {
    Mask out(width_, height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        out.Set(x, y, At(x, y) && At(x - 1, y) && At(x + 1, y) && At(x, y - 1) && At(x, y + 1));
      }
    }
    return out;
  }
  // The pixels outside this mask that touch it (eight neighbours): a one-pixel outline.
  Mask Border() const {
    Mask out(width_, height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y)) continue;
        bool touches = false;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) touches = touches || At(x + dx, y + dy);
        }
        out.Set(x, y, touches);
      }
    }
    return out;
  }
  // Adds the pixels of a mask of the same size.
  void Join(const Mask& other) {
    for (size_t i = 0; i < on_.size(); ++i) on_[i] = on_[i] || other.on_[i];
  }
  Mask Minus(const Mask& other) const {
    Mask out(*this);
    for (size_t i = 0; i < on_.size(); ++i) out.on_[i] = on_[i] && !other.on_[i];
    return out;
  }
  Mask Shifted(int dx, int dy) const {
    Mask out(width_, height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) out.Set(x + dx, y + dy, At(x, y));
    }
    return out;
  }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y * width_ + x); }
  int width_, height_;
  std::vector<uint8_t> on_;
};

// Even-odd rule on the pixel centre; vertices in sub-pixel units.
inline bool InPolygon(const std::vector<Pt>& poly, int px, int py) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Pt a = poly[i], b = poly[j];
    if ((a.y > py) == (b.y > py)) continue;
    // x of the edge at height py, compared without division.
    const int64_t lhs = static_cast<int64_t>(px - a.x) * (b.y - a.y);
    const int64_t rhs = static_cast<int64_t>(b.x - a.x) * (py - a.y);
    if ((b.y > a.y) ? lhs < rhs : lhs > rhs) inside = !inside;
  }
  return inside;
}

inline void AddPolygon(Mask& mask, const std::vector<Pt>& poly) {
  mask.Add([&](int x, int y) { return InPolygon(poly, x, y); });
}

// Ellipse with radii rx, ry about c (sub-pixel units); a disc when rx == ry.
inline bool InEllipse(Pt c, int rx, int ry, int x, int y) {
  const int64_t dx = x - c.x, dy = y - c.y, a = rx, b = ry;
  return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
}

inline void AddEllipse(Mask& mask, Pt c, int rx, int ry) {
  mask.Add([&](int x, int y) { return InEllipse(c, rx, ry, x, y); });
}

inline void AddRing(Mask& mask, Pt c, int rx, int ry, int width) {
  mask.Add([&](int x, int y) {
    return InEllipse(c, rx, ry, x, y) && !InEllipse(c, rx - width, ry - width * ry / rx, x, y);
  });
}

// ---- Frames and sheets --------------------------------------------------------------------

// One frame on the key colour. Nothing is painted on its outermost pixels, so the key colour
// always surrounds the drawing and neighbouring frames of a sheet never touch. `shadowKey` is the
// colour the engine draws as a 50 % darkening of the ground under this sheet.
class Frame {
 public:
  Frame(int width, int height, uint32_t shadowKey)
      : width_(width), height_(height), shadowKey_(shadowKey), pixels_(static_cast<size_t>(width * height), kKey) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t Get(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  void Set(int x, int y, uint32_t colour) {
    if (x < 1 || y < 1 || x >= width_ - 1 || y >= height_ - 1) return;
    // A drawn pixel must never read as transparent or as shadow.
    if (colour == kKey || colour == shadowKey_) colour ^= 0x010000;
    pixels_[static_cast<size_t>(y * width_ + x)] = colour;
  }
  void SetShadow(int x, int y) {
    if (x >= 1 && y >= 1 && x < width_ - 1 && y < height_ - 1)
      pixels_[static_cast<size_t>(y * width_ + x)] = shadowKey_;
  }
  void Paint(const Mask& mask, const std::function<uint32_t(int, int)>& colour) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (mask.At(x, y)) Set(x, y, colour(x, y));
      }
    }
  }
  void Paint(const Mask& mask, uint32_t colour) {
    Paint(mask, [colour](int, int) { return colour; });
  }
  void PaintShadow(const Mask& mask) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (mask.At(x, y)) SetShadow(x, y);
      }
    }
  }

 private:
  int width_, height_;
  uint32_t shadowKey_;
  std::vector<uint32_t> pixels_;
};

// A thick segment with round ends.
inline void AddCapsule(Mask& mask, Pt a, Pt b, int radius) {
  mask.Add([&](int x, int y) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y, px = x - a.x, py = y - a.y;
    const int64_t len2 = dx * dx + dy * dy;
    int64_t t = len2 == 0 ? 0 : std::clamp<int64_t>((px * dx + py * dy) * 1024 / len2, 0, 1024);
    const int64_t ex = px - dx * t / 1024, ey = py - dy * t / 1024;
    return ex * ex + ey * ey <= static_cast<int64_t>(radius) * radius;
  });
}

// Paints a part lit from the upper left: its left and top edge pixels lighter, its right and
// bottom edge pixels darker.
inline void PaintLit(Frame& frame, const Mask& part, uint32_t colour) {
  frame.Paint(part, [&](int x, int y) {
    if (!part.At(x + 1, y) || !part.At(x, y + 1)) return demo_art::Shade(colour, -34);
    if (!part.At(x - 1, y) || !part.At(x, y - 1)) return demo_art::Shade(colour, 26);
    return colour;
  });
}

// Paints a lit part and adds it to the silhouette `body`.
inline void PaintPart(Frame& frame, Mask& body, const Mask& part, uint32_t colour) {
  PaintLit(frame, part, colour);
  body.Join(part);
}

// Frames laid out row by row, `columns` to a row (all in one row by default), as the engine
// numbers a sheet's frames.
inline bool WriteSheet(const std::filesystem::path& path, const std::vector<Frame>& frames, int columns = 0) {
  const int count = static_cast<int>(frames.size());
  if (columns <= 0) columns = count;
  const int fw = frames.front().Width(), fh = frames.front().Height();
  CBitmapSurface sheet;
  if (!sheet.Create(fw * columns, fh * ((count + columns - 1) / columns))) return false;
  sheet.Clear(kKey);
  for (int i = 0; i < count; ++i) {
    const int ox = i % columns * fw, oy = i / columns * fh;
    for (int y = 0; y < fh; ++y) {
      for (int x = 0; x < fw; ++x) sheet.SetPixel(ox + x, oy + y, frames[static_cast<size_t>(i)].Get(x, y));
    }
  }
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  return sheet.SaveFile(path.string());
}

// `count` frames made by make(0) ... make(count - 1).
template <typename Make>
std::vector<Frame> Frames(int count, Make make) {
  std::vector<Frame> frames;
  for (int f = 0; f < count; ++f) frames.push_back(make(f));
  return frames;
}

}  // namespace demo_sprite
