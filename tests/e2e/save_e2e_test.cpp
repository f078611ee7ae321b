// Saved games end to end. A run that saves with F5 at an awkward moment, resumed from its save
// with --load and the same command line, must end in the same world: the same dump, the same
// periodic trace and transcript after the save. F9 brings back the saved world exactly. Bad
// saves (truncated, bit-flipped, of another game, edited) are refused with a box, and the game
// goes on as if nothing had been loaded. Every run is made twice. (The storehouse door and the
// bots' chase are saved and resumed in their own tests.)
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "headless_runs.h"

namespace {

using e2e::ExpectResumedRunEndsAlike;
using e2e::ReadSaveText;
using e2e::SaveBody;
using nlohmann::json;
using testing_support::TempDir;

// The file again with an edited body and a checksum that matches it.
std::string Resealed(const std::string& file, const json& body) {
  const std::string text = body.dump() + "\n";
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : text) hash = (hash ^ byte) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return file.substr(0, file.find('\n') + 1) + "checksum " + hex + "\n" + text;
}

// The demo as it ships, its story running: the opening's scripts wait in their SLEEPs, its
// picture is up, and Mira is walked east along the plaza after it.
TEST(SaveEndToEnd, TheDemoWithItsStoryResumesExactly) {
  TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  const std::string input =
      "2800 ldown 20 20\n2810 lup 20 20\n2900 ldown 800 586\n2910 lup 800 586\n"
      "3000 rdown 1100 586\n3010 rup 1100 586\n";
  for (int saveAt : {1500, 2850}) {
    ExpectResumedRunEndsAlike(dir, input, saveAt, "--frames 600");
    EXPECT_FALSE(SaveBody(ReadSaveText(dir)).at("scripts").at("runs").empty())
        << "the story is in the middle of its run";
  }
}

// The players walk into Sable's road (see bots_e2e_test.cpp, which saves mid-chase): saved while
// her fire ball flies.
TEST(SaveEndToEnd, ABotsFireBallInFlightResumesExactly) {
  TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  const json saved = ExpectResumedRunEndsAlike(dir, e2e::kBoxRoundThePlaza + "200 rdown 1250 400\n210 rup 1250 400\n",
                                               4100, "--frames 700")
                         .engine;
  const int ball = e2e::SavedUnit(saved, "Huntress_Sable").at("projectile");
  ASSERT_GE(ball, 0);
  EXPECT_TRUE(saved.at("units").at(ball).at("visible")) << "her fire ball is in flight";
  EXPECT_TRUE(saved.at("units").at(ball).at("moving"));
}

// A script in a SLEEP inside a WHILE inside an IF, after it changed a map cell.
constexpr const char* kNested =
    "SET_MAP_TILE 55,57,Overlays,NULL,0\r\n"
    "SET_MAP_TILE 56,57,Ground,NULL,0\r\n"
    "SET phase = 1\r\n"
    "IF phase = 1\r\n"
    "  WHILE phase < 40\r\n"
    "    SET phase = +1\r\n"
    "    SLEEP 70\r\n"
    "  ENDWHILE\r\n"
    "  SET_CAMERA_POSITION 3000,3200\r\n"
    "ENDIF\r\n"
    "SET done = TRUE\r\n";

void MakeNestedProject(const TempDir& dir) {
  testing_support::UseDemoCopy(dir, "Story", "project_name=Story\n", {"Data", "Scripts"});
  dir.Write("Projects/Story/Scripts/intro.txt", kNested);  // the project's initial script
}

TEST(SaveEndToEnd, AScriptSleepingInsideAWhileInsideAnIfResumesWhereItWas) {
  TempDir dir;
  MakeNestedProject(dir);
  const json saved = ExpectResumedRunEndsAlike(dir, "100 move 300 300\n", 555, "--frames 400").engine;
  const json body = SaveBody(ReadSaveText(dir));
  ASSERT_EQ(body.at("scripts").at("runs").size(), 1u);
  const json& run = body.at("scripts").at("runs").at(0);
  EXPECT_EQ(run.at("script"), "init_script");
  EXPECT_TRUE(run.at("waiting"));
  EXPECT_EQ(run.at("resume").size(), 2u) << "inside the IF and the WHILE";
  EXPECT_EQ(saved.at("map").at("cells").size(), 2u);
  const json dump = json::parse(testing_support::ReadText(dir / "dump.json"));
  EXPECT_EQ(dump.at("variables"), json({{"phase", 40}, {"done", true}}));
}

// F9 at 1500 brings back the world saved at 560: the run then ends one pass later exactly as a
// run that ended one pass after the save.
TEST(SaveEndToEnd, LoadingInTheMiddleOfAGameReturnsToTheSavedWorld) {
  TempDir dir;
  MakeNestedProject(dir);
  dir.Write("input.txt", "100 move 300 300\n560 key F5\n900 ldown 500 300\n910 lup 500 300\n1500 key F9\n");
  const e2e::Outputs loaded = e2e::RunTwice(dir, "--input input.txt --save-dir saves --frames 150");
  const e2e::Outputs atSave = e2e::RunTwice(dir, "--input input.txt --save-dir other --frames 56");
  EXPECT_EQ(loaded.dump, atSave.dump);
  EXPECT_NE(loaded.transcript.find("hud \"Game saved\""), std::string::npos) << loaded.transcript;
}

class BadSaves : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeNestedProject(dir_);
    dir_.Write("input.txt", "300 key F5\n");
    e2e::RunLinuxHeadless(dir_, "--input input.txt --save-dir saves --frames 40", 0);
    good_ = ReadSaveText(dir_);
    // The run as if nothing were loaded: F9 with nothing to load only adds its HUD message.
    dir_.Write("input.txt", "100 move 300 300\n");
    plain_ = e2e::RunTwice(dir_, "--input input.txt --frames 120");
  }
  // A bad save given to --load: a box with the reason, then the game from its beginning.
  std::string LoadAtStart(const std::string& bytes) {
    dir_.Write("bad.tsav", bytes);
    const e2e::Outputs run = e2e::RunTwice(dir_, "--input input.txt --frames 120 --load bad.tsav");
    EXPECT_EQ(run.dump, plain_.dump);
    EXPECT_EQ(run.transcript.find(" box "), run.transcript.rfind(" box ")) << "one box";
    return run.transcript;
  }
  TempDir dir_;
  std::string good_;
  e2e::Outputs plain_;
};

TEST_F(BadSaves, DamagedOrForeignSavesAreRefusedAndTheGameStartsFromTheBeginning) {
  const std::string damaged = "The saved game cannot be read: the file is damaged or is not a saved game.";
  json other = SaveBody(good_);
  other["project"] = "Demo";
  json changed = SaveBody(good_);
  changed["fingerprint"] = "0123456789abcdef";
  json huge = SaveBody(good_);
  huge["scripts"]["runs"][0]["resume"] = json(std::vector<int>(100000, 1));
  json wrongUnit = SaveBody(good_);
  wrongUnit["engine"]["units"][0]["owner"] = 5000000;
  std::string flipped = good_;
  flipped[flipped.size() / 2] ^= 0x10;
  const struct {
    const char* what;
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"truncated", good_.substr(0, good_.size() / 2), damaged},
      {"bit-flipped", flipped, damaged},
      {"not a save", "hello\n", damaged},
      {"another format", "TESSALOOM SAVE 99\n" + good_.substr(good_.find('\n') + 1),
       "another version of the game engine (save format 99; this one reads 1)"},
      {"another game", Resealed(good_, other), "The saved game belongs to another game ('Demo')."},
      {"changed files", Resealed(good_, changed), "The game's files have changed since this game was saved."},
      {"huge resume list", Resealed(good_, huge), "'resume' has too many entries"},
      {"unit out of the table", Resealed(good_, wrongUnit), "'owner' is out of range"},
  };
  for (const auto& c : cases) {
    const std::string transcript = LoadAtStart(c.bytes);
    EXPECT_NE(transcript.find("caption=\"Load game\""), std::string::npos) << c.what << "\n" << transcript;
    EXPECT_NE(transcript.find(c.reason), std::string::npos) << c.what << "\n" << transcript;
  }
}

TEST_F(BadSaves, ABadSaveLoadedMidGameLeavesTheGameUntouched) {
  const std::string input = "100 move 300 300\n600 key F9\n";
  dir_.Write("input.txt", input);
  std::filesystem::create_directories(dir_ / "slot");
  json wrongUnit = SaveBody(good_);
  wrongUnit["scripts"]["runs"][0]["owner"] = 5000;
  dir_.Write("slot/quicksave.tsav", Resealed(good_, wrongUnit));
  const e2e::Outputs refused = e2e::RunTwice(dir_, "--input input.txt --save-dir slot --frames 120");
  EXPECT_EQ(refused.dump, plain_.dump) << "the running game is unharmed";
  EXPECT_NE(refused.transcript.find("caption=\"Load game\""), std::string::npos) << refused.transcript;
  // Nothing in the slot: a HUD message, nothing else changes.
  const e2e::Outputs empty = e2e::RunTwice(dir_, "--input input.txt --save-dir nothing-here --frames 120");
  EXPECT_NE(empty.transcript.find("There is no saved game"), std::string::npos) << empty.transcript;
  EXPECT_EQ(empty.transcript.find(" box "), std::string::npos) << empty.transcript;
}

}  // namespace
