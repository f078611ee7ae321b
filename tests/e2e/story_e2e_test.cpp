// The demo's story. From the start to the storehouse door: the opening script moves the camera,
// shows its picture, has Tomás greet the squad, Elena call from the pen where she is shut in and
// Rowan say how to hand the key over; then Mira finds the door locked and waits at the pen's gate,
// Elena picks up the brass key and hands it over the gate with 'M', and Mira opens the door, whose
// script shows the storehouse, gives her a healing draught, takes the gate away and moves the
// story on. Run twice: the same dump and transcript every time.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "headless_runs.h"
#include "support/dump_units.h"

namespace {

using nlohmann::json;
using testing_support::UnitNamed;

TEST(StoryEndToEnd, TheOpeningThenTheKeyHandedOverThePenGateAndTheStorehouseDoorOpened) {
  testing_support::TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  // Window pixels under the camera the opening leaves at (3300, 3712) after 15 s; the first
  // click also puts the opening's picture away.
  dir.Write("input.txt",
            "15100 ldown 700 224\n15110 lup 700 224\n"    // Mira
            "15200 rdown 828 178\n15210 rup 828 178\n"    // to the door: locked
            "16200 rdown 380 178\n16210 rup 380 178\n"    // west along the plaza
            "16900 rdown 380 570\n16910 rup 380 570\n"    // down to the pen's gate
            "17600 ldown 316 672\n17610 lup 316 672\n"    // Elena
            "17700 rdown 428 656\n17710 rup 428 656\n"    // onto the key
            "18500 rdown 380 618\n18510 rup 380 618\n"    // just inside the gate
            "19000 move 616 718\n19100 key M\n"           // the key's icon on the bar: give it
            "19300 ldown 380 553\n19310 lup 380 553\n"    // Mira
            "19400 rdown 380 138\n19410 rup 380 138\n"    // up to the plaza
            "20100 rdown 828 178\n20110 rup 828 178\n");  // the door again
  const e2e::Outputs run = e2e::RunTwice(dir, "--input input.txt --frames 2300 --dump-every 1000 trace.jsonl");
  const std::vector<json> trace = e2e::Lines(run.trace);
  ASSERT_EQ(trace.size(), 23u);

  // The opening: its picture up and Tomás's greeting in his bubble; last, Elena's call.
  EXPECT_EQ(trace[1]["camera"], json({4500, 2400}));
  EXPECT_TRUE(trace[2]["image_dialog"]["shown"]);
  EXPECT_EQ(trace[2]["image_dialog"]["file"], "valley_night.bmp");
  EXPECT_TRUE(UnitNamed(trace[2]["units"], "Old_Tomas")["bubble"]["shown"]);
  EXPECT_EQ(trace[14]["camera"], json({3300, 3712}));
  EXPECT_TRUE(UnitNamed(trace[14]["units"], "Elena")["bubble"]["text"].get<std::string>().starts_with("Over here"));
  const json rowan = UnitNamed(trace[19]["units"], "Rowan")["bubble"];
  EXPECT_TRUE(rowan["shown"] && rowan["text"].get<std::string>().ends_with("press M.")) << rowan;

  const json dump = json::parse(run.dump);
  EXPECT_EQ(dump["camera"], json({3300, 3712}));
  EXPECT_EQ(dump["variables"],
            json({{"chapter", 2}, {"storehouse_open", true}, {"captain_down", false}, {"valley_saved", false}}));
  for (const json& script : dump["scripts"]) EXPECT_FALSE(script["running"]) << script;
  // The door's script ran for its owner, the player who opened it, and took the gate away.
  const json mira = UnitNamed(dump["units"], "Mira");
  EXPECT_EQ(mira["inventory"][0], json({6, 3})) << "a healing draught from the storehouse";
  EXPECT_EQ(UnitNamed(dump["units"], "Elena")["inventory"][0], json({0, 0})) << "the key was given away";
  EXPECT_FALSE(UnitNamed(dump["units"], "Storehouse_door")["visible"]);
  EXPECT_FALSE(UnitNamed(dump["units"], "Pen_gate")["visible"]);
  EXPECT_EQ(dump["image_dialog"]["file"], "storehouse.bmp");
  EXPECT_NE(run.transcript.find("Sounds\\give_object.wav"), std::string::npos);
}

// The rest of the story with the walks cut short: an opening of the test's own carries Rowan
// from the lantern to Tomás to the watchtower. He picks up the lantern and hands it to Tomás with
// the action button, whose script answers by the chapter reached; then the Moonstone, carried to
// the banner, ends the story with the dawn picture and the last words.
TEST(StoryEndToEnd, TheLanternForTomasAndTheMoonstoneForTheBannerEndTheStory) {
  testing_support::TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Scripts"});
  dir.Write("Projects/Demo/Scripts/intro.txt",
            "SET storehouse_open = TRUE\r\nSET chapter = 1\r\n"
            "SET Rowan.POSITIONX = 5120\r\nSET Rowan.POSITIONY = 5120\r\nSET_CAMERA_POSITION 4608,4736\r\n"
            "SLEEP 2000\r\n"
            "SET Rowan.POSITIONX = 3680\r\nSET Rowan.POSITIONY = 3648\r\nSET_CAMERA_POSITION 3200,3300\r\n"
            "SLEEP 2000\r\n"
            "SET Rowan.POSITIONX = 6432\r\nSET Rowan.POSITIONY = 1216\r\nSET_CAMERA_POSITION 5900,900\r\n");
  dir.Write("input.txt",
            "100 ldown 544 416\n110 lup 544 416\n"      // Rowan
            "200 rdown 656 374\n210 rup 656 374\n"      // onto the lantern
            "2500 rdown 416 380\n2510 rup 416 380\n"    // into Tomás: his action is offered
            "3200 mdown 416 380\n3210 mup 416 380\n"    // and taken
            "4500 rdown 452 300\n4510 rup 452 300\n"    // onto the Moonstone
            "5500 rdown 321 400\n5510 rup 321 400\n");  // to the banner's pole
  const e2e::Outputs run = e2e::RunTwice(dir, "--input input.txt --frames 1000");
  const json dump = json::parse(run.dump);
  EXPECT_EQ(dump["variables"],
            json({{"storehouse_open", true}, {"chapter", 3}, {"lantern_home", true}, {"valley_saved", true}}));
  EXPECT_EQ(UnitNamed(dump["units"], "Old_Tomas")["bubble"]["text"],
            "You opened the storehouse too? Then you are ready.\nThe Moonstone was carried up to the watchtower.");
  const json banner = UnitNamed(dump["units"], "Banner_of_the_valley");
  EXPECT_EQ(banner["event"]["process"], 0);
  EXPECT_EQ(banner["bubble"]["text"],
            "The Sunken Valley is saved.\nThe water will go down with the new moon.\nThank you for playing!");
  EXPECT_EQ(dump["image_dialog"]["file"], "valley_dawn.bmp");
  EXPECT_TRUE(dump["image_dialog"]["shown"]);
}

}  // namespace
