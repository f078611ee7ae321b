// The demo's bots end to end: the three players on the plaza are sent east out of the village, where Sable walks
// the road; she spots them, raises the alert, chases, strikes and shoots, and goes back to her
// round when the chase is over. The static guards never leave their posts. The minute is run
// twice: dump, trace and transcript must match byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "headless_runs.h"
#include "support/dump_units.h"

namespace {

using testing_support::UnitNamed;

TEST(BotsEndToEnd, PlayersWalkingIntoSablesRoadAreSpottedChasedShotAndStruck) {
  testing_support::TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  // A box round the players on the plaza, then a right click on the road near the window's
  // right edge, map (4706, 4080).
  dir.Write("input.txt",
            "100 ldown 350 190\n120 move 500 300\n140 move 700 470\n160 lup 700 470\n"
            "200 rdown 1250 400\n210 rup 1250 400\n");
  const e2e::Outputs run = e2e::RunTwice(dir, "--input input.txt --frames 6000 --dump-every 1000 trace.jsonl");

  const std::string& transcript = run.transcript;
  const std::string sounds = "sound Projects\\Demo\\Sounds\\";
  const std::size_t alert = transcript.find(sounds + "alert_bot.wav");
  ASSERT_NE(alert, std::string::npos) << transcript;
  // Once spotted, they are struck and shot at (a shot may also come before, from the fire square).
  for (const char* file : {"fire2.wav", "use_sword1.wav", "explosion1.wav"}) {
    EXPECT_NE(transcript.find(sounds + file, alert), std::string::npos) << file << " after the alert";
  }

  const std::vector<nlohmann::json> lines = e2e::Lines(run.trace);
  ASSERT_EQ(lines.size(), 60u);
  const nlohmann::json& players = lines[0]["players"];
  int chasingLines = 0, wanderAfterChase = 0;
  bool chased = false;
  for (const nlohmann::json& line : lines) {
    const nlohmann::json sable = UnitNamed(line["units"], "Huntress_Sable");
    const nlohmann::json& brain = sable["bot_brain"];
    if (brain["state"] == "chase") {
      ++chasingLines;
      if (!chased) {
        // The first spotting: a player is the target, the icon shows 3 s, the chase lasts 15 s.
        EXPECT_NE(std::find(players.begin(), players.end(), brain["alert_target"]), players.end());
        EXPECT_EQ(brain["chase_target"], brain["alert_target"]);
        EXPECT_EQ(brain["chase_until"].get<uint32_t>() - brain["alert_icon_until"].get<uint32_t>(), 12000u);
      }
      chased = true;
    } else if (chased) {
      EXPECT_EQ(brain["state"], "wander");
      ++wanderAfterChase;
    }
    for (const char* guard : {"Brann,_tower_guard", "Marsh_guard"}) {
      const nlohmann::json post = UnitNamed(line["units"], guard);
      EXPECT_EQ(post["bot_brain"]["state"], "static") << guard;
      EXPECT_EQ(post["x"], post["spawn_x"]) << guard << " at " << line["ms"];
      EXPECT_EQ(post["y"], post["spawn_y"]) << guard << " at " << line["ms"];
    }
  }
  EXPECT_GE(chasingLines, 15) << "a chase lasts at least 15 s";
  EXPECT_GT(wanderAfterChase, 0) << "and ends";

  // Every bot shows what it has in mind; other units do not.
  const nlohmann::json dump = nlohmann::json::parse(run.dump);
  int bots = 0;
  for (const nlohmann::json& unit : dump["units"]) {
    EXPECT_EQ(unit.contains("bot_brain"), unit["bot"].get<bool>()) << unit["name"];
    bots += unit["bot"].get<bool>();
  }
  EXPECT_EQ(bots, 9);
  const nlohmann::json finch = UnitNamed(dump["units"], "Raider_Finch")["bot_brain"];
  EXPECT_EQ(finch["zone"], nlohmann::json::array({3328, 5376, 4608, 7680})) << "zone_4 of the map";
}

}  // namespace
