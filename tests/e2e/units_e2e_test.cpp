// Stand-in players walk across the demo map; the periodic state lines trace their steps. The
// run is made twice: dump, trace and transcript must match byte for byte. (How a unit steps and
// animates is pinned by the units' own tests.)
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "headless_runs.h"

namespace {

using e2e::Lines;
using e2e::Outputs;
using e2e::Unit;
using nlohmann::json;
using testing_support::TempDir;

// Sent onto the middle of each pickup of the demo, a stand-in takes it and stops where the touch
// stepped it back, instead of wandering round the spot the taken pickup still holds for the
// detour search.
TEST(UnitsEndToEnd, StandInsSentOntoTheDemosPickupsTakeThemAndStop) {
  TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
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
  const Outputs run = e2e::RunTwice(dir, args);
  const std::vector<json> lines = Lines(run.trace);
  ASSERT_EQ(lines.size(), 30u);  // 3 s: the stand-ins touch their pickups after 0.2 s
  EXPECT_EQ(json::parse(run.dump).at("units"), lines.back().at("units"))
      << "the final dump shows the last line's world";
  for (std::size_t i = 0; i < std::size(pickups); ++i) {
    const json& units = lines.back().at("units");
    const json& standIn = Unit(units, "test_unit_" + std::to_string(i + 1));
    bool taken = false;
    for (const json& unit : units) {
      taken |=
          unit.at("kind") == 4 && unit.at("x") == pickups[i].x && unit.at("y") == pickups[i].y && !unit.at("visible");
    }
    EXPECT_TRUE(taken) << i;
    EXPECT_FALSE(standIn.at("moving")) << i;
    EXPECT_EQ(standIn.at("path").size(), 0u) << i << ": no detour";
    // Right beside the pickup, on the side it came from.
    const int offset = (standIn.at("x").get<int>() - pickups[i].x) * pickups[i].side;
    EXPECT_TRUE(offset > 0 && offset <= 32) << i << ": " << standIn.at("x");
    EXPECT_EQ(standIn.at("y"), pickups[i].y) << i;
  }
}

}  // namespace
