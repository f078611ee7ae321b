// Sprite sheets cut into frames, and the five animation modes on the engine's tick.
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "support/test_world.h"
#include "unit_test_support.h"

namespace {

using unittest::MakeSheet;
using unittest::MakeUnit;

TEST(SpriteSheet, FramesAreNumberedRowByRowAndOnlyWholeFramesCount) {
  const struct {
    int sheetW, sheetH, frameW, frameH, frame;
    bool inside;
    int sx, sy, count;
  } cases[] = {
      {256, 128, 64, 64, 5, true, 64, 64, 8}, {256, 128, 64, 64, 8, false, 0, 0, 8},
      {256, 128, 64, 64, -1, false, 0, 0, 8}, {100, 70, 64, 64, 0, true, 0, 0, 1},
      {30, 30, 64, 64, 0, false, 0, 0, 0},  // smaller than one frame: no frames at all
      {3, 2, 0, -5, 5, true, 2, 1, 6},      // sizes below 1 become 1
  };
  for (const auto& c : cases) {
    CGameSprite sprite;
    sprite.Sheet().Create(c.sheetW, c.sheetH);
    sprite.SetFrameSize(c.frameW, c.frameH);
    EXPECT_EQ(sprite.FrameCount(), c.count);
    CGameSprite::SourceArea source;
    ASSERT_EQ(sprite.FrameSource(c.frame, source), c.inside) << c.frame;
    if (c.inside) {
      EXPECT_EQ(std::make_pair(source.x, source.y), std::make_pair(c.sx, c.sy));
    }
  }
  CGameSprite huge;  // sides far beyond any sheet are held at the size bound, and give no frames
  huge.Sheet().Create(30, 30);
  huge.SetFrameSize(INT32_MAX, INT32_MIN);
  EXPECT_EQ(std::make_tuple(huge.FrameWidth(), huge.FrameHeight(), huge.FrameCount()),
            std::make_tuple(units::kSizeLimit, 1, 0));
}

class SpriteFile : public testing_support::HeadlessWorld {};

TEST_F(SpriteFile, LoadsABitmapAndDrawsWholeFramesWithKeyAndShadow) {
  // Two 4 x 4 frames: red with a key pixel and a shadow pixel, then blue.
  CBitmapSurface picture;
  picture.Create(8, 4);
  picture.Clear(0xFF0000);
  picture.SetPixel(0, 0, 0xBF7BC7);
  picture.SetPixel(1, 0, 0x0C0905);
  picture.SetPixel(4, 0, 0x0000FF);
  ASSERT_TRUE(picture.SaveFile("sheet.bmp"));
  CGameSprite sprite;
  EXPECT_FALSE(sprite.Load("missing.bmp", 4, 4, 0xBF7BC7, 0x0C0905));
  ASSERT_TRUE(sprite.Load("sheet.bmp", 4, 4, 0xBF7BC7, 0x0C0905));
  CBitmapSurface ground;
  ground.Create(10, 10);
  ground.Clear(0x00FF00);
  sprite.DrawFrame(ground, 1, 1, 0);
  sprite.DrawFrame(ground, 5, 5, 1);
  sprite.DrawFrame(ground, 0, 0, 2);  // beyond the sheet: nothing
  // The key colour is not drawn, the shadow darkens the ground.
  const std::vector<uint32_t> seen = {ground.GetPixel(0, 0), ground.GetPixel(1, 1), ground.GetPixel(5, 5),
                                      ground.GetPixel(6, 5)};
  EXPECT_EQ(seen, (std::vector<uint32_t>{0x00FF00, 0x00FF00, 0x0000FF, 0xFF0000}));
  EXPECT_TRUE(ground.GetPixel(2, 1) != 0x00FF00u && ground.GetPixel(2, 1) != 0x0C0905u);
}

// Runs animation steps 10 ms apart and lists the frame after each (-1 once hidden).
std::vector<int> Frames(CGameUnit& unit, int steps, std::vector<int>* opacities = nullptr) {
  std::vector<int> frames;
  for (uint32_t now = 1010; steps-- > 0; now += 10) {
    unit.AnimationStep(now);
    frames.push_back(unit.IsVisible() ? unit.Frame() : -1);
    if (opacities != nullptr) opacities->push_back(unit.opacity);
  }
  return frames;
}

TEST(UnitAnimation, EachModeStepsItsOwnFrameSequence) {
  auto sprite = MakeSheet(8, 8, 4, 4);
  const struct {
    int first, last, mode;
    std::vector<int> frames;
  } cases[] = {
      {8, 10, units::kAnimLoop, {9, 10, 8, 9, 10, 8}},
      {0, 3, units::kAnimPlayOnceHide, {1, 2, 3, -1, -1, -1}},
      {2, 4, units::kAnimPlayOnce, {3, 4, 4, 4, 4, 4}},
      {5, 7, units::kAnimHold, {5, 5, 5, 5, 5, 5}},
      {9, 4, units::kAnimLoop, {9, 9, 9, 9, 9, 9}},  // written backwards: its first frame alone
      {1, 3, 7, {1, 1, 1, 1, 1, 1}},                 // a mode no rule knows holds
  };
  for (const auto& c : cases) {
    auto unit = MakeUnit(sprite.get());
    unit->AddAnimation("Default", c.first, c.last, c.first);
    unit->SetAnimation("Default", c.mode, 1000);
    EXPECT_EQ(Frames(*unit, 6), c.frames) << "mode " << c.mode << " over " << c.first << ".." << c.last;
    if (c.mode == units::kAnimPlayOnceHide) {
      EXPECT_EQ(unit->Frame(), 0) << "hidden back on the first frame";
    }
  }
}

TEST(UnitAnimation, PlayAndFadeLowersTheOpacityAndHidesOnTheLastFrame) {
  auto sprite = MakeSheet(8, 8, 14, 1);
  auto unit = MakeUnit(sprite.get(), kUnitKindEffect);
  unit->respawnEnabled = true;
  unit->respawnTime = 500;
  unit->AddAnimation("Default", 0, 13, 0);
  unit->SetAnimation("Default", units::kAnimPlayAndFade, 1000);
  std::vector<int> opacities;
  const std::vector<int> frames = Frames(*unit, 14, &opacities);
  std::vector<int> expected;
  for (int current = 1; current <= 13; ++current) expected.push_back(100 - current * 100 / 13);
  expected.push_back(0);  // a hidden unit no longer fades
  EXPECT_EQ(opacities, expected);
  EXPECT_EQ(std::vector<int>(frames.begin() + 11, frames.end()), (std::vector<int>{12, -1, -1})) << "hidden on 13";
  EXPECT_EQ(unit->respawnDue, 1000u + 130 + 500) << "hiding goes through the setter";

  // One frame has nothing to fade through: it counts as faded out at the first step.
  unit = MakeUnit(sprite.get(), kUnitKindEffect);
  unit->AddAnimation("Default", 4, 4, 4);
  unit->SetAnimation("Default", units::kAnimPlayAndFade, 1000);
  EXPECT_EQ(Frames(*unit, 1), (std::vector<int>{-1}));
}

TEST(UnitAnimation, TheFrameTimeIsAMinimumOnTheTick) {
  auto sprite = MakeSheet(8, 8, 4, 1);
  auto unit = MakeUnit(sprite.get());
  unit->SetAnimationTime(-100);  // stored as 100
  unit->AddAnimation("Default", 0, 3, 0);
  unit->SetAnimation("Default", units::kAnimLoop, 1000);
  std::vector<int> expected;  // steps at 1010 .. 1400: changes at 1110, 1220, 1330
  for (int i = 0; i < 40; ++i) expected.push_back(i < 10 ? 0 : i < 21 ? 1 : i < 32 ? 2 : 3);
  EXPECT_EQ(Frames(*unit, 40), expected) << "at least 101 ms apart";
}

TEST(UnitAnimation, RecordsAreFoundByTheirWholeNameAndStartsAreClamped) {
  auto sprite = MakeSheet(8, 8, 8, 3);
  auto unit = MakeUnit(sprite.get());
  unittest::AddWalkAnimations(*unit);
  EXPECT_EQ(unit->FindAnimation("LeftUp"), 3);
  EXPECT_EQ(unit->FindAnimation("Left"), 7);
  EXPECT_EQ(unit->FindAnimation("Lef"), -1);

  const struct {
    int first, last, start, storedStart;
  } cases[] = {{0, 2, 9, 2}, {0, 2, -1, 1}, {4, 8, 1, 4}, {6, 3, 5, 6}, {-5, -7, 6, 6}};
  for (const auto& c : cases) {
    unit->AddAnimation("Case", c.first, c.last, c.start);
    EXPECT_EQ(unit->Animations().back().start, c.storedStart) << c.first << ".." << c.last << " start " << c.start;
  }
  EXPECT_EQ(unit->Animations().back().last, 7);
}

TEST(UnitAnimation, AnUnknownNameKeepsTheAnimationButTakesTheTime) {
  auto sprite = MakeSheet(8, 8, 8, 1);
  auto unit = MakeUnit(sprite.get());
  unit->AddAnimation("Default", 2, 5, 3);
  unit->SetAnimation("Default", units::kAnimLoop, 1000);
  unit->AnimationStep(1010);
  unit->SetAnimation("Missing", units::kAnimHold, 2000);
  EXPECT_EQ(unit->AnimationState().lastTick, 2000u);
  unit->AnimationStep(2010);
  EXPECT_EQ(unit->Frame(), 4) << "still looping";
  CGameUnit bare;  // no sprite: every animation call is ignored
  bare.AddAnimation("Default", 0, 3, 0);
  bare.SetAnimation("Default", units::kAnimLoop, 100);
  bare.Update(600);
  EXPECT_TRUE(bare.Animations().empty());
}

}  // namespace
