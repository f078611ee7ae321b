// Text drawing and measuring as the game uses them: a 100-character HUD line in font 0
// ("Courier New", 10 pt bold) drawn onto the 1280 x 832 back buffer and onto a panel, a large
// 50 pt title, and the cost of a font's first use (every glyph rendered by FreeType).
#include <benchmark/benchmark.h>

#include <string>

#include "gfx/bitmap_surface.h"
#include "platform/fonts.h"

namespace {

constexpr char kFace[] = "Courier New";
constexpr int kPoints = 10;

// 100 printable characters, a mix of letters, digits, punctuation and spaces.
std::string HundredCharacters() {
  const std::string sample = "Player 1 picked up the Golden Key (12/12) - 4500 pts; ";
  std::string text;
  while (text.size() < 100) text += sample;
  text.resize(100);
  return text;
}

void SetCharacters(benchmark::State& state, std::size_t perIteration) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(perIteration));
}

void BM_DrawText100OnBackBuffer(benchmark::State& state) {
  CBitmapSurface surface;
  surface.Create(1280, 832);
  surface.Clear(0x203040);
  const std::string text = HundredCharacters();
  for (auto _ : state) {
    surface.DrawText(16, 400, text.c_str(), 0xFFFFFF, 100, kFace, kPoints, true, false);
    benchmark::ClobberMemory();
  }
  SetCharacters(state, text.size());
}
BENCHMARK(BM_DrawText100OnBackBuffer);

// A HUD panel just large enough for the line, the way the game draws messages.
void BM_DrawText100OnPanel(benchmark::State& state) {
  const std::string text = HundredCharacters();
  CBitmapSurface measure;
  measure.Create(1, 1);
  const auto needed = measure.MeasureText(text.c_str(), kFace, kPoints, true, false);
  CBitmapSurface panel;
  panel.Create(needed.first, needed.second);
  panel.Clear(0x000000);
  for (auto _ : state) {
    panel.DrawText(0, 0, text.c_str(), 0x32A6D6, 100, kFace, kPoints, true, false);
    benchmark::ClobberMemory();
  }
  SetCharacters(state, text.size());
}
BENCHMARK(BM_DrawText100OnPanel);

void BM_MeasureText100(benchmark::State& state) {
  CBitmapSurface surface;
  surface.Create(1, 1);
  const std::string text = HundredCharacters();
  for (auto _ : state) {
    benchmark::DoNotOptimize(surface.MeasureText(text.c_str(), kFace, kPoints, true, false));
  }
  SetCharacters(state, text.size());
}
BENCHMARK(BM_MeasureText100);

// A large screen text (font 2, 50 pt bold) across the back buffer.
void BM_DrawTitle50pt(benchmark::State& state) {
  CBitmapSurface surface;
  surface.Create(1280, 832);
  surface.Clear(0x203040);
  const std::string text = "GAME OVER - You win!";
  for (auto _ : state) {
    surface.DrawText(100, 300, text.c_str(), 0xFF0000, 100, kFace, 50, true, false);
    benchmark::ClobberMemory();
  }
  SetCharacters(state, text.size());
}
BENCHMARK(BM_DrawTitle50pt);

// First use of a font: face lookup, FreeType set-up and every glyph of the line rendered.
void BM_DrawText100ColdFontCache(benchmark::State& state) {
  CBitmapSurface surface;
  surface.Create(1280, 832);
  const std::string text = HundredCharacters();
  for (auto _ : state) {
    platform::fonts::ResetFonts();
    surface.DrawText(16, 400, text.c_str(), 0xFFFFFF, 100, kFace, kPoints, true, false);
    benchmark::ClobberMemory();
  }
  SetCharacters(state, text.size());
}
BENCHMARK(BM_DrawText100ColdFontCache);

}  // namespace
