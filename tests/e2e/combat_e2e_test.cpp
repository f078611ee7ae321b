// A fight end to end: a player picked with a click fires at a bot that shoots back until the bot
// falls. The run is made twice: dump and transcript must match byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>
#include <vector>

#include "headless_runs.h"

namespace {

using e2e::Outputs;
using e2e::Sounds;
using nlohmann::json;
using testing_support::TempDir;

// The demo with a tenth bot, one the map does not place, standing 300 pixels right of the first
// player (Rowan, whose centre is at window (416, 256) under the starting camera), with Mira
// between them. The bot never moves or attacks by itself and does not see the players, but
// returns fire.
class CombatEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::UseDemoWithoutStory(dir_, "project_name=Demo\n"); }
  // Click Rowan, point at the bot's centre, then Z every half second from 200 ms.
  Outputs Fight(int resistance, int frames, const std::string& extraArgs = "") {
    std::ofstream(dir_ / "Projects/Demo/Data/bots_characters_units.ini", std::ios::app | std::ios::binary)
        << "\n[bot_unit_10]\nunit_sprite=2\nunit_position=4140, 3904\nunit_name=Target Guard\n"
           "unit_health_level=100\nunit_resistance_level="
        << resistance
        << "\nunit_attack_fire=false\nunit_attack_sword=false\n"
           "unit_return_player_fire=true\nunit_move_type=static\nunit_vision_distance_player=1\n";
    std::string input = "100 ldown 416 256\n110 lup 416 256\n120 move 716 256\n";
    for (int ms = 200; ms <= 1700; ms += 500) input += std::to_string(ms) + " key Z\n";
    dir_.Write("input.txt", input);
    return e2e::RunTwice(dir_, "--input input.txt --frames " + std::to_string(frames) + " " + extraArgs);
  }
  TempDir dir_;
};

// The unit of a player: the dump's or trace line's n-th.
const json& Player(const json& state, int n) { return state.at("units").at(state.at("players").at(n).get<int>()); }

TEST_F(CombatEndToEnd, APlayerShootsABotThatShootsBackUntilItFalls) {
  // Rowan's balls pass through Mira; the bot's, aimed back at Rowan, hit her. The fourth Z, when
  // the bot is gone, sends a ball into the empty spot.
  const Outputs run = Fight(1, 250);
  EXPECT_EQ(
      Sounds(run.transcript),
      (std::vector<std::string>{"fire1.wav", "explosion1.wav", "damage_unit.wav", "fire2.wav",       // 100 -> 65
                                "explosion1.wav", "damage_player_f.wav",                             // Mira 80 -> 45
                                "fire1.wav", "explosion1.wav", "damage_unit.wav", "fire2.wav",       // 65 -> 30
                                "explosion1.wav", "damage_player_f.wav",                             // Mira 45 -> 10
                                "fire1.wav", "explosion1.wav", "damage_unit.wav", "death_unit.wav",  // the bot falls
                                "fire1.wav"}));
  const json dump = json::parse(run.dump);
  const json& bot = e2e::Unit(dump.at("units"), "Target_Guard");
  EXPECT_EQ(bot.at("health"), 0);
  EXPECT_EQ(bot.at("visible"), false);
  EXPECT_EQ(bot.at("respawn_due"), 0) << "a bot without unit_respawn never returns";
  EXPECT_EQ(Player(dump, 0).at("health"), 100);
  EXPECT_EQ(Player(dump, 0).at("ammo"), 36) << "four balls from 40";
  EXPECT_EQ(Player(dump, 1).at("health"), 10);
}

TEST_F(CombatEndToEnd, AKnockedOutPlayerFreezesTheWorldUnderTheBannerAndRespawns) {
  // The bot takes 17 a ball (resistance 2) and outlives three; its third answer knocks Mira out
  // at 1630 ms. The banner stands the world still for 6 s (Rowan's fourth ball, fired during
  // it, waits on his centre); her respawn, due 5 s after the knock-out, comes on the first step
  // after it.
  const Outputs run = Fight(2, 800, "--dump-every 1000 trace.jsonl");
  std::vector<std::string> sounds = Sounds(run.transcript);
  ASSERT_GE(sounds.size(), 8u);
  sounds.erase(sounds.begin(), sounds.end() - 8);
  EXPECT_EQ(sounds,
            (std::vector<std::string>{"damage_player_f.wav", "death_player_f.wav", "player_busted.wav", "fire1.wav",
                                      "respawn_fx.wav", "explosion1.wav", "damage_unit.wav", "fire2.wav"}));
  // What the banner reads, told once although it stands for six seconds.
  EXPECT_EQ(testing_support::CountOf(run.transcript, " banner \"Mira\\nEliminated\"\n"), 1u) << run.transcript;
  const std::vector<json> lines = e2e::Lines(run.trace);
  ASSERT_EQ(lines.size(), 8u);
  for (std::size_t second = 2; second <= 7; ++second) {
    const json& line = lines[second - 1];
    const json& mira = Player(line, 1);
    EXPECT_TRUE(line.at("banner_shown")) << second;
    EXPECT_EQ(std::make_tuple(mira.at("alive"), mira.at("visible"), mira.at("opacity"), mira.at("selectable"),
                              mira.at("health")),
              std::make_tuple(false, true, 30, false, 0))
        << second;
    EXPECT_EQ(Player(line, 0).at("projectile"), (json{{"flying", true}, {"x", 3872}, {"y", 3936}})) << second;
  }
  const json dump = json::parse(run.dump);
  const json& mira = Player(dump, 1);
  EXPECT_FALSE(dump.at("banner_shown"));
  EXPECT_EQ(std::make_tuple(mira.at("alive"), mira.at("opacity"), mira.at("selectable"), mira.at("health"),
                            mira.at("x"), mira.at("y"), mira.at("respawn_due")),
            std::make_tuple(true, 100, true, 80, 3968, 3904, 0));
}

}  // namespace
