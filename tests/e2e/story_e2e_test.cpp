// The demo's story. From the start to the storehouse door: the opening script moves the camera,
// shows its picture and has Tomás greet the squad; then Mira finds the door locked, Rowan fetches
// the brass key and hands it to her with 'M', and she opens the door, whose script shows the
// storehouse, gives her a healing draught and moves the story on. Run twice: the same dump and
// transcript every time.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "headless_runs.h"
#include "support/dump_units.h"

namespace {

using nlohmann::json;
using testing_support::UnitNamed;

TEST(StoryEndToEnd, TheOpeningThenTheKeyGivenAndTheStorehouseDoorOpened) {
  testing_support::TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  // Window pixels under the camera the opening leaves at (3300, 3450); the first click also puts
  // the opening's picture away.
  dir.Write("input.txt",
            "3100 ldown 700 486\n3110 lup 700 486\n"    // Mira
            "3200 rdown 828 440\n3210 rup 828 440\n"    // to the door: locked
            "4500 ldown 572 486\n4510 lup 572 486\n"    // Rowan
            "4600 rdown 299 515\n4610 rup 299 515\n"    // onto the key
            "6500 rdown 753 440\n6510 rup 753 440\n"    // beside Mira
            "8000 move 616 718\n8100 key M\n"           // the key's icon on the bar: give it
            "8300 ldown 806 430\n8310 lup 806 430\n"    // Mira
            "8400 rdown 828 440\n8410 rup 828 440\n");  // the door again
  const e2e::Outputs run = e2e::RunTwice(dir, "--input input.txt --frames 1200 --dump-every 1000 trace.jsonl");
  const std::vector<json> trace = e2e::Lines(run.trace);
  ASSERT_EQ(trace.size(), 12u);

  // The opening: its picture up and Tomás's greeting in his bubble.
  EXPECT_EQ(trace[1]["camera"], json({4500, 2400}));
  EXPECT_TRUE(trace[2]["image_dialog"]["shown"]);
  EXPECT_EQ(trace[2]["image_dialog"]["file"], "valley_night.bmp");
  EXPECT_TRUE(UnitNamed(trace[2]["units"], "Old_Tomas")["bubble"]["shown"]);

  const json dump = json::parse(run.dump);
  EXPECT_EQ(dump["camera"], json({3300, 3450}));
  EXPECT_EQ(dump["variables"],
            json({{"chapter", 2}, {"storehouse_open", true}, {"captain_down", false}, {"valley_saved", false}}));
  for (const json& script : dump["scripts"]) EXPECT_FALSE(script["running"]) << script;
  // The door's script ran for its owner, the player who opened it.
  const json mira = UnitNamed(dump["units"], "Mira");
  EXPECT_EQ(mira["inventory"][0], json({6, 3})) << "a healing draught from the storehouse";
  EXPECT_EQ(UnitNamed(dump["units"], "Rowan")["inventory"][0], json({0, 0})) << "the key was given away";
  EXPECT_FALSE(UnitNamed(dump["units"], "Storehouse_door")["visible"]);
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
            "100 ldown 544 416\n110 lup 544 416\n"     // Rowan
            "200 rdown 656 374\n210 rup 656 374\n"     // onto the lantern
            "2500 rdown 416 380\n2510 rup 416 380\n"   // into Tomás: his action is offered
            "3200 mdown 416 380\n3210 mup 416 380\n"   // and taken
            "4500 rdown 452 300\n4510 rup 452 300\n"   // onto the Moonstone
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
