#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "gfx/bitmap_surface.h"
#include "headless_runs.h"

namespace {

TEST(DemoEndToEnd, TheFKeyShowsTheFrameCounterAndTheHudListsMessages) {
  testing_support::TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  dir.Write("input.txt", "100 key F\n");
  auto plain = nlohmann::json::parse(e2e::RunHeadless(dir, "--frames 400 --screenshot plain.bmp").dump);
  auto counted = nlohmann::json::parse(
      e2e::RunHeadless(dir, "--input input.txt --frames 400 --screenshot fps.bmp --hud-message Welcome").dump);
  EXPECT_FALSE(plain.at("fps_shown"));
  EXPECT_TRUE(counted.at("fps_shown"));
  ASSERT_EQ(counted.at("messages").size(), 1u);
  EXPECT_EQ(counted.at("messages").at(0).at("text"), "Welcome");
  CBitmapSurface a, b;
  ASSERT_TRUE(a.LoadFile((dir / "plain.bmp").string()));
  ASSERT_TRUE(b.LoadFile((dir / "fps.bmp").string()));
  ASSERT_EQ(std::make_pair(a.GetWidth(), a.GetHeight()), std::make_pair(1280, 832));
  int changedInPanel = 0, changedOutside = 0, black = 0;
  for (int y = 0; y < 832; ++y) {
    for (int x = 0; x < 1280; ++x) {
      black += a.GetPixel(x, y) == 0;
      bool changed = a.GetPixel(x, y) != b.GetPixel(x, y);
      bool inPanel = x >= 5 && x < 85 && y >= 5 && y < 27;
      bool inMessages = y > 600;  // the message panel sits at the bottom
      (inPanel ? changedInPanel : changedOutside) += changed && !inMessages;
    }
  }
  EXPECT_LT(black, 6400) << "the map should fill the frame";
  EXPECT_GT(changedInPanel, 200);
  EXPECT_EQ(changedOutside, 0);
}

}  // namespace
