// The demo's storehouse door played through: Mira finds it locked and waits outside the pen where
// Elena is shut in with the brass key; Elena picks the key up, cannot get past the barred gate,
// and hands the key over it to Mira with 'M' over the key's icon; Mira opens the door: the key is
// used, the storehouse's picture shows, a healing draught comes from the door's script, the gate
// is taken away so Elena walks out, and the door is gone two seconds later. Saved (F5) while the
// door's two seconds run and messages are half-way through their lives, the game resumed from
// the save ends alike. Every run is made twice; both must leave the same dump, trace and
// transcript.
#include <gtest/gtest.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "headless_runs.h"

namespace {

using e2e::Unit;
using nlohmann::json;

// Window pixels; the camera stays at (3456, 3680). The gate stands at map (3648, 4288), its bar
// across y 4317..4323. The bar's first icon is at (600, 702).
const std::string kInput =
    "100 ldown 544 256\n110 lup 544 256\n"     // Mira
    "200 rdown 672 210\n210 rup 672 210\n"     // to the door: locked
    "1200 rdown 224 210\n1210 rup 224 210\n"   // west along the plaza
    "1900 rdown 224 602\n1910 rup 224 602\n"   // down to just outside the gate
    "2600 ldown 160 704\n2610 lup 160 704\n"   // Elena, in the pen
    "2700 rdown 272 688\n2710 rup 272 688\n"   // onto the key
    "3500 rdown 224 470\n3510 rup 224 470\n"   // out to the plaza: the gate holds her
    "4500 rdown 224 650\n4510 rup 224 650\n"   // just inside the gate
    "5000 move 616 718\n5100 key M\n"          // the key's icon, give
    "5300 ldown 224 585\n5310 lup 224 585\n"   // Mira
    "5400 rdown 224 170\n5410 rup 224 170\n"   // up to the plaza
    "6100 rdown 672 210\n6110 rup 672 210\n"   // the door again
    "7000 ldown 224 660\n7010 lup 224 660\n"   // Elena
    "7100 rdown 224 470\n7110 rup 224 470\n";  // out through the open gateway

json Held(const json& unit) {
  json held = json::array();
  for (const json& slot : unit.at("inventory")) {
    if (slot.at(0) != 0) held.push_back(slot);
  }
  return held;
}

TEST(DoorEndToEnd, TheKeyIsHandedOverThePenGateAndOpensTheStorehouseAndASaveOnTheWayResumes) {
  testing_support::TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  const auto [run, saved] = e2e::ExpectResumedRunEndsAlike(dir, kInput, 7000, "--frames 1000");
  const std::vector<json> lines = e2e::Lines(run.trace);
  ASSERT_EQ(lines.size(), 100u);
  auto at = [&](int ms) -> const json& { return lines[static_cast<std::size_t>(ms / 100 - 1)]; };
  auto unit = [&](int ms, const char* name) -> const json& { return Unit(at(ms).at("units"), name); };
  constexpr int kGateBarBottom = 4288 + 35, kPenTop = 4288, kBoxTop = 34, kBoxBottom = 60;

  // Locked: the door's bubble, Mira stopped at it.
  EXPECT_TRUE(unit(1000, "Storehouse_door").at("bubble").at("shown"));
  EXPECT_FALSE(unit(1000, "Mira").at("moving"));
  EXPECT_EQ(at(1000).at("event_target"), unit(1000, "Storehouse_door").at("index"));
  EXPECT_EQ(at(1000).at("event_unit"), unit(1000, "Mira").at("index"));
  // Elena has the key: it is gone from the map and on her bar.
  EXPECT_EQ(Held(unit(3300, "Elena")), json::parse("[[1, 1]]"));
  EXPECT_FALSE(unit(3300, "Brass_key").at("visible"));
  EXPECT_EQ(at(3300).at("inventory_bar"), json::parse(R"({"shown": true, "objects": [1]})"));
  // Sent out, she still presses against the gate a second later, inside the pen.
  const json& barred = unit(4400, "Elena");
  EXPECT_TRUE(barred.at("moving"));
  EXPECT_GT(barred.at("y").get<int>() + kBoxTop, kGateBarBottom);
  // Hovered and handed over the gate: exactly one piece moved.
  EXPECT_EQ(at(5000).at("hovered_object"), 1);
  EXPECT_EQ(at(5000).at("tooltip").at("name"), "Brass key");
  EXPECT_EQ(at(5100).at("inventory_bar").at("shown"), false) << "Elena holds nothing more";
  EXPECT_EQ(Held(unit(5200, "Elena")), json::array());
  EXPECT_EQ(Held(unit(5200, "Mira")), json::parse("[[1, 1]]"));
  // Opened: the key used, the draught from the script, the picture shown, the gate gone, the
  // door still there until two seconds have passed.
  EXPECT_EQ(Held(unit(6800, "Mira")), json::parse("[[6, 3]]"));
  EXPECT_EQ(unit(6800, "Storehouse_door").at("event").at("process"), 0);
  EXPECT_TRUE(at(6800).at("image_dialog").at("shown"));
  EXPECT_FALSE(unit(6800, "Pen_gate").at("visible"));
  EXPECT_TRUE(unit(8700, "Storehouse_door").at("visible"));
  EXPECT_FALSE(unit(8800, "Storehouse_door").at("visible"));
  // Elena walked out of the pen.
  const json dump = json::parse(run.dump);
  const json& freed = Unit(dump.at("units"), "Elena");
  EXPECT_FALSE(freed.at("moving"));
  EXPECT_LT(freed.at("y").get<int>() + kBoxBottom, kPenTop);
  EXPECT_EQ(dump.at("variables"), json({{"storehouse_open", true}, {"chapter", 1}})) << "set by the door's script";

  // The save: the door's disappearance pending, HUD messages half-way through their lives.
  const uint32_t tick = saved.at("tick");
  const uint32_t expiry = e2e::SavedUnit(saved, "Storehouse_door").at("expiry");
  EXPECT_GT(expiry, tick);
  EXPECT_LT(expiry, tick + 2000) << "the door's disappearance is pending";
  int halfSpent = 0;
  for (const json& message : saved.at("messages")) {
    const uint32_t left = message.at("expiry").get<uint32_t>() - tick;
    halfSpent += message.at("used").get<bool>() && left > 0 && left < 5000;
  }
  EXPECT_GE(halfSpent, 2);

  // Every sound in order: locked, picked up, received, given, opened, the draught received.
  EXPECT_EQ(e2e::Sounds(run.transcript),
            (std::vector<std::string>{"action_ng.wav", "pickup_object.wav", "pickup_object.wav", "give_object.wav",
                                      "action_ok.wav", "pickup_object.wav"}));

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
                "7000 hud \"Game saved\"",
            }));
}

}  // namespace
