// The player's orders end to end: a box dragged round the players and a far right click send
// them walking round what is in the way into formation; hostile input leaves a defined world.
// Every run is made twice and must give the same dump, trace and transcript.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "headless_runs.h"

namespace {

using e2e::Lines;
using e2e::Outputs;
using testing_support::TempDir;
using testing_support::UseDemoWithoutStory;

class OrdersEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { UseDemoWithoutStory(dir_, "project_name=Demo\n"); }
  Outputs RunTwice(const std::string& input, const std::string& args) {
    dir_.Write("input.txt", input);
    return e2e::RunTwice(dir_, "--input input.txt " + args);
  }
  TempDir dir_;
};

TEST_F(OrdersEndToEnd, DraggedPlayersSentFarAwayWalkIntoFormationRoundTheWell) {
  // Three of the demo's players stand round the plaza's well (Elena is shut in the pen); the
  // camera starts at (3456, 3680).
  const Outputs run = RunTwice(
      "100 ldown 350 190\n120 move 500 300\n140 move 700 470\n160 lup 700 470\n"
      "200 rdown 1200 300\n210 rup 1200 300\n",
      "--frames 600 --dump-every 500 trace.jsonl");
  const std::vector<nlohmann::json> lines = Lines(run.trace);
  ASSERT_EQ(lines.size(), 12u);
  const nlohmann::json dump = nlohmann::json::parse(run.dump);
  const nlohmann::json& players = dump["players"];
  ASSERT_EQ(players.size(), 4u);
  const nlohmann::json squad = {players[0], players[1], players[2]};
  // Half a second in: the three picked, all walking, the marker centred on map (4656, 3980).
  EXPECT_EQ(lines[0]["selection"], squad);
  EXPECT_EQ(lines[0]["pointer_marker"], (nlohmann::json{{"x", 4610}, {"y", 3935}, {"visible", true}}));
  bool anyDetour = false;
  for (const nlohmann::json& index : squad) {
    const nlohmann::json& unit = lines[0]["units"][index.get<int>()];
    EXPECT_TRUE(unit["moving"]) << unit["name"];
    EXPECT_TRUE(unit["label_shown"]) << unit["name"];
    anyDetour = anyDetour || !unit["path"].empty();
  }
  EXPECT_TRUE(anyDetour) << "the well lies in somebody's way";
  // One column of three, laid across as a row this time, one frame (63 pixels) apart from the
  // clicked point; each arrives within a step. Elena, outside the box, stays put.
  const int targets[3][2] = {{4656, 3980}, {4719, 3980}, {4782, 3980}};
  for (int i = 0; i < 3; ++i) {
    const nlohmann::json& unit = dump["units"][players[i].get<int>()];
    EXPECT_FALSE(unit["moving"]) << i;
    EXPECT_TRUE(unit["selected"]) << i;
    EXPECT_EQ(unit["dest"], nlohmann::json::array({targets[i][0], targets[i][1]})) << i;
    EXPECT_LE(std::abs(unit["x"].get<int>() + 32 - targets[i][0]), 6) << i;
    EXPECT_LE(std::abs(unit["y"].get<int>() + 32 - targets[i][1]), 6) << i;
  }
  const nlohmann::json& elena = dump["units"][players[3].get<int>()];
  EXPECT_FALSE(elena["selected"]);
  EXPECT_FALSE(elena["moving"]);
  EXPECT_EQ(dump["drag"]["active"], false);
}

TEST_F(OrdersEndToEnd, ClicksOutsideTheWindowEmptyDragsBlockedTargetsAndFloodsAreHarmless) {
  std::string input =
      "100 ldown 5000 5000\n110 lup 5000 5000\n"                // outside the window and the map
      "120 ldown 416 256\n130 move 416 256\n140 lup 416 256\n"  // a drag of zero size on a player's centre
      "150 rdown 70 20\n160 rup 70 20\n";                       // a blocked cell in the well's corner
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
