// The demo's story from the start to the storehouse door: the opening script moves the camera,
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

}  // namespace
