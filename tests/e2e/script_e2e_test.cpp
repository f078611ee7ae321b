// A small project whose initial script moves the camera, keeps variables, walks a stand-in
// player and talks: run headless twice, the state must match byte for byte; a script that never
// sleeps neither freezes the run nor its end; the largest numbers a script or a cast file can
// give a unit are held inside the unit bounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "headless_runs.h"

namespace {

using e2e::Unit;
using nlohmann::json;
using testing_support::TempDir;

constexpr const char* kIntro =
    "// the opening\r\n"
    "SET_CAMERA_POSITION 3000,3200\r\n"
    "SET steps = 0\r\n"
    "SET hero = test_unit_1\r\n"
    "WHILE steps < 3\r\n"
    "  SET steps = +1\r\n"
    "  SLEEP 25\r\n"
    "ENDWHILE\r\n"
    "SET test_unit_1.DESTINATIONX = 3900\r\n"
    "SET test_unit_1.MESSAGE = \"Follow me!\"\r\n"
    "SHOW test_unit_1.MESSAGE\r\n"
    "MOVE_UNIT test_unit_1\r\n"
    "SET ready = TRUE\r\n"
    "WHILE ready = TRUE\r\n"
    "  SLEEP 1000\r\n"
    "ENDWHILE\r\n";

// A copy of the demo named Story whose config.ini starts the script.
void MakeProject(const TempDir& dir, const std::string& script) {
  testing_support::UseDemoCopy(dir, "Story", "project_name=Story\n", {"Data", "Scripts"});
  std::ofstream(dir / "Projects/Story/Data/config.ini", std::ios::app) << "initial_script=intro.txt\r\n";
  dir.Write("Projects/Story/Scripts/intro.txt", script);
}

TEST(ScriptEndToEnd, TheInitialScriptSetsTheSceneTheSameWayEveryRun) {
  TempDir dir;
  MakeProject(dir, kIntro);
  const e2e::Outputs run =
      e2e::RunTwice(dir, "--frames 60 --dump-every 50 trace.jsonl --test-unit 3700,3900,3700,3900,5");
  const json dump = json::parse(run.dump);
  EXPECT_EQ(dump.at("camera"), json({3000, 3200}));
  EXPECT_EQ(dump.at("variables"), json({{"steps", 3}, {"hero", "test_unit_1"}, {"ready", true}}));
  // The demo's event scripts wait beside it, registered before it.
  const json& scripts = dump.at("scripts");
  ASSERT_FALSE(scripts.empty());
  EXPECT_EQ(scripts.back(), json({{"name", "init_script"}, {"running", true}, {"line", 15}}));
  for (std::size_t i = 0; i + 1 < scripts.size(); ++i) EXPECT_FALSE(scripts[i].at("running"));
  const json& unit = Unit(dump.at("units"), "test_unit_1");
  EXPECT_EQ(unit.at("dest"), json({3900, 3900}));
  EXPECT_EQ(unit.at("bubble").at("text"), "Follow me!");
  EXPECT_TRUE(unit.at("bubble").at("shown"));
  EXPECT_GT(unit.at("x"), 3700);  // walked off after the 3 x 25 ms loop
  // The loop's SLEEPs end on the 10 ms passes: steps counts 1 at once, 2 at 30 ms, 3 at 60 ms.
  EXPECT_EQ(e2e::Lines(run.trace).at(0).at("variables").at("steps"), 2);  // at 50 ms
}

TEST(ScriptEndToEnd, AScriptThatNeverSleepsLetsTheGameRunAndQuit) {
  TempDir dir;
  MakeProject(dir, "SET n = 0\nWHILE n >= 0\n  SET n = +1\nENDWHILE\n");
  const json dump = json::parse(e2e::RunTwice(dir, "--frames 50 Story").dump);
  EXPECT_TRUE(dump.at("scripts").back().at("running")) << "init_script, after the demo's event scripts";
  EXPECT_GT(dump.at("variables").at("n"), 50 * 1000);  // it kept running through every pass

  // Escape, answered yes, quits at once although the script is still busy.
  dir.Write("input.txt", "100 key ESC\n");
  const std::string transcript =
      e2e::RunHeadless(dir, "--frames 100000 --input input.txt --answer yes Story").transcript;
  EXPECT_NE(transcript.find("\n100 quit 0\n"), std::string::npos) << transcript;
}

// Every numeric unit property a script can set, at the largest number it reads, on a player and
// on a bot standing by it far off the map; the bot's sheet declares frames far wider and higher
// than any sheet, another's frames far below zero, a pick-up's frames likewise, and a zone's limits
// the ends of int. Bots look for players, units meet in the contact index, and walk into the detour
// search. Each unit ends inside the bounds, every run alike (and, built with the undefined
// behaviour sanitizer, without a single overflow).
TEST(ScriptEndToEnd, TheLargestNumbersOfScriptsAndCastFilesStayInsideTheUnitBounds) {
  TempDir dir;
  std::string script;
  for (const char* unit : {"Rowan", "Raider_Scab"}) {
    for (const char* property : {"SPEEDX", "SPEEDY", "POSITIONX", "POSITIONY", "DESTINATIONX", "DESTINATIONY", "HEALTH",
                                 "ANIMATIONTIME", "MESSAGETIME"}) {
      script += std::string("SET ") + unit + "." + property + " = 99999999999\r\n";
    }
    script +=
        std::string("SET ") + unit + ".MESSAGE = \"Far\"\r\nSHOW " + unit + ".MESSAGE\r\nMOVE_UNIT " + unit + "\r\n";
  }
  script += "SLEEP 1200\r\nSET Rowan.DESTINATIONX = 0\r\nSET Rowan.DESTINATIONY = 2147483647\r\nMOVE_UNIT Rowan\r\n";
  MakeProject(dir, script);
  const std::filesystem::path bots = dir / "Projects/Story/Data/bots_characters_units.ini";
  std::string text = testing_support::ReadText(bots);
  text = testing_support::Replaced(text, "sprite_frame_width=64\r\nsprite_frame_height=64",
                                   "sprite_frame_width=2147483647\r\nsprite_frame_height=99999999999");
  text = testing_support::Replaced(text, "sprite_frame_width=64\r\nsprite_frame_height=64",
                                   "sprite_frame_width=-99999999999\r\nsprite_frame_height=-2147483648");
  text = testing_support::Replaced(text, "unit_move_zone_number=1",
                                   "unit_move_zone_limits=-2147483648, 2147483647, -2147483648, 2147483647");
  dir.Write("Projects/Story/Data/bots_characters_units.ini", text);
  const std::filesystem::path objects = dir / "Projects/Story/Data/objects_units.ini";
  dir.Write("Projects/Story/Data/objects_units.ini",
            testing_support::Replaced(
                testing_support::ReadText(objects), "object_sprite_frame_width=32\r\nobject_sprite_frame_height=32",
                "object_sprite_frame_width=99999999999\r\nobject_sprite_frame_height=-99999999999"));

  const json dump = json::parse(e2e::RunTwice(dir, "--frames 250 Story").dump);
  for (const json& unit : dump.at("units")) {
    for (const char* key : {"x", "y", "spawn_x", "spawn_y"}) {
      EXPECT_LE(std::llabs(unit.at(key).get<int64_t>()), 500000000) << unit.at("id_name") << " " << key;
    }
    for (const char* key : {"w", "h", "speed", "speed_y"}) {
      EXPECT_LE(unit.at(key).get<int>(), 100000) << unit.at("id_name") << " " << key;
    }
    for (const json& coordinate : unit.at("dest"))
      EXPECT_LE(std::llabs(coordinate.get<int64_t>()), 500000000) << unit.at("id_name");
  }
  const json& rowan = Unit(dump.at("units"), "Rowan");
  EXPECT_EQ(std::make_pair(rowan.at("speed"), rowan.at("health")), std::make_pair(json(100000), json(100)));
  const json& scab = Unit(dump.at("units"), "Raider_Scab");
  EXPECT_EQ(std::make_pair(scab.at("w"), scab.at("h")), std::make_pair(json(100000), json(100000)));
  const json& guard = Unit(dump.at("units"), "Marsh_guard");
  EXPECT_EQ(std::make_pair(guard.at("w"), guard.at("h")), std::make_pair(json(1), json(1)));
}

}  // namespace
