// The demo project's system graphics as the engine cuts them into frames: a key-coloured border
// round every frame, a drawing inside, animation frames that differ and a centred pointer.
#include <gtest/gtest.h>

#include <string>

#include "gfx/bitmap_surface.h"

namespace {

TEST(DemoSystemGraphics, SheetsHaveTheirFrameSizesAKeyBorderAndADrawing) {
  struct Sheet { const char* path; int frameWidth, frameHeight, frames; bool centred; };
  const Sheet sheets[] = {
      {"Graphics/System/info_icon.bmp", 18, 18, 1, false}, {"Graphics/Sprites_bots_units/alert_bot.bmp", 24, 24, 1, false},
      {"Graphics/System/pointer.bmp", 92, 91, 8, true},    {"Graphics/System/action_symbol.bmp", 52, 74, 2, false},
      {"Graphics/System/Respawn_fx.bmp", 63, 63, 9, false},
  };
  for (const auto& [path, fw, fh, frames, centred] : sheets) {
    CBitmapSurface s;
    ASSERT_TRUE(s.LoadFile(std::string(TL_SOURCE_DIR) + "/Projects/Demo/" + path)) << path << ": " << s.LoadError();
    ASSERT_EQ(std::make_pair(s.GetWidth(), s.GetHeight()), std::make_pair(fw * frames, fh)) << path;
    for (int f = 0; f < frames; ++f) {
      int drawn = 0, differs = 0, keyBorder = 0;
      double sumX = 0, sumY = 0;
      for (int i = 0; i < fw * fh; ++i) {
        const int x = i % fw, y = i / fw;
        const uint32_t p = s.GetPixel(f * fw + x, y);
        if (x == 0 || y == 0 || x == fw - 1 || y == fh - 1) keyBorder += p == 0xBF7BC7;
        else if (p != 0xBF7BC7) ++drawn, sumX += x, sumY += y;
        differs += f > 0 && p != s.GetPixel((f - 1) * fw + x, y);
      }
      EXPECT_EQ(keyBorder, 2 * (fw + fh) - 4) << path << " frame " << f;
      ASSERT_GE(drawn, 20) << path << " frame " << f;
      EXPECT_TRUE(f == 0 || differs > 0) << path << " frame " << f << " repeats the one before";
      if (centred) {
        EXPECT_NEAR(sumX / drawn, (fw - 1) / 2.0, 1.5) << path;
        EXPECT_NEAR(sumY / drawn, (fh - 1) / 2.0, 1.5) << path;
      }
    }
  }
}

}  // namespace
