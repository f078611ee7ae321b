// What a unit draws around its frame: the bars with their sizes and timing, the bubble with its
// line break and timer, the name label, the description on selection and the alert icon.
#include <gtest/gtest.h>

#include "support/test_world.h"
#include "unit_test_support.h"

namespace {

constexpr uint32_t kGround = 0x000000;
constexpr uint32_t kKey = 0xBF7BC7;

class UnitDrawing : public testing_support::HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    // A 64 x 64 frame all in the key colour: the body itself leaves the ground untouched.
    sheet_ = unittest::MakeSheet(64, 64, 1, 1);
    sheet_->Sheet().Clear(kKey);
    sheet_->SetColors(kKey, 0x0C0905);
    unit_ = unittest::MakeUnit(sheet_.get(), kUnitKindMobile, 100, 100);
    frame_.Create(400, 300);
  }
  // The face the game gives unit texts when config.ini names none.
  const std::string& Face() const { return config_.settings.fontNames[0]; }
  // One frame drawn on black with the camera at (cameraX, 0).
  void DrawAt(uint32_t now, int cameraX = 0) {
    frame_.Clear(kGround);
    const units::DrawContext context{{cameraX, 0}, {cameraX, 0, cameraX + 400, 300}, now, &alert_, Face(), {}};
    unit_->Draw(frame_, context);
  }
  // Pixels of a row, from x0 on for `count` pixels, lit only in the channel given.
  int CountRow(int y, int x0, int count, uint32_t channel) const {
    int n = 0;
    for (int x = x0; x < x0 + count; ++x) {
      const uint32_t pixel = frame_.GetPixel(x, y);
      n += (pixel & channel) != 0 && (pixel & ~channel & 0xFFFFFF) == 0;
    }
    return n;
  }
  // True when some pixel of the rectangle [x0, x1) x [y0, y1) is not the ground.
  bool HasInk(int x0, int y0, int x1, int y1) const {
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (frame_.GetPixel(x, y) != kGround) return true;
      }
    }
    return false;
  }

  std::unique_ptr<CGameSprite> sheet_;
  std::unique_ptr<CGameUnit> unit_;
  CBitmapSurface frame_;
  CBitmapSurface alert_;
};

TEST_F(UnitDrawing, ASelectedUnitAtHalfHealthShowsA64WideBarOf31GreenAnd31Red) {
  unit_->selected = true;
  unit_->SetHealth(50);
  DrawAt(1000, 20);
  // The unit's frame starts at screen (80, 100); the bar is 5 rows from y 90.
  const int top = 90, left = 80;
  EXPECT_EQ(CountRow(top + 2, left + 1, 31, 0x00FF00), 31);
  EXPECT_EQ(CountRow(top + 2, left + 32, 31, 0xFF0000), 31);
  EXPECT_FALSE(HasInk(left, top, left + 1, top + 5) || HasInk(left + 63, top, left + 65, top + 5))
      << "a black border, the frame's width";
  for (int y : {top - 1, top, top + 4, top + 5, top + 9}) EXPECT_FALSE(HasInk(0, y, 400, y + 1)) << y << ": no ammo";

  unit_->SetAmmo(100);
  DrawAt(1000, 20);
  EXPECT_EQ(CountRow(top + 7, left + 1, 62, 0x0000FF), 62) << "a full ammo bar 5 rows lower";
}

TEST_F(UnitDrawing, BarsAfterAHitStayTwoSecondsThenVanish) {
  unit_->SetHealth(100);
  unit_->barsShown = true;
  unit_->barsUntil = 3000;
  for (const uint32_t now : {2999u, 3000u}) {  // drawn once more as the time is reached
    DrawAt(now);
    EXPECT_EQ(CountRow(92, 101, 62, 0x00FF00), 62);
  }
  DrawAt(3001);
  EXPECT_FALSE(HasInk(0, 0, 400, 100));
}

TEST_F(UnitDrawing, ABackslashNBreaksTheBubbleIntoTwoLines) {
  unit_->SetBubbleText("one line", Face());
  const int oneLine = unit_->bubbleTextHeight;
  ASSERT_GT(oneLine, 0) << "the font must be available";
  unit_->SetBubbleText("first\\nsecond", Face());
  unit_->ShowBubble(true, 0, 0);
  DrawAt(10);
  EXPECT_EQ(unit_->bubble.GetHeight(), 2 * oneLine + 5);
  // The bubble's top-left lies 32 pixels above its own height over the unit.
  const int top = 100 - unit_->bubble.GetHeight() - 32;
  const int right = 100 + unit_->bubble.GetWidth();
  EXPECT_TRUE(HasInk(100, top, right, top + oneLine)) << "text of the first line";
  EXPECT_TRUE(HasInk(100, top + oneLine, right, top + 2 * oneLine)) << "text of the second line";
  EXPECT_FALSE(HasInk(0, 0, 400, top) || HasInk(0, top + 2 * oneLine + 5, 400, 100));
  unit_->SetBubbleText(std::string(1500, 'a'), Face());
  EXPECT_EQ(unit_->bubbleText.size(), CGameUnit::kLongTextMax);
}

TEST_F(UnitDrawing, ABubbleAndTheNameOfAnUnselectedUnitGoAfterThreeSeconds) {
  unit_->SetName("Mira");
  unit_->SetBubbleText("Hello", Face());
  unit_->dialogAnswer = 1;
  unit_->ShowBubble(true, 3000, 1000);
  DrawAt(4500, 1000);  // out of view the timers wait
  DrawAt(4000);
  EXPECT_TRUE(unit_->bubbleShown && unit_->labelShown);
  // The label sits 11 pixels above the frame, its left edge on the frame's.
  const int labelTop = 100 - 11 - unit_->label.GetHeight();
  EXPECT_TRUE(HasInk(100, labelTop, 100 + unit_->label.GetWidth(), 89));
  DrawAt(4001);
  EXPECT_FALSE(unit_->bubbleShown || unit_->labelShown);
  EXPECT_FALSE(HasInk(0, labelTop, 400, 89)) << "the bubble's last frame goes without the name";
  EXPECT_EQ(unit_->dialogAnswer, 0);
  DrawAt(4002);
  EXPECT_FALSE(HasInk(0, 0, 400, 100));
  // An empty text shows no bubble but still the name.
  unit_->SetBubbleText("", Face());
  unit_->ShowBubble(true, 0, 5000);
  DrawAt(5000);
  EXPECT_TRUE(unit_->labelShown);
}

TEST_F(UnitDrawing, SelectionShowsTheDescriptionAndDeselectionHidesIt) {
  unit_->description = "An old well";
  unit_->selected = true;
  unit_->descriptionPending = true;
  unit_->dialogAnswer = 1;
  DrawAt(100);
  EXPECT_TRUE(unit_->bubbleShown && unit_->descriptionShown);
  EXPECT_EQ(unit_->bubbleText, "An old well");
  EXPECT_EQ(unit_->dialogAnswer, 0);
  unit_->selected = false;
  DrawAt(200);
  EXPECT_FALSE(unit_->bubbleShown || unit_->descriptionShown);
}

TEST_F(UnitDrawing, TheAlertIconSitsCentredOnTopOfTheBotUntilItsTimePasses) {
  alert_.Create(20, 12);
  alert_.Clear(0xFFFFFF);
  unit_->isBot = true;
  unit_->alertIconUntil = 700;
  DrawAt(700);
  // 75 % white over black, from x 100 + 32 - 10 to 141, rows 88 .. 99.
  EXPECT_TRUE(frame_.GetPixel(122, 88) != kGround && frame_.GetPixel(141, 99) != kGround);
  EXPECT_FALSE(HasInk(0, 0, 122, 100) || HasInk(142, 0, 400, 100) || HasInk(0, 0, 400, 88) || HasInk(0, 100, 400, 300));
  DrawAt(701);
  EXPECT_EQ(unit_->alertIconUntil, 0u);
}

}  // namespace
