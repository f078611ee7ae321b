// The demo's storehouse door played through: Mira finds it locked and waits outside the pen where
// Elena is shut in with the brass key; Elena picks the key up, cannot get past the barred gate,
// and hands the key over it to Mira with 'M' over the key's icon; Mira opens the door: the key is
// used, the storehouse's picture shows, a healing draught comes from the door's script, the gate
// is taken away so Elena walks out, and the door is gone two seconds later. Run twice; both runs
// must leave the same dump, trace and transcript.
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

TEST(DoorEndToEnd, TheKeyIsHandedOverThePenGateAndOpensTheStorehouse) {
  testing_support::TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  // Window pixels; the camera stays at (3456, 3680). The gate stands at map (3648, 4288), its bar
  // across y 4317..4323. The bar's first icon is at (600, 702).
  dir.Write("input.txt",
            "100 ldown 544 256\n110 lup 544 256\n"      // Mira
            "200 rdown 672 210\n210 rup 672 210\n"      // to the door: locked
            "1200 rdown 224 210\n1210 rup 224 210\n"    // west along the plaza
            "1900 rdown 224 602\n1910 rup 224 602\n"    // down to just outside the gate
            "2600 ldown 160 704\n2610 lup 160 704\n"    // Elena, in the pen
            "2700 rdown 272 688\n2710 rup 272 688\n"    // onto the key
            "3500 rdown 224 470\n3510 rup 224 470\n"    // out to the plaza: the gate holds her
            "4500 rdown 224 650\n4510 rup 224 650\n"    // just inside the gate
            "5000 move 616 718\n5100 key M\n"           // the key's icon, give
            "5300 ldown 224 585\n5310 lup 224 585\n"    // Mira
            "5400 rdown 224 170\n5410 rup 224 170\n"    // up to the plaza
            "6100 rdown 672 210\n6110 rup 672 210\n"    // the door again
            "7000 ldown 224 660\n7010 lup 224 660\n"    // Elena
            "7100 rdown 224 470\n7110 rup 224 470\n");  // out through the open gateway
  const e2e::Outputs run = e2e::RunTwice(dir, "--input input.txt --frames 1000 --dump-every 100 trace.jsonl");
  const std::vector<json> lines = e2e::Lines(run.trace);
  ASSERT_EQ(lines.size(), 100u);
  auto at = [&](int ms) -> const json& { return lines[static_cast<std::size_t>(ms / 100 - 1)]; };
  constexpr int kGateBarBottom = 4288 + 35, kPenTop = 4288, kBoxTop = 34, kBoxBottom = 60;

  // Locked: the need message, the door's bubble, Mira stopped at it.
  EXPECT_EQ(at(1000)["messages"][0]["text"], "You need Brass key x1");
  EXPECT_TRUE(Named(at(1000), "Storehouse door")["bubble"]["shown"]);
  EXPECT_FALSE(Named(at(1000), "Mira")["moving"]);
  EXPECT_EQ(at(1000)["event_target"], Named(at(1000), "Storehouse door")["index"]);
  EXPECT_EQ(at(1000)["event_unit"], Named(at(1000), "Mira")["index"]);
  // Elena has the key: it is gone from the map and on her bar.
  EXPECT_EQ(Held(Named(at(3300), "Elena")), json::parse("[[1, 1]]"));
  EXPECT_FALSE(Named(at(3300), "Brass key")["visible"]);
  EXPECT_EQ(at(3300)["inventory_bar"], json::parse(R"({"shown": true, "objects": [1]})"));
  // Sent out, she still presses against the gate a second later, inside the pen.
  const json& barred = Named(at(4400), "Elena");
  EXPECT_TRUE(barred["moving"]);
  EXPECT_GT(barred["y"].get<int>() + kBoxTop, kGateBarBottom);
  // Hovered and handed over the gate: exactly one piece moved.
  EXPECT_EQ(at(5000)["hovered_object"], 1);
  EXPECT_EQ(at(5000)["tooltip"]["name"], "Brass key");
  EXPECT_EQ(at(5100)["inventory_bar"]["shown"], false) << "Elena holds nothing more";
  EXPECT_EQ(Held(Named(at(5200), "Elena")), json::array());
  EXPECT_EQ(Held(Named(at(5200), "Mira")), json::parse("[[1, 1]]"));
  // Opened: the key used, the draught from the script, the picture shown, the gate gone, the
  // door still there until two seconds have passed.
  const json& opened = at(6800);
  EXPECT_EQ(Held(Named(opened, "Mira")), json::parse("[[6, 3]]"));
  EXPECT_EQ(Named(opened, "Storehouse door")["event"]["process"], 0);
  EXPECT_EQ(opened["image_dialog"]["file"], "storehouse.bmp");
  EXPECT_TRUE(opened["image_dialog"]["shown"]);
  EXPECT_FALSE(Named(opened, "Pen gate")["visible"]);
  EXPECT_TRUE(Named(opened, "Elena")["bubble"]["shown"]);
  EXPECT_TRUE(Named(at(8700), "Storehouse door")["visible"]);
  EXPECT_FALSE(Named(at(8800), "Storehouse door")["visible"]);
  // Elena walked out of the pen.
  const json freed = Named(json::parse(run.dump), "Elena");
  EXPECT_FALSE(freed["moving"]);
  EXPECT_LT(freed["y"].get<int>() + kBoxBottom, kPenTop);

  // Every sound in order: locked, picked up, received, given, opened, the draught received.
  std::vector<std::string> sounds;
  std::istringstream transcript(run.transcript);
  for (std::string line; std::getline(transcript, line);) {
    const std::size_t at = line.find(" sound ");
    if (at != std::string::npos) sounds.push_back(line.substr(line.rfind('\\') + 1));
  }
  EXPECT_EQ(sounds, (std::vector<std::string>{"action_ng.wav", "pickup_object.wav", "pickup_object.wav",
                                              "give_object.wav", "action_ok.wav", "pickup_object.wav"}));

  // Every text the player read, when a frame first showed it: a selected player's description
  // and name, the door's answers, the messages, the storehouse's picture. A name still on show
  // is not told again.
  std::vector<std::string> shown;
  std::istringstream again(run.transcript);
  for (std::string line; std::getline(again, line);) {
    for (const char* kind : {" hud ", " bubble ", " name ", " banner ", " image "}) {
      if (line.find(kind) != std::string::npos && line.find(kind) == line.find(' ')) shown.push_back(line);
    }
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{
                "100 bubble Mira \"Mira, the scout.\\nQuick on her feet and a fine shot.\"",
                "100 name Mira \"Mira\"",
                "380 bubble Storehouse_door \"Locked. Elena found the brass key\\nin the pen where she is shut in.\"",
                "380 name Storehouse_door \"Storehouse door\"",
                "380 hud \"You need Brass key x1\"",
                "2600 bubble Elena \"Elena, the healer.\\nShe keeps the squad on its feet.\"",
                "2600 name Elena \"Elena\"",
                "2860 hud \"You obtained Brass key x1\"",
                "5100 hud \"You obtained Brass key x1\"",
                "5300 bubble Mira \"Mira, the scout.\\nQuick on her feet and a fine shot.\"",
                "5300 name Mira \"Mira\"",
                "6720 bubble Storehouse_door \"The lock turns with a creak.\"",
                "6720 hud \"You have used Brass key x1\"",
                "6730 bubble Elena \"Free at last! The brass key was worth the wait.\"",
                "6730 name Elena \"Elena\"",
                "6730 hud \"You obtained Healing draught x3\"",
                "6730 image storehouse.bmp",
                "7000 bubble Elena \"Elena, the healer.\\nShe keeps the squad on its feet.\"",
            }));
}

}  // namespace
