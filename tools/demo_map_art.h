// Pixel art of the demo map's two tilesets, drawn by code: the ground tiles (grass, dirt, water,
// sand, stone, planks, fields) and the overlay tiles on the transparent key colour (trees,
// rocks, flowers, house roofs and walls, the watchtower, fences, crates). Integer arithmetic
// and a hash of the pixel position only, so every machine draws the same bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace demo_art {

constexpr int kTile = 64;
constexpr uint32_t kKey = 0xBF7BC7;

// ---- Colours and noise --------------------------------------------------------------------

inline uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(std::clamp(r, 0, 255) << 16 | std::clamp(g, 0, 255) << 8 | std::clamp(b, 0, 255));
}
inline int R(uint32_t c) { return static_cast<int>(c >> 16 & 0xFF); }
inline int G(uint32_t c) { return static_cast<int>(c >> 8 & 0xFF); }
inline int B(uint32_t c) { return static_cast<int>(c & 0xFF); }
inline uint32_t Shade(uint32_t c, int delta) { return Rgb(R(c) + delta, G(c) + delta, B(c) + delta); }
// a * (256 - t) + b * t, t in 0..256.
inline uint32_t Mix(uint32_t a, uint32_t b, int t) {
  return Rgb((R(a) * (256 - t) + R(b) * t) >> 8, (G(a) * (256 - t) + G(b) * t) >> 8,
             (B(a) * (256 - t) + B(b) * t) >> 8);
}

inline uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Smooth value noise 0..255 on a lattice of `cell` pixels that repeats every `period` cells, so
// a tile drawn with period 64 / cell joins itself seamlessly.
inline int ValueNoise(int x, int y, int cell, int period, uint32_t seed) {
  const int cx = x / cell, cy = y / cell, fx = (x % cell) * 256 / cell, fy = (y % cell) * 256 / cell;
  auto at = [&](int i, int j) {
    return static_cast<int>(Hash((i % period + period) % period, (j % period + period) % period, seed) & 255);
  };
  const int top = at(cx, cy) * (256 - fx) + at(cx + 1, cy) * fx;
  const int bottom = at(cx, cy + 1) * (256 - fx) + at(cx + 1, cy + 1) * fx;
  return (top * (256 - fy) + bottom * fy) >> 16;
}

// The generator's own random numbers (a linear congruential generator).
class Lcg {
 public:
  explicit Lcg(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_;
};

// ---- A picture to paint tiles into -------------------------------------------------------

class Canvas {
 public:
  Canvas(int width, int height, uint32_t fill) : width_(width), height_(height), pixels_(width * height, fill) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t Get(int x, int y) const { return pixels_[y * width_ + x]; }
  void Set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[y * width_ + x] = c;
  }

 private:
  int width_, height_;
  std::vector<uint32_t> pixels_;
};

// Paints one 64 x 64 tile: p(x, y, colour) with x, y inside the tile; pixels never set keep the
// canvas' fill (the key colour for overlay tiles).
using Paint = std::function<void(int, int, uint32_t)>;

inline void Disc(const Paint& p, int cx, int cy, int r, const std::function<uint32_t(int, int, int)>& colour) {
  for (int y = cy - r; y <= cy + r; ++y) {
    for (int x = cx - r; x <= cx + r; ++x) {
      const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 <= r * r && x >= 0 && y >= 0 && x < kTile && y < kTile) p(x, y, colour(x - cx, y - cy, d2));
    }
  }
}

// ---- Ground tiles -------------------------------------------------------------------------

// A base colour broken up by seamless coarse noise and per-pixel grain.
inline void Textured(const Paint& p, uint32_t base, int coarse, int grain, uint32_t seed) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const int n = (ValueNoise(x, y, 16, 4, seed) - 128) * coarse / 128;
      const int g = static_cast<int>(Hash(x, y, seed + 7) % (2 * grain + 1)) - grain;
      p(x, y, Shade(base, n + g));
    }
  }
}

inline void Grass(const Paint& p, int variant, bool tufts, bool flowers) {
  const uint32_t seed = 100 + variant;
  Textured(p, Rgb(78, 143, 60), 14, 5, seed);
  Lcg lcg(seed);
  for (int i = 0; i < (tufts ? 46 : 22); ++i) {  // blades: short strokes, light tip over dark foot
    const int x = lcg.Below(kTile), y = lcg.Below(kTile - 4), len = 2 + lcg.Below(3);
    for (int k = 0; k < len; ++k) p(x, y + k, k == 0 ? Rgb(120, 180, 80) : Rgb(52, 104, 42));
  }
  if (!flowers) return;
  const uint32_t colours[] = {Rgb(236, 222, 92), Rgb(240, 240, 240), Rgb(214, 96, 140)};
  for (int i = 0; i < 9; ++i) {
    const int x = 2 + lcg.Below(kTile - 4), y = 2 + lcg.Below(kTile - 4);
    const uint32_t c = colours[lcg.Below(3)];
    p(x, y, c), p(x - 1, y, c), p(x + 1, y, c), p(x, y - 1, c), p(x, y + 1, c);
    p(x, y, Rgb(250, 200, 60));
  }
}

inline void ForestFloor(const Paint& p, int variant) {
  Textured(p, Rgb(56, 104, 46), 16, 6, 200 + variant);
  Lcg lcg(210 + variant);
  for (int i = 0; i < 14; ++i) {  // fallen needles and leaves
    const int x = lcg.Below(kTile - 3), y = lcg.Below(kTile);
    const uint32_t c = lcg.Below(2) ? Rgb(110, 84, 44) : Rgb(40, 78, 34);
    p(x, y, c), p(x + 1, y, c), p(x + 2, y, c);
  }
}

inline void Dirt(const Paint& p, int variant) {
  Textured(p, Rgb(150, 112, 70), 14, 6, 300 + variant);
  Lcg lcg(310 + variant);
  for (int i = 0; i < 16; ++i) {  // pebbles with a lit top and a shaded bottom
    const int x = lcg.Below(kTile - 3), y = lcg.Below(kTile - 3);
    p(x, y, Rgb(190, 164, 128)), p(x + 1, y, Rgb(176, 150, 116));
    p(x, y + 1, Rgb(120, 92, 60)), p(x + 1, y + 1, Rgb(104, 80, 52));
  }
}

inline void Water(const Paint& p, int variant, bool deep) {
  const uint32_t base = deep ? Rgb(34, 84, 140) : Rgb(48, 112, 168);
  Textured(p, base, 12, 2, 400 + variant);
  Lcg lcg(410 + variant);
  for (int i = 0; i < 10; ++i) {  // ripples: short light strokes with a darker underline
    const int x = lcg.Below(kTile), y = lcg.Below(kTile - 1), len = 4 + lcg.Below(6);
    for (int k = 0; k < len; ++k) {
      p((x + k) % kTile, y, Shade(base, 48));
      p((x + k + 1) % kTile, y + 1, Shade(base, -14));
    }
  }
}

inline void Sand(const Paint& p, int variant) {
  Textured(p, Rgb(214, 192, 138), 10, 7, 500 + variant);
  Lcg lcg(510 + variant);
  for (int i = 0; i < 24; ++i) p(lcg.Below(kTile), lcg.Below(kTile), Rgb(170, 146, 100));
}

inline void StoneFloor(const Paint& p, int variant) {
  for (int y = 0; y < kTile; ++y) {
    const int course = y / 16, offset = course % 2 ? 16 : 0;
    for (int x = 0; x < kTile; ++x) {
      const int bx = (x + offset) / 32;
      const bool mortar = y % 16 == 15 || (x + offset) % 32 == 31;
      const int tone = static_cast<int>(Hash(bx, course, 600 + variant) % 24) - 12;
      uint32_t c = Shade(Rgb(150, 146, 136), tone + static_cast<int>(Hash(x, y, 601 + variant) % 9) - 4);
      if (y % 16 == 0 || (x + offset) % 32 == 0) c = Shade(c, 14);  // lit upper-left edge
      p(x, y, mortar ? Rgb(96, 92, 84) : c);
    }
  }
}

inline void Planks(const Paint& p, int variant) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const int plank = x / 16;
      const int tone = static_cast<int>(Hash(plank, variant, 700) % 20) - 10;
      uint32_t c = Shade(Rgb(139, 94, 52), tone + (ValueNoise(x * 4, y, 16, 16, 701 + plank) - 128) / 10);
      if (x % 16 == 15) c = Rgb(70, 44, 22);                                       // gap between planks
      if ((y == 6 || y == 57) && x % 16 >= 6 && x % 16 <= 8) c = Rgb(60, 60, 64);  // nails
      p(x, y, c);
    }
  }
}

inline void Field(const Paint& p, int variant) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const bool ridge = y % 8 < 4;
      uint32_t c = ridge ? Rgb(120, 86, 50) : Rgb(98, 68, 40);
      c = Shade(c, static_cast<int>(Hash(x, y, 800 + variant) % 11) - 5);
      if (ridge && (x + (y / 8) * 5 + variant * 3) % 8 < 2 && y % 8 < 3) c = Rgb(96, 160, 64);  // sprouts
      p(x, y, c);
    }
  }
}

inline void Marsh(const Paint& p, int variant) {
  Grass(p, 20 + variant, false, false);
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (ValueNoise(x, y, 16, 4, 900 + variant) > 150)
        p(x, y, Shade(Rgb(64, 110, 120), static_cast<int>(Hash(x, y, 901) % 7)));
    }
  }
}

// ---- Overlay tiles (on the key colour) --------------------------------------------------

// A round canopy lit from the upper left, its edge broken into leaf clusters.
inline void Canopy(const Paint& p, int cx, int cy, int r, uint32_t base, uint32_t seed) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const int dx = x - cx, dy = y - cy, d2 = dx * dx + dy * dy;
      const int edge = r - 3 + static_cast<int>(ValueNoise(x, y, 8, 8, seed) * 6 / 256);
      if (d2 > edge * edge) continue;
      const int light = (-dx - dy) * 40 / (2 * r) - d2 * 30 / (r * r);
      const int leaf = (ValueNoise(x, y, 4, 16, seed + 1) - 128) / 6;
      uint32_t c = Shade(base, light + leaf);
      if (d2 > (edge - 2) * (edge - 2)) c = Shade(base, -50);  // outline
      p(x, y, c);
    }
  }
}

inline void OakTree(const Paint& p, int variant) {
  for (int y = 46; y < 62; ++y) {
    for (int x = 28; x < 37; ++x) p(x, y, Shade(Rgb(104, 70, 40), (x - 28) * -4 + 10));
  }
  Canopy(p, 32, 28, 27 - variant, variant == 1 ? Rgb(72, 132, 54) : Rgb(60, 122, 48), 1000 + variant);
  Lcg lcg(1010 + variant);
  for (int i = 0; i < variant * 6; ++i) {  // fruit on the second variant, blossoms on the third
    const int x = 14 + lcg.Below(36), y = 12 + lcg.Below(30);
    p(x, y, variant == 1 ? Rgb(200, 50, 40) : Rgb(240, 210, 230));
  }
}

inline void PineTree(const Paint& p, int variant) {
  const uint32_t base = variant ? Rgb(40, 96, 60) : Rgb(34, 88, 52);
  for (int layer = 0; layer < 3; ++layer) {
    const int r = 28 - layer * 8;
    for (int y = 0; y < kTile; ++y) {
      for (int x = 0; x < kTile; ++x) {
        const int dx = x - 32, dy = y - 32, d2 = dx * dx + dy * dy;
        // Jagged rim: the radius shrinks between the needle tips, eight of them per ring.
        const int spike = static_cast<int>(
            Hash((dx * 8 / (std::abs(dx) + std::abs(dy) + 1)) + 9 * (dy > 0), layer, 1100 + variant) % 4);
        if (d2 > (r - spike) * (r - spike)) continue;
        p(x, y, Shade(base, layer * 16 + (-dx - dy) / 3 - (d2 > (r - spike - 2) * (r - spike - 2) ? 24 : 0)));
      }
    }
  }
}

inline void Bush(const Paint& p) {
  Canopy(p, 32, 34, 17, Rgb(70, 128, 56), 1200);
  Lcg lcg(1201);
  for (int i = 0; i < 7; ++i) p(22 + lcg.Below(20), 26 + lcg.Below(16), Rgb(170, 40, 60));
}

inline void Rock(const Paint& p, int variant) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const int dx = x - 32, dy = (y - 36) * 4 / 3;
      const int edge = 20 - variant * 4 + ValueNoise(x, y, 8, 8, 1300 + variant) * 6 / 256;
      const int d2 = dx * dx + dy * dy;
      if (d2 > edge * edge) continue;
      uint32_t c = Shade(Rgb(128, 126, 120), (-dx - dy) * 2 + static_cast<int>(Hash(x, y, 1301) % 9));
      if (d2 > (edge - 2) * (edge - 2)) c = Rgb(70, 68, 64);
      if ((x + y) % 13 == 0 && std::abs(dx) < edge / 2 && dy > 0) c = Rgb(92, 90, 86);  // crack
      p(x, y, c);
    }
  }
}

inline void Flowers(const Paint& p, int variant) {
  Lcg lcg(1400 + variant);
  const uint32_t colours[] = {Rgb(230, 70, 70), Rgb(250, 220, 80), Rgb(245, 245, 245), Rgb(150, 100, 220)};
  for (int i = 0; i < 11; ++i) {
    const int x = 4 + lcg.Below(56), y = 4 + lcg.Below(54);
    const uint32_t c = colours[(lcg.Below(4) + variant) % 4];
    p(x, y + 2, Rgb(50, 110, 40)), p(x, y + 3, Rgb(50, 110, 40));
    p(x, y, c), p(x - 1, y, c), p(x + 1, y, c), p(x, y - 1, c), p(x, y + 1, c);
    p(x, y, Rgb(250, 190, 50));
  }
}

// Roof shingles in rows; part 0 is the ridge row, 1 the middle, 2 the eave that casts a shadow.
inline void Roof(const Paint& p, int part) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const int row = y / 8, offset = row % 2 ? 6 : 0;
      uint32_t c = Shade(Rgb(164, 70, 48), static_cast<int>(Hash((x + offset) / 12, row, 1500) % 16) - 8 - part * 6);
      if (y % 8 == 7 || (x + offset) % 12 == 0) c = Rgb(104, 40, 28);
      if (part == 0 && y < 10) c = y < 3 ? Rgb(200, 110, 80) : Rgb(130, 52, 36);  // ridge beam
      if (part == 2 && y >= 56) c = Rgb(60, 30, 24);                              // eave shadow
      p(x, y, c);
    }
  }
}

// A timber-framed wall; kind 0 plain, 1 with a window, 2 with the door.
inline void Wall(const Paint& p, int kind) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      uint32_t c = Shade(Rgb(222, 210, 178), static_cast<int>(Hash(x, y, 1600) % 9) - 4);
      if (x < 5 || x >= 59 || y < 5 || y >= 58 || (kind == 0 && std::abs(x - y) < 3)) c = Rgb(92, 60, 36);
      if (kind == 1 && x >= 18 && x < 46 && y >= 16 && y < 42) {
        c = (x == 31 || x == 32 || y == 28 || y == 29 || x < 20 || x >= 44 || y < 18 || y >= 40)
                ? Rgb(92, 60, 36)
                : Mix(Rgb(120, 170, 200), Rgb(230, 240, 250), (x - y + 30) * 4);
      }
      if (kind == 2 && x >= 20 && x < 44 && y >= 14) {
        c = (x - 20) % 8 == 7 ? Rgb(70, 44, 24) : Shade(Rgb(128, 82, 44), static_cast<int>(Hash(x / 8, y, 1601) % 9));
        if (y < 17 || x < 22 || x >= 42) c = Rgb(70, 44, 24);
        if (x >= 37 && x < 40 && y >= 36 && y < 39) c = Rgb(220, 190, 80);  // handle
      }
      p(x, y, c);
    }
  }
}

// One quarter (0 top-left .. 3 bottom-right) of the round watchtower seen from above: a ring of
// battlements around a plank floor with a hatch.
inline void TowerQuarter(const Paint& p, int quarter) {
  const int ox = (quarter % 2) * kTile, oy = (quarter / 2) * kTile;
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const int wx = ox + x - 64, wy = oy + y - 64, d2 = wx * wx + wy * wy;
      if (d2 > 61 * 61) continue;
      uint32_t c;
      if (d2 > 46 * 46) {
        const bool merlon = ((std::abs(wx) + std::abs(wy)) / 10) % 2 == 0 || d2 < 52 * 52;
        c = Shade(Rgb(150, 144, 132),
                  (-wx - wy) / 4 + static_cast<int>(Hash(wx / 6, wy / 6, 1700) % 16) - (merlon ? 0 : 40));
        if (d2 > 59 * 59) c = Rgb(70, 66, 60);
      } else {
        c = Shade(Rgb(130, 90, 54), static_cast<int>(Hash((wx + 64) / 12, 0, 1701) % 16) - 8);
        if ((wx + 64) % 12 == 0) c = Rgb(80, 52, 30);
        if (std::abs(wx) < 10 && std::abs(wy) < 10)
          c = (std::abs(wx) > 7 || std::abs(wy) > 7) ? Rgb(60, 40, 24) : Rgb(30, 22, 16);
      }
      p(x, y, c);
    }
  }
}

inline void Fence(const Paint& p, bool vertical) {
  auto at = [&](int along, int across, uint32_t c) { vertical ? p(across, along, c) : p(along, across, c); };
  for (int a = 0; a < kTile; ++a) {
    for (int rail : {24, 38}) {
      at(a, rail, Rgb(150, 104, 60)), at(a, rail + 1, Rgb(130, 88, 50)), at(a, rail + 2, Rgb(90, 60, 34));
    }
  }
  for (int post : {6, 38}) {
    for (int a = post; a < post + 8; ++a) {
      for (int c = 18; c < 48; ++c) at(a, c, Shade(Rgb(120, 80, 44), (a - post) * -5 + 10));
    }
  }
}

inline void Crate(const Paint& p) {
  for (int y = 14; y < 54; ++y) {
    for (int x = 12; x < 52; ++x) {
      uint32_t c = Shade(Rgb(170, 124, 70), static_cast<int>(Hash(x, y / 8, 1800) % 12));
      if (x < 16 || x >= 48 || y < 18 || y >= 50 || std::abs((x - 12) - (y - 14)) < 3) c = Rgb(110, 74, 40);
      p(x, y, c);
    }
  }
}

inline void Barrel(const Paint& p) {
  Disc(p, 32, 34, 17, [](int dx, int dy, int d2) {
    if (d2 > 15 * 15) return Rgb(60, 60, 66);                // iron hoop
    if (d2 > 8 * 8 && d2 < 10 * 10) return Rgb(80, 80, 86);  // inner hoop
    return Shade(Rgb(140, 92, 50), (-dx - dy) * 2 + (dx % 5 == 0 ? -20 : 0));
  });
}

inline void Reeds(const Paint& p) {
  Lcg lcg(1900);
  for (int i = 0; i < 12; ++i) {
    const int x = 6 + lcg.Below(52), top = 8 + lcg.Below(24), bottom = top + 20 + lcg.Below(12);
    for (int y = top; y < bottom; ++y) p(x, y, Rgb(86, 130, 56));
    for (int y = top; y < top + 6; ++y) p(x, y, Rgb(110, 70, 40)), p(x + 1, y, Rgb(96, 60, 34));
  }
}

inline void Well(const Paint& p) {
  Disc(p, 32, 32, 24, [](int dx, int dy, int d2) {
    if (d2 < 14 * 14) return Shade(Rgb(24, 50, 90), d2 / 20);
    const uint32_t stone =
        Shade(Rgb(150, 146, 138), (-dx - dy) / 2 + static_cast<int>(Hash(dx / 5, dy / 5, 2000) % 20));
    return d2 > 23 * 23 || d2 < 16 * 16 ? Rgb(80, 76, 70) : stone;
  });
}

inline void Stump(const Paint& p) {
  Disc(p, 32, 36, 13, [](int, int, int d2) {
    if (d2 > 11 * 11) return Rgb(92, 62, 36);
    return (d2 / 12) % 3 == 0 ? Rgb(150, 110, 66) : Rgb(188, 148, 96);
  });
}

inline void LilyPads(const Paint& p) {
  Lcg lcg(2100);
  for (int i = 0; i < 4; ++i) {
    const int cx = 10 + lcg.Below(44), cy = 10 + lcg.Below(44), r = 5 + lcg.Below(4);
    Disc(p, cx, cy, r, [](int dx, int dy, int) {
      return (dx > 0 && std::abs(dy) <= dx / 2) ? kKey : Shade(Rgb(70, 140, 60), (-dx - dy) * 3);
    });
  }
}

}  // namespace demo_art
