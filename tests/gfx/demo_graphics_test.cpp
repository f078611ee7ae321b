// The demo project's system graphics as the engine loads them: sheet sizes that match the frame
// sizes the engine cuts them with, a transparent key-coloured border round every frame, a real
// drawing inside, animations whose frames differ, and icon shadows that fall to the lower right.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/bitmap_surface.h"

namespace {

constexpr uint32_t kKey = 0xBF7BC7;
constexpr uint32_t kShadowKey = 0x5F3D63;

struct SheetSpec {
  std::string path;  // under the demo project
  int frameWidth, frameHeight, frames;
  bool centred;  // drawn round the frame centre (the engine centres it on a point)
};

const std::vector<SheetSpec>& Sheets() {
  static const std::vector<SheetSpec> sheets = {
      {"Graphics/System/info_icon.bmp", 18, 18, 1, false},
      {"Graphics/Sprites_bots_units/alert_bot.bmp", 24, 24, 1, false},
      {"Graphics/System/pointer.bmp", 92, 91, 8, true},
      {"Graphics/System/action_symbol.bmp", 52, 74, 2, false},
      {"Graphics/System/Respawn_fx.bmp", 63, 63, 9, false},
  };
  return sheets;
}

struct FrameStats {
  int drawn = 0, shadow = 0;
  long long sumX = 0, sumY = 0, shadowX = 0, shadowY = 0;
  bool borderIsKey = true;
};

FrameStats Measure(const CBitmapSurface& sheet, int left, int width, int height) {
  FrameStats s;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = sheet.GetPixel(left + x, y);
      const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      if (border && p != kKey) s.borderIsKey = false;
      if (p == kShadowKey) {
        ++s.shadow, s.shadowX += x, s.shadowY += y;
      } else if (p != kKey) {
        ++s.drawn, s.sumX += x, s.sumY += y;
      }
    }
  }
  return s;
}

bool SameFrame(const CBitmapSurface& sheet, int a, int b, int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (sheet.GetPixel(a * width + x, y) != sheet.GetPixel(b * width + x, y)) return false;
    }
  }
  return true;
}

TEST(DemoSystemGraphics, EverySheetHasItsFrameSizesAKeyBorderAndADrawing) {
  for (const SheetSpec& layout : Sheets()) {
    SCOPED_TRACE(layout.path);
    CBitmapSurface sheet;
    ASSERT_TRUE(sheet.LoadFile(std::string(TL_SOURCE_DIR) + "/Projects/Demo/" + layout.path)) << sheet.LoadError();
    EXPECT_EQ(sheet.GetBitCount(), 24);
    ASSERT_EQ(sheet.GetWidth(), layout.frameWidth * layout.frames);
    ASSERT_EQ(sheet.GetHeight(), layout.frameHeight);
    for (int f = 0; f < layout.frames; ++f) {
      SCOPED_TRACE("frame " + std::to_string(f));
      const FrameStats s = Measure(sheet, f * layout.frameWidth, layout.frameWidth, layout.frameHeight);
      EXPECT_TRUE(s.borderIsKey) << "the key colour must surround the drawing";
      ASSERT_GE(s.drawn, 20);
      if (layout.centred) {
        EXPECT_NEAR(static_cast<double>(s.sumX) / s.drawn, (layout.frameWidth - 1) / 2.0, 1.5);
        EXPECT_NEAR(static_cast<double>(s.sumY) / s.drawn, (layout.frameHeight - 1) / 2.0, 1.5);
      }
      if (f > 0) {
        EXPECT_FALSE(SameFrame(sheet, f - 1, f, layout.frameWidth, layout.frameHeight)) << "a still animation";
      }
    }
  }
}

TEST(DemoSystemGraphics, IconsCastTheirShadowToTheLowerRight) {
  for (const SheetSpec& layout : Sheets()) {
    if (layout.frames != 1) continue;
    SCOPED_TRACE(layout.path);
    CBitmapSurface icon;
    ASSERT_TRUE(icon.LoadFile(std::string(TL_SOURCE_DIR) + "/Projects/Demo/" + layout.path));
    const FrameStats s = Measure(icon, 0, icon.GetWidth(), icon.GetHeight());
    ASSERT_GT(s.shadow, 0);
    ASSERT_GT(s.drawn, s.shadow) << "the badge must cover most of its shadow";
    EXPECT_GT(s.shadowX * s.drawn, s.sumX * s.shadow);
    EXPECT_GT(s.shadowY * s.drawn, s.sumY * s.shadow);
  }
}

}  // namespace
