// The software blits against SDL2's own software blitter on the same pixels: a full frame of
// 64 x 64 map tiles (plain and colour-keyed) and a full-screen 60 % blend, plus a plain
// memcpy of a frame as the floor. All surfaces are 32-bit XRGB8888 in memory; no window.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "gfx/bitmap_surface.h"

namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 832;
constexpr int kTile = 64;
constexpr int kSetCols = 10;  // a 640 x 640 tileset of 100 tiles
constexpr uint32_t kKey = 0xBF7BC7;

// Our surface and an SDL surface holding the same picture.
struct Pair {
  CBitmapSurface ours;
  SDL_Surface* sdl = nullptr;
  Pair(int w, int h, uint32_t seed, bool keyed) {
    ours.Create(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y) {
      uint32_t* row = ours.RowTopDown(y);
      for (int x = 0; x < w; ++x) row[x] = (keyed && (x + y * 3) % 7 == 0) ? kKey : (rng() & 0xFFFFFF);
    }
    sdl = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
    for (int y = 0; y < h; ++y) {
      std::memcpy(static_cast<uint8_t*>(sdl->pixels) + static_cast<std::ptrdiff_t>(y) * sdl->pitch, ours.RowTopDown(y),
                  static_cast<std::size_t>(w) * 4);
    }
  }
  ~Pair() { SDL_FreeSurface(sdl); }
  Pair(const Pair&) = delete;
  Pair& operator=(const Pair&) = delete;
};

// Which tile lands on screen cell (col, row): a fixed scatter over the tileset.
int TileAt(int col, int row) { return (col * 7 + row * 13) % (kSetCols * kSetCols); }

constexpr int kCols = kScreenW / kTile;
constexpr int kRows = kScreenH / kTile;

void SetFrameBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * int64_t{kScreenW} * kScreenH * 4);
}

void BM_Memcpy(benchmark::State& state) {
  Pair src(kScreenW, kScreenH, 1, false), dst(kScreenW, kScreenH, 2, false);
  const std::size_t bytes = std::size_t{kScreenW} * kScreenH * 4;
  for (auto _ : state) {
    std::memcpy(dst.ours.Pixels(), src.ours.Pixels(), bytes);
    benchmark::ClobberMemory();
  }
  SetFrameBytes(state);
}

// Draws the whole tiled frame with `drawTile(col, row, tileX, tileY)`.
template <class F>
void DrawFrame(F&& drawTile) {
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      const int t = TileAt(col, row);
      drawTile(col * kTile, row * kTile, (t % kSetCols) * kTile, (t / kSetCols) * kTile);
    }
  }
}

void BM_DrawTiles(benchmark::State& state) {
  Pair set(kSetCols * kTile, kSetCols * kTile, 3, false), screen(kScreenW, kScreenH, 4, false);
  for (auto _ : state) {
    DrawFrame([&](int x, int y, int sx, int sy) { screen.ours.Draw(x, y, kTile, kTile, set.ours, sx, sy); });
    benchmark::ClobberMemory();
  }
  SetFrameBytes(state);
}

void SdlTiles(benchmark::State& state, bool keyed) {
  Pair set(kSetCols * kTile, kSetCols * kTile, 3, keyed), screen(kScreenW, kScreenH, 4, false);
  SDL_SetSurfaceBlendMode(set.sdl, SDL_BLENDMODE_NONE);
  if (keyed) SDL_SetColorKey(set.sdl, SDL_TRUE, kKey);
  for (auto _ : state) {
    DrawFrame([&](int x, int y, int sx, int sy) {
      SDL_Rect from{sx, sy, kTile, kTile};
      SDL_Rect to{x, y, kTile, kTile};
      SDL_BlitSurface(set.sdl, &from, screen.sdl, &to);
    });
    benchmark::ClobberMemory();
  }
  SetFrameBytes(state);
}

void BM_SdlBlitTiles(benchmark::State& state) { SdlTiles(state, false); }
void BM_SdlBlitTilesColorKey(benchmark::State& state) { SdlTiles(state, true); }

void BM_DrawKeyedTiles(benchmark::State& state) {
  Pair set(kSetCols * kTile, kSetCols * kTile, 3, true), screen(kScreenW, kScreenH, 4, false);
  for (auto _ : state) {
    DrawFrame([&](int x, int y, int sx, int sy) { screen.ours.DrawKeyed(x, y, kTile, kTile, set.ours, sx, sy, kKey); });
    benchmark::ClobberMemory();
  }
  SetFrameBytes(state);
}

void BM_DrawBlended60(benchmark::State& state) {
  Pair panel(kScreenW, kScreenH, 5, false), screen(kScreenW, kScreenH, 6, false);
  for (auto _ : state) {
    screen.ours.DrawBlended(0, 0, kScreenW, kScreenH, panel.ours, 0, 0, 60);
    benchmark::ClobberMemory();
  }
  SetFrameBytes(state);
}

void BM_SdlBlitAlpha60(benchmark::State& state) {
  Pair panel(kScreenW, kScreenH, 5, false), screen(kScreenW, kScreenH, 6, false);
  SDL_SetSurfaceBlendMode(panel.sdl, SDL_BLENDMODE_BLEND);
  SDL_SetSurfaceAlphaMod(panel.sdl, 153);  // 60 % of 255
  for (auto _ : state) {
    SDL_BlitSurface(panel.sdl, nullptr, screen.sdl, nullptr);
    benchmark::ClobberMemory();
  }
  SetFrameBytes(state);
}

}  // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_DrawTiles);
BENCHMARK(BM_SdlBlitTiles);
BENCHMARK(BM_DrawKeyedTiles);
BENCHMARK(BM_SdlBlitTilesColorKey);
BENCHMARK(BM_DrawBlended60);
BENCHMARK(BM_SdlBlitAlpha60);
