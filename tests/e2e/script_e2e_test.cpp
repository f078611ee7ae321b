// A small project whose initial script moves the camera, keeps variables, walks a stand-in
// player and talks: run headless twice, the state must match byte for byte; a script that never
// sleeps neither freezes the run nor its end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "support/dump_units.h"
#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using nlohmann::json;
using testing_support::ReadText;
using testing_support::RunTessaloom;
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

// The demo's pictures, map and sounds with a Data folder of its own that names the script.
void MakeProject(const TempDir& dir, const std::string& script) {
  const std::filesystem::path demo = std::filesystem::path(TL_SOURCE_DIR) / "Projects" / "Demo";
  dir.Write("Projects/autoexec.ini", "[autoexec]\nproject_name=Story\n");
  for (const char* folder : {"Fonts", "Graphics", "Map", "Sounds"}) {
    std::filesystem::create_directories(dir / "Projects/Story");
    std::filesystem::create_directory_symlink(demo / folder, dir / ("Projects/Story/" + std::string(folder)));
  }
  for (const auto& entry : std::filesystem::directory_iterator(demo / "Data")) {
    std::filesystem::create_directories(dir / "Projects/Story/Data");
    std::filesystem::copy_file(entry.path(), dir / ("Projects/Story/Data/" + entry.path().filename().string()));
  }
  std::ofstream(dir / "Projects/Story/Data/config.ini", std::ios::app) << "initial_script=intro.txt\r\n";
  dir.Write("Projects/Story/Scripts/intro.txt", script);
}

class ScriptEndToEnd : public ::testing::Test {
 protected:
  json Run(const std::string& args, std::string* raw = nullptr) {
    auto result = RunTessaloom(dir_.path(), "--headless --dump-state dump.json " + args + " Story");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string text = ReadText(dir_ / "dump.json");
    if (raw != nullptr) *raw = text;
    return json::parse(text);
  }
  TempDir dir_;
};

TEST_F(ScriptEndToEnd, TheInitialScriptSetsTheSceneTheSameWayEveryRun) {
  MakeProject(dir_, kIntro);
  const std::string args = "--frames 60 --dump-every 50 trace.jsonl --test-unit 3700,3900,3700,3900,5";
  std::string first, second;
  const json dump = Run(args, &first);
  const std::string firstTrace = ReadText(dir_ / "trace.jsonl");
  Run(args, &second);
  EXPECT_EQ(first, second);
  EXPECT_EQ(firstTrace, ReadText(dir_ / "trace.jsonl"));

  EXPECT_EQ(dump["camera"], json({3000, 3200}));
  EXPECT_EQ(dump["variables"], json({{"steps", 3}, {"hero", "test_unit_1"}, {"ready", true}}));
  EXPECT_EQ(dump["scripts"], json::array({{{"name", "init_script"}, {"running", true}, {"line", 15}}}));
  const json unit = testing_support::UnitNamed(dump["units"], "test_unit_1");
  EXPECT_EQ(unit["dest"], json({3900, 3900}));
  EXPECT_EQ(unit["bubble"]["text"], "Follow me!");
  EXPECT_TRUE(unit["bubble"]["shown"]);
  EXPECT_GT(unit["x"], 3700);  // walked off after the 3 x 25 ms loop

  // The loop's SLEEPs end on the 10 ms passes: steps counts 1 at once, 2 at 30 ms, 3 at 60 ms.
  std::istringstream trace(firstTrace);
  std::string line;
  std::getline(trace, line);
  EXPECT_EQ(json::parse(line)["variables"]["steps"], 2) << line;  // at 50 ms
}

TEST_F(ScriptEndToEnd, AScriptThatNeverSleepsLetsTheGameRunAndQuit) {
  MakeProject(dir_, "SET n = 0\nWHILE n >= 0\n  SET n = +1\nENDWHILE\n");
  std::string first, second;
  const json dump = Run("--frames 50", &first);
  Run("--frames 50", &second);
  EXPECT_EQ(first, second);
  EXPECT_TRUE(dump["scripts"][0]["running"]);
  EXPECT_GT(dump["variables"]["n"], 50 * 1000);  // it kept running through every pass

  // Escape, answered yes, quits at once although the script is still busy.
  dir_.Write("input.txt", "100 key ESC\n");
  Run("--frames 100000 --input input.txt --answer yes --transcript transcript.txt");
  EXPECT_NE(ReadText(dir_ / "transcript.txt").find("\n100 quit 0\n"), std::string::npos)
      << ReadText(dir_ / "transcript.txt");
}

}  // namespace
