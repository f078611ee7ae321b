// The player's orders end to end: a box dragged round the players and a far right click send
// them walking round what is in the way into formation; hostile input leaves a defined world.
// Every run is made twice and must give the same dump, trace and transcript.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "gfx/bitmap_surface.h"
#include "headless_runs.h"

namespace {

using e2e::Lines;
using e2e::Outputs;
using testing_support::TempDir;
using testing_support::UseDemoProject;

// The demo's four players stand round the plaza's well; the camera starts at (3456, 3680).
const std::string kDragAndSend =
    "100 ldown 350 190\n"
    "120 move 500 300\n"
    "140 move 700 470\n"
    "160 lup 700 470\n"
    "200 rdown 1200 300\n"
    "210 rup 1200 300\n";

class OrdersEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { UseDemoProject(dir_, "project_name=Demo\n"); }
  Outputs RunTwice(const std::string& input, const std::string& args) {
    dir_.Write("input.txt", input);
    const std::string all = "--input input.txt " + args;
    Outputs first = e2e::RunHeadless(dir_, all);
    e2e::ExpectSameRuns(first, e2e::RunHeadless(dir_, all));
    return first;
  }
  TempDir dir_;
};

TEST_F(OrdersEndToEnd, DraggedPlayersSentFarAwayWalkIntoFormationRoundTheWell) {
  const Outputs run = RunTwice(kDragAndSend, "--frames 600 --dump-every 500 trace.jsonl");
  const std::vector<nlohmann::json> lines = Lines(run.trace);
  ASSERT_EQ(lines.size(), 12u);
  const nlohmann::json dump = nlohmann::json::parse(run.dump);
  const nlohmann::json& players = dump["players"];
  ASSERT_EQ(players.size(), 4u);
  // Half a second in: all four picked, all walking, the marker centred on map (4656, 3980).
  EXPECT_EQ(lines[0]["selection"], players);
  EXPECT_EQ(lines[0]["pointer_marker"], (nlohmann::json{{"x", 4610}, {"y", 3935}, {"visible", true}}));
  bool anyDetour = false;
  for (const nlohmann::json& index : players) {
    const nlohmann::json& unit = lines[0]["units"][index.get<int>()];
    EXPECT_TRUE(unit["moving"]) << unit["name"];
    EXPECT_TRUE(unit["label_shown"]) << unit["name"];
    anyDetour = anyDetour || !unit["path"].empty();
  }
  EXPECT_TRUE(anyDetour) << "the well lies in somebody's way";
  // A 2 x 2 grid from the clicked point, one frame (63 pixels) apart; each arrives within a step.
  const int targets[4][2] = {{4656, 3980}, {4719, 3980}, {4656, 4058}, {4719, 4058}};
  for (int i = 0; i < 4; ++i) {
    const nlohmann::json& unit = dump["units"][players[i].get<int>()];
    EXPECT_FALSE(unit["moving"]) << i;
    EXPECT_TRUE(unit["selected"]) << i;
    EXPECT_EQ(unit["dest"], nlohmann::json::array({targets[i][0], targets[i][1]})) << i;
    EXPECT_LE(std::abs(unit["x"].get<int>() + 32 - targets[i][0]), 6) << i;
    EXPECT_LE(std::abs(unit["y"].get<int>() + 32 - targets[i][1]), 6) << i;
  }
  EXPECT_EQ(dump["drag"]["active"], false);
}

TEST_F(OrdersEndToEnd, AScreenshotMidWalkShowsEverySelectedPlayersBarAndLabel) {
  const Outputs run = RunTwice(kDragAndSend, "--frames 80 --screenshot mid.bmp");
  CBitmapSurface shot;
  ASSERT_TRUE(shot.LoadFile((dir_ / "mid.bmp").string()));
  const nlohmann::json dump = nlohmann::json::parse(run.dump);
  for (const nlohmann::json& index : dump["players"]) {
    const nlohmann::json& unit = dump["units"][index.get<int>()];
    const int sx = unit["x"].get<int>() - 3456, sy = unit["y"].get<int>() - 3680, w = unit["w"].get<int>();
    int barGreen = 0, labelYellow = 0;
    for (int x = sx; x < sx + w; ++x) {
      const uint32_t pixel = shot.GetPixel(x, sy - 8);
      if (((pixel >> 8) & 0xFF) > 0xA0 && (pixel >> 16) < 0x80) ++barGreen;
    }
    for (int y = sy - 30; y < sy - 11; ++y) {
      for (int x = sx; x < sx + w + 6; ++x) {
        const uint32_t pixel = shot.GetPixel(x, y);
        if ((pixel >> 16) > 0xB0 && ((pixel >> 8) & 0xFF) > 0xB0 && (pixel & 0xFF) < 0x60) ++labelYellow;
      }
    }
    // The green part of the health bar is the health's share of the bar inside its border.
    EXPECT_EQ(barGreen, unit["health"].get<int>() * (w - 2) / 100) << unit["name"];
    EXPECT_GT(labelYellow, 20) << unit["name"] << ": a name label";
  }
}

TEST_F(OrdersEndToEnd, ClicksOutsideTheWindowEmptyDragsBlockedTargetsAndFloodsAreHarmless) {
  std::string input =
      "100 ldown 5000 5000\n"   // outside the window and the map
      "110 lup 5000 5000\n"
      "120 ldown 416 256\n"     // a drag of zero size on the first player's centre
      "130 move 416 256\n"
      "140 lup 416 256\n"
      "150 rdown 70 20\n"       // a blocked cell in the well's corner of the map
      "160 rup 70 20\n";
  for (int i = 0; i < 3000; ++i) input += "200 move " + std::to_string(i % 1280) + " " + std::to_string(i % 832) + "\n";
  input += "200 ldown 10 10\n200 lup 10 10\n";
  const Outputs run = RunTwice(input, "--frames 300 --dump-every 50 trace.jsonl");
  const std::vector<nlohmann::json> lines = Lines(run.trace);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[2]["ms"], 150);
  const nlohmann::json dump = nlohmann::json::parse(run.dump);
  const int first = dump["players"][0].get<int>();
  EXPECT_EQ(lines[2]["selection"], nlohmann::json::array({first})) << "the empty box holds one centre";
  EXPECT_EQ(lines[3]["units"][first]["dest"], nlohmann::json::array({3456 + 70, 3680 + 20}));
  EXPECT_EQ(dump["selection"], nlohmann::json::array());
  for (const nlohmann::json& unit : dump["units"]) EXPECT_FALSE(unit["selected"]);
}

}  // namespace
