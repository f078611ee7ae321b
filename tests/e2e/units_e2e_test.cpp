// Stand-in players walk across the demo map; the periodic state lines trace their steps. The
// run is made twice: dump, trace and transcript must match byte for byte.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "headless_runs.h"
#include "support/dump_units.h"

namespace {

using e2e::Lines;
using e2e::Outputs;
using testing_support::TempDir;
using testing_support::UnitNamed;
using testing_support::UseDemoProject;

class UnitsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { UseDemoProject(dir_, "project_name=Demo\n"); }
  TempDir dir_;
};

TEST_F(UnitsEndToEnd, StandInPlayersWalkToTheirTargetsStepByStep) {
  // One walks right 5 pixels a step from centre (3716, 3916) to x 3900; the other up from
  // (3716, 4016) to y 3800.
  const std::string args =
      "--frames 60 --dump-every 100 trace.jsonl --test-unit 3700,3900,3900,3916,5 --test-unit 3700,4000,3716,3800,5";
  const Outputs first = e2e::RunTwice(dir_, args);

  const std::vector<nlohmann::json> lines = Lines(first.trace);
  ASSERT_EQ(lines.size(), 6u) << "one line per 100 ms of the 600 ms run";
  const struct {
    int ms, rightX, upY;
    bool moving;
    int frame;
  } expected[] = {{100, 3750, 3950, true, 13},  {200, 3800, 3900, true, 12},  {300, 3850, 3850, true, 13},
                  {400, 3880, 3800, false, 12}, {500, 3880, 3785, false, 12}, {600, 3880, 3785, false, 12}};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const nlohmann::json& line = lines[i];
    // The stand-ins come after the demo's own cast, as the last two players.
    const nlohmann::json right = UnitNamed(line["units"], "test_unit_1");
    const nlohmann::json up = UnitNamed(line["units"], "test_unit_2");
    const nlohmann::json& players = line["players"];
    ASSERT_GE(players.size(), 2u);
    EXPECT_EQ(players[players.size() - 2], right["index"]);
    EXPECT_EQ(players[players.size() - 1], up["index"]);
    EXPECT_EQ(right["x"], expected[i].rightX) << expected[i].ms;
    EXPECT_EQ(right["y"], 3900);
    EXPECT_EQ(right["moving"], expected[i].moving);
    EXPECT_EQ(right["animation"], "Right");
    EXPECT_EQ(right["frame"], expected[i].frame);
    EXPECT_EQ(up["y"], expected[i].upY) << expected[i].ms;
    EXPECT_EQ(up["animation"], "Up");
  }
  const nlohmann::json dump = nlohmann::json::parse(first.dump);
  EXPECT_EQ(dump["units"], lines.back()["units"]) << "the final dump shows the world of the last line";
  EXPECT_EQ(UnitNamed(dump["units"], "test_unit_2")["frame"], 0) << "standing on the start frame of Up";
}

// Sent onto the middle of each pickup of the demo, a stand-in takes it and stops where the touch
// stepped it back, instead of wandering round the spot the taken pickup still holds for the
// detour search.
TEST_F(UnitsEndToEnd, StandInsSentOntoTheDemosPickupsTakeThemAndStop) {
  // Frame top-lefts of the 32 x 32 pickups as the map places them; each stand-in starts 96 pixels
  // to one side, where the way is open.
  const struct {
    int x, y, side;
  } pickups[] = {{3712, 4352, -1}, {6336, 1216, -1}, {768, 4096, -1},  {5248, 5120, -1}, {3008, 6272, -1},
                 {4480, 3904, -1}, {3840, 4160, -1}, {4224, 3840, -1}, {5888, 2432, 1},  {1344, 2752, -1}};
  std::string args = "--frames 300 --dump-every 100 trace.jsonl";
  for (const auto& p : pickups) {
    const int cx = p.x + 16, cy = p.y + 16;
    args += " --test-unit " + std::to_string(cx + 96 * p.side - 16) + "," + std::to_string(cy - 16) + "," +
            std::to_string(cx) + "," + std::to_string(cy);
  }
  const std::vector<nlohmann::json> lines = Lines(e2e::RunTwice(dir_, args).trace);
  ASSERT_EQ(lines.size(), 30u);  // 3 s: the stand-ins touch their pickups after 0.2 s
  for (std::size_t i = 0; i < std::size(pickups); ++i) {
    const nlohmann::json& units = lines.back()["units"];
    const nlohmann::json standIn = UnitNamed(units, "test_unit_" + std::to_string(i + 1));
    bool taken = false;
    for (const nlohmann::json& unit : units) {
      taken |= unit["kind"] == 4 && unit["x"] == pickups[i].x && unit["y"] == pickups[i].y && !unit["visible"];
    }
    EXPECT_TRUE(taken) << i;
    EXPECT_FALSE(standIn["moving"]) << i;
    EXPECT_EQ(standIn["path"].size(), 0u) << i << ": no detour";
    // Right beside the pickup, on the side it came from.
    const int offset = (standIn["x"].get<int>() - pickups[i].x) * pickups[i].side;
    EXPECT_TRUE(offset > 0 && offset <= 32) << i << ": " << standIn["x"];
    EXPECT_EQ(standIn["y"], pickups[i].y) << i;
  }
}

}  // namespace
