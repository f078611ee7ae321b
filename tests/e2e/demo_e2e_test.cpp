#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "gfx/bitmap_surface.h"
#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::RunTessaloom;
using testing_support::TempDir;
using testing_support::UseDemoProject;

class DemoEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { UseDemoProject(dir_, "project_name=Demo\n"); }
  nlohmann::json Run(const std::string& args, const std::string& input = "") {
    dir_.Write("input.txt", input);
    auto result = RunTessaloom(dir_.path(), "--headless --input input.txt --dump-state dump.json " + args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return nlohmann::json::parse(ReadText(dir_ / "dump.json"));
  }
  TempDir dir_;
};

TEST_F(DemoEndToEnd, ThePointerAtTheLeftEdgeScrollsTenPixelsAStep) {
  auto after100 = Run("--frames 100", "0 move 30 400\n");
  EXPECT_EQ(after100["camera"], nlohmann::json::array({3456 - 100 * 10, 3680}));
}

TEST_F(DemoEndToEnd, TheFKeyShowsTheFrameCounterAndTheHudListsMessages) {
  auto plain = Run("--frames 400 --screenshot plain.bmp");
  auto counted = Run("--frames 400 --screenshot fps.bmp --hud-message Welcome", "100 key F\n");
  EXPECT_FALSE(plain["fps_shown"]);
  EXPECT_TRUE(counted["fps_shown"]);
  ASSERT_EQ(counted["messages"].size(), 1u);
  EXPECT_EQ(counted["messages"][0]["text"], "Welcome");
  CBitmapSurface a, b;
  ASSERT_TRUE(a.LoadFile((dir_ / "plain.bmp").string()));
  ASSERT_TRUE(b.LoadFile((dir_ / "fps.bmp").string()));
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
