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
using nlohmann::json;
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
  const Outputs run = RunTwice(e2e::kBoxRoundThePlaza + "200 rdown 1200 300\n210 rup 1200 300\n",
                               "--frames 600 --dump-every 500 trace.jsonl");
  const std::vector<json> lines = Lines(run.trace);
  ASSERT_EQ(lines.size(), 12u);
  const json dump = json::parse(run.dump);
  const json& players = dump.at("players");
  ASSERT_EQ(players.size(), 4u);
  const json squad = {players[0], players[1], players[2]};
  // Half a second in: the three picked, all walking, the marker centred on map (4656, 3980).
  EXPECT_EQ(lines[0].at("selection"), squad);
  EXPECT_EQ(lines[0].at("pointer_marker"), (json{{"x", 4610}, {"y", 3935}, {"visible", true}}));
  bool anyDetour = false;
  for (const json& index : squad) {
    const json& unit = lines[0].at("units").at(index.get<int>());
    EXPECT_TRUE(unit.at("moving")) << unit.at("name");
    EXPECT_TRUE(unit.at("label_shown")) << unit.at("name");
    anyDetour = anyDetour || !unit.at("path").empty();
  }
  EXPECT_TRUE(anyDetour) << "the well lies in somebody's way";
  // One column of three, laid across as a row this time, one frame (63 pixels) apart from the
  // clicked point; each arrives within a step. Elena, outside the box, stays put.
  const int targets[3][2] = {{4656, 3980}, {4719, 3980}, {4782, 3980}};
  for (int i = 0; i < 3; ++i) {
    const json& unit = dump.at("units").at(players[i].get<int>());
    EXPECT_FALSE(unit.at("moving")) << i;
    EXPECT_TRUE(unit.at("selected")) << i;
    EXPECT_EQ(unit.at("dest"), json::array({targets[i][0], targets[i][1]})) << i;
    EXPECT_LE(std::abs(unit.at("x").get<int>() + 32 - targets[i][0]), 6) << i;
    EXPECT_LE(std::abs(unit.at("y").get<int>() + 32 - targets[i][1]), 6) << i;
  }
  const json& elena = dump.at("units").at(players[3].get<int>());
  EXPECT_FALSE(elena.at("selected"));
  EXPECT_FALSE(elena.at("moving"));
  EXPECT_EQ(dump.at("drag").at("active"), false);
}

TEST_F(OrdersEndToEnd, ClicksOutsideTheWindowEmptyDragsBlockedTargetsAndFloodsAreHarmless) {
  std::string input =
      "100 ldown 5000 5000\n110 lup 5000 5000\n"                // outside the window and the map
      "120 ldown 416 256\n130 move 416 256\n140 lup 416 256\n"  // a drag of zero size on a player's centre
      "150 rdown 70 20\n160 rup 70 20\n";                       // a blocked cell in the well's corner
  for (int i = 0; i < 3000; ++i) input += "200 move " + std::to_string(i % 1280) + " " + std::to_string(i % 832) + "\n";
  input += "200 ldown 10 10\n200 lup 10 10\n";
  const Outputs run = RunTwice(input, "--frames 300 --dump-every 50 trace.jsonl");
  const std::vector<json> lines = Lines(run.trace);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[2].at("ms"), 150);
  const json dump = json::parse(run.dump);
  const int first = dump.at("players").at(0);
  EXPECT_EQ(lines[2].at("selection"), json::array({first})) << "the empty box holds one centre";
  EXPECT_EQ(lines[3].at("units").at(first).at("dest"), json::array({3456 + 70, 3680 + 20}));
  EXPECT_EQ(dump.at("selection"), json::array());
  for (const json& unit : dump.at("units")) EXPECT_FALSE(unit.at("selected"));
}

}  // namespace
