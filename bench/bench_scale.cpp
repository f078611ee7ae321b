// Scale in its three resample modes: the game's own use (a 64 x 64 object icon halved for the
// inventory, nearest neighbour) and a 320 x 208 picture enlarged to 200 % and reduced to 50 %
// by each mode.
#include <benchmark/benchmark.h>

#include "gfx/bitmap_surface.h"

namespace {

void Fill(CBitmapSurface& s, int width, int height) {
  s.Create(width, height);
  for (int i = 0; i < width * height; ++i) s.Pixels()[i] = (static_cast<uint32_t>(i) * 0x9E3779B1u) & 0xFFFFFFu;
}

// Arguments: resample mode, width, height, percentage.
void BM_Scale(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  const int width = static_cast<int>(state.range(1)), height = static_cast<int>(state.range(2));
  const int percent = static_cast<int>(state.range(3));
  CBitmapSurface source, scaled;
  Fill(source, width, height);
  source.SetResampleMode(mode);
  int64_t pixels = 0;
  for (auto _ : state) {
    scaled.CreateCopy(source);
    scaled.Scale(percent, percent);
    pixels += static_cast<int64_t>(scaled.GetWidth()) * scaled.GetHeight();
    benchmark::DoNotOptimize(scaled.Pixels());
  }
  state.SetItemsProcessed(pixels);  // destination pixels
}
BENCHMARK(BM_Scale)
    ->ArgNames({"mode", "w", "h", "pct"})
    ->Args({0, 64, 64, 50})
    ->Args({0, 320, 208, 200})
    ->Args({1, 320, 208, 200})
    ->Args({2, 320, 208, 200})
    ->Args({0, 320, 208, 50})
    ->Args({1, 320, 208, 50})
    ->Args({2, 320, 208, 50});

}  // namespace
