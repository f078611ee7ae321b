// A fight end to end: a player picked with a click fires at a bot that shoots back until the bot
// falls. The run is made twice: dump and transcript must match byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "headless_runs.h"
#include "support/dump_units.h"

namespace {

using e2e::Outputs;
using testing_support::TempDir;
using testing_support::UnitNamed;

// The demo with a ninth bot, one the map does not place, standing 300 pixels right of the first
// player (Rowan, whose centre is at window (416, 256) under the starting camera), with Mira
// between them. The bot never moves or attacks by itself and does not see the players, but
// returns fire.
class CombatEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::UseDemoCopy(dir_, "Demo", "project_name=Demo\n", {"Data"});
    const std::filesystem::path bots = dir_ / "Projects/Demo/Data/bots_characters_units.ini";
    std::ofstream(bots, std::ios::app | std::ios::binary)
        << "\n[bot_unit_9]\nunit_sprite=2\nunit_position=4140, 3904\nunit_name=Target Guard\n"
           "unit_health_level=100\nunit_resistance_level=1\nunit_attack_fire=false\nunit_attack_sword=false\n"
           "unit_return_player_fire=true\nunit_move_type=static\nunit_vision_distance_player=1\n";
  }
  TempDir dir_;
};

// The file names of the sounds played, in order.
std::vector<std::string> SoundLines(const std::string& transcript) {
  std::vector<std::string> sounds;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    // "<ms> sound Projects\Demo\Sounds\<file>"
    if (line.find(" sound ") != std::string::npos) sounds.push_back(line.substr(line.find_last_of('\\') + 1));
  }
  return sounds;
}

TEST_F(CombatEndToEnd, APlayerShootsABotThatShootsBackUntilItFalls) {
  // Click Rowan, point at the bot's centre, then Z every half second. Rowan's balls pass through
  // Mira; the bot's, aimed back at Rowan, hit her. The fourth Z, when the bot is gone, sends a
  // ball into the empty spot.
  std::string input = "100 ldown 416 256\n110 lup 416 256\n120 move 716 256\n";
  for (int ms = 200; ms <= 1700; ms += 500) input += std::to_string(ms) + " key Z\n";
  dir_.Write("input.txt", input);
  const Outputs run = e2e::RunTwice(dir_, "--input input.txt --frames 250");

  EXPECT_EQ(SoundLines(run.transcript),
            (std::vector<std::string>{
                "fire1.wav", "explosion1.wav", "damage_unit.wav", "fire2.wav",         // 100 -> 65
                "explosion1.wav", "damage_player_f.wav",                              // Mira 80 -> 45
                "fire1.wav", "explosion1.wav", "damage_unit.wav", "fire2.wav",         // 65 -> 30
                "explosion1.wav", "damage_player_f.wav",                              // Mira 45 -> 10
                "fire1.wav", "explosion1.wav", "damage_unit.wav", "death_unit.wav",  // the bot falls
                "fire1.wav"}));
  const nlohmann::json dump = nlohmann::json::parse(run.dump);
  const nlohmann::json bot = UnitNamed(dump["units"], "Target_Guard");
  ASSERT_FALSE(bot.is_null());
  EXPECT_EQ(bot["health"], 0);
  EXPECT_EQ(bot["visible"], false);
  EXPECT_EQ(bot["respawn_due"], 0) << "a bot without unit_respawn never returns";
  const nlohmann::json& units = dump["units"];
  const nlohmann::json rowan = units[dump["players"][0].get<int>()];
  EXPECT_EQ(rowan["health"], 100);
  EXPECT_EQ(rowan["ammo"], 36) << "four balls from 40";
  EXPECT_EQ(units[dump["players"][1].get<int>()]["health"], 10);
}

}  // namespace
