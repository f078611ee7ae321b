// The demo's bots end to end: the three players on the plaza are sent east out of the village, where Sable walks
// the road; she spots them, raises the alert, chases, strikes and shoots, and goes back to her
// round when the chase is over. The static guards never leave their posts. Saved (F5) in the
// middle of the chase, with Tobias knocked out, the game resumed from the save ends alike. Every
// run is made twice: dump, trace and transcript must match byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "headless_runs.h"

namespace {

using e2e::Unit;
using nlohmann::json;

TEST(BotsEndToEnd, PlayersWalkingIntoSablesRoadAreSpottedChasedShotAndStruckAndASaveMidChaseResumes) {
  testing_support::TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  // The box, then a right click on the road near the window's right edge, map (4706, 4080).
  // 24 s, a trace line every 100 ms: the first chase starts at 7 s and ends 15 s later.
  const auto [run, saved] = e2e::ExpectResumedRunEndsAlike(
      dir, e2e::kBoxRoundThePlaza + "200 rdown 1250 400\n210 rup 1250 400\n", 9500, "--frames 2400");

  const std::string& transcript = run.transcript;
  const std::string sounds = "sound Projects\\Demo\\Sounds\\";
  const std::size_t alert = transcript.find(sounds + "alert_bot.wav");
  ASSERT_NE(alert, std::string::npos) << transcript;
  // Once spotted, they are struck and shot at (a shot may also come before, from the fire square).
  for (const char* file : {"fire2.wav", "use_sword1.wav", "explosion1.wav"}) {
    EXPECT_NE(transcript.find(sounds + file, alert), std::string::npos) << file << " after the alert";
  }

  const std::vector<json> lines = e2e::Lines(run.trace);
  ASSERT_EQ(lines.size(), 240u);
  const json& players = lines[0].at("players");
  int chasingLines = 0, wanderAfterChase = 0;
  bool chased = false;
  for (const json& line : lines) {
    const json& brain = Unit(line.at("units"), "Huntress_Sable").at("bot_brain");
    if (brain.at("state") == "chase") {
      ++chasingLines;
      if (!chased) {
        // The first spotting: a player is the target, the icon shows 3 s, the chase lasts 15 s.
        EXPECT_NE(std::find(players.begin(), players.end(), brain.at("alert_target")), players.end());
        EXPECT_EQ(brain.at("chase_target"), brain.at("alert_target"));
        EXPECT_EQ(brain.at("chase_until").get<uint32_t>() - brain.at("alert_icon_until").get<uint32_t>(), 12000u);
      }
      chased = true;
    } else if (chased) {
      EXPECT_EQ(brain.at("state"), "wander");
      ++wanderAfterChase;
    }
    for (const char* guard : {"Brann,_tower_guard", "Marsh_guard"}) {
      const json& post = Unit(line.at("units"), guard);
      EXPECT_EQ(post.at("bot_brain").at("state"), "static") << guard;
      EXPECT_EQ(post.at("x"), post.at("spawn_x")) << guard << " at " << line.at("ms");
      EXPECT_EQ(post.at("y"), post.at("spawn_y")) << guard << " at " << line.at("ms");
    }
  }
  EXPECT_GE(chasingLines, 150) << "a chase lasts at least 15 s";
  EXPECT_GT(wanderAfterChase, 0) << "and ends";

  // The save: mid-chase, Tobias knocked out and waiting to come back.
  const uint32_t tick = saved.at("tick");
  const json& sable = e2e::SavedUnit(saved, "Huntress_Sable");
  EXPECT_NE(sable.at("chase_target"), -1);
  EXPECT_GT(sable.at("chase_until").get<uint32_t>(), tick);
  const json& tobias = e2e::SavedUnit(saved, "Tobias");
  EXPECT_FALSE(tobias.at("alive"));
  EXPECT_GT(tobias.at("respawn_due").get<uint32_t>(), tick);
}

}  // namespace
