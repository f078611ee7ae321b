// The demo's story. Its opening script moves the camera, shows its picture, has Tomás greet the
// squad, Elena call from the pen where she is shut in and Rowan say how to hand the key over (the
// storehouse door that follows is played in door_e2e_test.cpp); then the lantern and the Moonstone
// end it. Run twice: the same dump and transcript every time.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "headless_runs.h"

namespace {

using e2e::Unit;
using nlohmann::json;

TEST(StoryEndToEnd, TheOpeningSetsTheSceneAndTheStory) {
  testing_support::TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  const e2e::Outputs run = e2e::RunTwice(dir, "--frames 2000 --dump-every 1000 trace.jsonl");
  const std::vector<json> trace = e2e::Lines(run.trace);
  ASSERT_EQ(trace.size(), 20u);

  // Its picture up and Tomás's greeting in his bubble; last, Elena's call and Rowan's hint.
  EXPECT_EQ(trace[1].at("camera"), json({4500, 2400}));
  EXPECT_TRUE(trace[2].at("image_dialog").at("shown"));
  EXPECT_EQ(trace[2].at("image_dialog").at("file"), "valley_night.bmp");
  EXPECT_TRUE(Unit(trace[2].at("units"), "Old_Tomas").at("bubble").at("shown"));
  EXPECT_EQ(trace[14].at("camera"), json({3300, 3712}));
  EXPECT_TRUE(Unit(trace[14].at("units"), "Elena").at("bubble").at("text").get<std::string>().starts_with("Over here"));
  const json& rowan = Unit(trace[19].at("units"), "Rowan").at("bubble");
  EXPECT_TRUE(rowan.at("shown") && rowan.at("text").get<std::string>().ends_with("press M.")) << rowan;

  const json dump = json::parse(run.dump);
  EXPECT_EQ(dump.at("camera"), json({3300, 3712}));
  EXPECT_EQ(dump.at("variables"),
            json({{"chapter", 1}, {"storehouse_open", false}, {"captain_down", false}, {"valley_saved", false}}));
  for (const json& script : dump.at("scripts")) EXPECT_FALSE(script.at("running")) << script;
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
  EXPECT_EQ(dump.at("variables"),
            json({{"storehouse_open", true}, {"chapter", 3}, {"lantern_home", true}, {"valley_saved", true}}));
  EXPECT_EQ(Unit(dump.at("units"), "Old_Tomas").at("bubble").at("text"),
            "You opened the storehouse too? Then you are ready.\nThe Moonstone was carried up to the watchtower.");
  const json& banner = Unit(dump.at("units"), "Banner_of_the_valley");
  EXPECT_EQ(banner.at("event").at("process"), 0);
  EXPECT_EQ(banner.at("bubble").at("text"),
            "The Sunken Valley is saved.\nThe water will go down with the new moon.\nThank you for playing!");
  EXPECT_EQ(dump.at("image_dialog").at("file"), "valley_dawn.bmp");
  EXPECT_TRUE(dump.at("image_dialog").at("shown"));
}

}  // namespace
