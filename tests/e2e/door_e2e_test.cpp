// The demo's storehouse door played through: Mira finds it locked, Rowan picks up the brass key,
// hands it to Mira with 'M' over the key's icon, and Mira opens the door: the key is used, the
// storehouse's picture shows, a healing draught comes from the door's script and the door is gone
// two seconds later. Run twice; both runs must leave the same dump, trace and transcript.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "headless_runs.h"

namespace {

using nlohmann::json;

// The unit of that name in a dump or trace line.
const json& Named(const json& state, const std::string& name) {
  for (const json& unit : state["units"]) {
    if (unit["name"] == name) return unit;
  }
  ADD_FAILURE() << name;
  return state;
}

json Held(const json& unit) {
  json held = json::array();
  for (const json& slot : unit["inventory"]) {
    if (slot[0] != 0) held.push_back(slot);
  }
  return held;
}

TEST(DoorEndToEnd, TheKeyIsPickedUpGivenAndOpensTheStorehouse) {
  testing_support::TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  // Window pixels; the camera stays at (3456, 3680). The bar's first icon is at (600, 702).
  dir.Write("input.txt",
            "100 ldown 544 256\n110 lup 544 256\n"    // Mira
            "200 rdown 672 210\n210 rup 672 210\n"    // to the door: locked
            "1500 ldown 416 256\n1510 lup 416 256\n"  // Rowan
            "1600 rdown 143 285\n1610 rup 143 285\n"  // onto the key
            "3500 rdown 597 210\n3510 rup 597 210\n"  // beside Mira
            "5000 move 616 718\n5100 key M\n"         // the key's icon, give
            "5300 ldown 650 200\n5310 lup 650 200\n"  // Mira
            "5400 rdown 672 210\n5410 rup 672 210\n"  // the door again
            "7000 move 616 718\n");                   // the draught's icon
  const e2e::Outputs run = e2e::RunTwice(dir, "--input input.txt --frames 800 --dump-every 100 trace.jsonl");
  const std::vector<json> lines = e2e::Lines(run.trace);
  ASSERT_EQ(lines.size(), 80u);
  auto at = [&](int ms) -> const json& { return lines[static_cast<std::size_t>(ms / 100 - 1)]; };

  // Locked: the need message, the door's bubble, Mira stopped at it.
  EXPECT_EQ(at(1000)["messages"][0]["text"], "You need Brass key x1");
  EXPECT_TRUE(Named(at(1000), "Storehouse door")["bubble"]["shown"]);
  EXPECT_FALSE(Named(at(1000), "Mira")["moving"]);
  EXPECT_EQ(at(1000)["event_target"], Named(at(1000), "Storehouse door")["index"]);
  EXPECT_EQ(at(1000)["event_unit"], Named(at(1000), "Mira")["index"]);
  // Rowan has the key: it is gone from the map and on his bar.
  EXPECT_EQ(Held(Named(at(2500), "Rowan")), json::parse("[[1, 1]]"));
  EXPECT_FALSE(Named(at(2500), "Brass key")["visible"]);
  EXPECT_EQ(at(2500)["inventory_bar"], json::parse(R"({"shown": true, "objects": [1]})"));
  // Hovered and given: exactly one piece moved.
  EXPECT_EQ(at(5000)["hovered_object"], 1);
  EXPECT_EQ(at(5000)["tooltip"]["name"], "Brass key");
  EXPECT_EQ(at(5100)["inventory_bar"]["shown"], false) << "Rowan holds nothing more";
  EXPECT_EQ(Held(Named(at(5200), "Rowan")), json::array());
  EXPECT_EQ(Held(Named(at(5200), "Mira")), json::parse("[[1, 1]]"));
  // Opened: the key used, the draught from the script, the picture shown, the door still there
  // until two seconds have passed.
  const json& opened = at(5500);
  EXPECT_EQ(Held(Named(opened, "Mira")), json::parse("[[6, 3]]"));
  EXPECT_EQ(Named(opened, "Storehouse door")["event"]["process"], 0);
  EXPECT_EQ(opened["image_dialog"]["file"], "storehouse.bmp");
  EXPECT_TRUE(opened["image_dialog"]["shown"]);
  EXPECT_TRUE(Named(at(7300), "Storehouse door")["visible"]);
  EXPECT_FALSE(Named(at(7500), "Storehouse door")["visible"]);

  EXPECT_EQ(json::parse(run.dump)["tooltip"], json::parse(R"({"shown": true, "name": "Healing draught",
                                              "description": "A red draught that heals wounds.\nThree doses."})"));
  // Every sound in order: locked, picked up, received, given, opened, the draught received.
  std::vector<std::string> sounds;
  std::istringstream transcript(run.transcript);
  for (std::string line; std::getline(transcript, line);) {
    const std::size_t at = line.find(" sound ");
    if (at != std::string::npos) sounds.push_back(line.substr(line.rfind('\\') + 1));
  }
  EXPECT_EQ(sounds, (std::vector<std::string>{"action_ng.wav", "pickup_object.wav", "pickup_object.wav", "give_object.wav",
                                              "action_ok.wav", "pickup_object.wav"}));
}

}  // namespace
