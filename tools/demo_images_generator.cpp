// Writes the demo project's story pictures, the ones its scripts show in the middle of the window:
//   Graphics/Images/valley_night.bmp   the opening: the flooded valley under the moon, the old
//                                      watchtower on its rock with one window lit
//   Graphics/Images/valley_dawn.bmp    the ending: the same valley at sunrise
// Both are 480 x 270 landscapes in a dark wooden frame with a thin gold line, painted from a
// few layers (sky, stars or sun, two mountain ridges, the water with its reflection, the tower).
// Integer arithmetic and our own generator only, so every machine writes the same bytes. Usage:
//   demo_images_generator [project folder]      (default Projects/Demo)

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "demo_map_art.h"
#include "gfx/bitmap_surface.h"

namespace {

using demo_art::Lcg;
using demo_art::Mix;
using demo_art::Rgb;

constexpr int kWidth = 480;
constexpr int kHeight = 270;
constexpr int kHorizon = 178;  // where the water begins
constexpr int kFrame = 6;      // wooden border, gold line inside it

struct Palette {
  uint32_t skyTop, skyHorizon;
  uint32_t light, glow;  // moon or sun, and the haze round it
  int lightX, lightY, lightRadius;
  bool stars;
  uint32_t farRidge, nearRidge;
  uint32_t waterTop, waterBottom;
  uint32_t tower, window;
};

// A ridge line: the height above the horizon at each column, from a few summed triangle waves
// with a seeded jitter, so the two ridges of a picture differ.
std::vector<int> Ridge(int base, int amplitude, uint32_t seed) {
  Lcg lcg(seed);
  struct Wave {
    int period, phase, weight;
  };
  std::vector<Wave> waves;
  for (int k = 0; k < 4; ++k) {
    waves.push_back({60 + static_cast<int>(lcg.Below(140)), static_cast<int>(lcg.Below(200)), 4 - k});
  }
  std::vector<int> heights(kWidth);
  for (int x = 0; x < kWidth; ++x) {
    int sum = 0, weights = 0;
    for (const Wave& w : waves) {
      const int t = (x + w.phase) % w.period;
      const int tri = 2 * std::min(t, w.period - t) * 100 / w.period;  // 0..100
      sum += tri * w.weight;
      weights += w.weight;
    }
    heights[static_cast<size_t>(x)] = base + amplitude * sum / (weights * 100) + static_cast<int>(lcg.Below(2));
  }
  return heights;
}

// The watchtower on its rock, left of the middle: a tapering shaft, crenellations, a lit window.
bool InTower(int x, int y, int& windowPart) {
  windowPart = 0;
  // The rock: a low dome, wider at the waterline.
  const int rockTop = kHorizon - 14;
  if (y >= rockTop && y < kHorizon) {
    const int dy = kHorizon - y;  // 1..14
    const int half = 52 - dy * dy / 5;
    if (x > 132 - half && x < 132 + half) return true;
  }
  const int top = 70, bottom = rockTop;
  if (y >= top && y < bottom) {
    const int half = 13 + (y - top) / 16;
    if (x >= 132 - half && x <= 132 + half) {
      if (x >= 129 && x <= 135 && y >= 92 && y <= 102) windowPart = 1;
      return true;
    }
  }
  if (y >= top - 9 && y < top) {  // crenellations
    const int dx = x - (132 - 15);
    if (dx >= 0 && dx <= 30 && (dx / 5) % 2 == 0) return true;
  }
  return false;
}

void Paint(const Palette& p, uint32_t seed, CBitmapSurface& picture) {
  picture.Create(kWidth, kHeight);
  const std::vector<int> far = Ridge(34, 46, seed);
  const std::vector<int> near = Ridge(10, 26, seed + 7);
  Lcg starSeed(seed + 13);
  std::vector<uint32_t> sky(static_cast<size_t>(kWidth * kHorizon));
  for (int y = 0; y < kHorizon; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint32_t c = Mix(p.skyTop, p.skyHorizon, y * 256 / kHorizon);
      const int dx = x - p.lightX, dy = y - p.lightY;
      const int d2 = dx * dx + dy * dy, r = p.lightRadius;
      if (d2 <= r * r) {
        c = p.light;
      } else if (d2 < 9 * r * r) {
        c = Mix(c, p.glow, 160 - 160 * (d2 - r * r) / (8 * r * r));
      }
      const int height = kHorizon - y;
      if (height <= near[static_cast<size_t>(x)]) {
        c = Mix(p.nearRidge, p.skyHorizon, height * 64 / 40);
      } else if (height <= far[static_cast<size_t>(x)]) {
        c = Mix(p.farRidge, p.skyHorizon, height * 96 / 90);
      }
      sky[static_cast<size_t>(y * kWidth + x)] = c;
    }
  }
  if (p.stars) {
    for (int k = 0; k < 90; ++k) {
      const int x = static_cast<int>(starSeed.Below(kWidth)), y = starSeed.Below(kHorizon - 60);
      const uint32_t here = sky[static_cast<size_t>(y * kWidth + x)];
      if (here == p.light) continue;
      sky[static_cast<size_t>(y * kWidth + x)] = Mix(here, Rgb(250, 246, 220), 120 + starSeed.Below(120));
    }
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint32_t c;
      if (y < kHorizon) {
        c = sky[static_cast<size_t>(y * kWidth + x)];
      } else {
        // The water mirrors the sky above the horizon, darkened, with rippled rows.
        const int depth = y - kHorizon;
        const int mirrorY = std::max(0, kHorizon - 1 - depth);
        const int ripple = ((depth * 7 + x / 9) % 5) - 2;
        const int mx = std::clamp(x + ripple * (1 + depth / 30), 0, kWidth - 1);
        const uint32_t mirrored = sky[static_cast<size_t>(mirrorY * kWidth + mx)];
        const uint32_t water = Mix(p.waterTop, p.waterBottom, depth * 256 / (kHeight - kHorizon));
        c = Mix(water, mirrored, depth % 6 == 0 ? 70 : 110);
        int window = 0;
        if (InTower(mx, mirrorY, window)) c = Mix(c, window ? p.window : p.tower, window ? 120 : 150);
        // The light's path on the water: broken dashes that widen toward the viewer.
        const int reach = 4 + depth / 3;
        if (std::abs(x - p.lightX) < reach && (x * 3 + depth * 5) % 11 < 3 && depth % 3 != 0) {
          c = Mix(c, p.glow, 150);
        }
      }
      int window = 0;
      if (y < kHorizon && InTower(x, y, window)) c = window ? p.window : p.tower;
      picture.SetPixel(x, y, c);
    }
  }
  // The frame: dark wood with a lighter grain line, then a thin gold line inside.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int edge = std::min(std::min(x, y), std::min(kWidth - 1 - x, kHeight - 1 - y));
      if (edge < kFrame) picture.SetPixel(x, y, edge == 2 ? Rgb(92, 62, 38) : Rgb(58, 38, 24));
      if (edge == kFrame) picture.SetPixel(x, y, Rgb(214, 176, 92));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path project = argc > 1 ? argv[1] : "Projects/Demo";
  const std::filesystem::path folder = project / "Graphics" / "Images";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const Palette night{Rgb(14, 18, 46),
                      Rgb(72, 70, 118),
                      Rgb(244, 238, 208),
                      Rgb(150, 150, 190),
                      372,
                      52,
                      17,
                      true,
                      Rgb(46, 48, 92),
                      Rgb(24, 30, 56),
                      Rgb(30, 44, 70),
                      Rgb(10, 16, 30),
                      Rgb(16, 14, 22),
                      Rgb(255, 206, 96)};
  const Palette dawn{Rgb(92, 128, 196),
                     Rgb(250, 196, 140),
                     Rgb(255, 244, 196),
                     Rgb(255, 200, 120),
                     330,
                     150,
                     20,
                     false,
                     Rgb(150, 118, 150),
                     Rgb(84, 70, 96),
                     Rgb(120, 120, 150),
                     Rgb(40, 52, 80),
                     Rgb(48, 36, 44),
                     Rgb(255, 236, 160)};
  const struct {
    const char* file;
    const Palette& palette;
    uint32_t seed;
  } pictures[] = {{"valley_night.bmp", night, 11}, {"valley_dawn.bmp", dawn, 11}};
  for (const auto& picture : pictures) {
    const std::filesystem::path path = folder / picture.file;
    CBitmapSurface surface;
    Paint(picture.palette, picture.seed, surface);
    if (!surface.SaveFile(path.string())) {
      std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
