// Script threads: SLEEP on the virtual clock, the owner unit, starts of a running script, the
// manager's table, and stopping at the next line.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "script/script_manager.h"
#include "script/script_unit_fields.h"
#include "script_world.h"

namespace {

using nlohmann::json;
using testing_support::ScriptWorld;

class ScriptThreads : public ScriptWorld {};

TEST_F(ScriptThreads, SleepWaitsOnTheVirtualClock) {
  // 10 ms a pass: SLEEP 25 is over in the third pass.
  const char* text = "SET a = 1\nSLEEP 25\nSET a = 2\nSLEEP 1000\nSET a = 3";
  const struct {
    int passes;
    int a;
    int line;
  } cases[] = {{0, 1, 2}, {2, 1, 2}, {3, 2, 4}, {102, 2, 4}, {103, 3, 0}};
  for (const auto& c : cases) {
    UsePasses(c.passes);
    Register("sleeper", text);
    StartScript("sleeper");
    RunPasses();
    EXPECT_EQ(Variables()["a"], c.a) << c.passes;
    EXPECT_EQ(Scripts(), json::array({{{"name", "sleeper"}, {"running", c.line != 0}, {"line", c.line}}})) << c.passes;
  }
}

// A script that never sleeps runs one slice a pass. SLEEP 0 waits for nothing, so it must not
// restart the slice: a loop of them would never pause.
TEST_F(ScriptThreads, AScriptThatNeverSleepsRunsOneSliceAPassEvenWithSleepsOfNoTime) {
  const struct {
    const char* body;
    int loopLines, offset;  // the SET's place among the loop's lines
  } cases[] = {{"SET n = +1\n", 3, -1}, {"SET n = +1\nSLEEP 0\n", 4, 1}};
  for (const auto& c : cases) {
    for (int passes : {1, 3}) {
      UsePasses(passes);
      Register("busy", std::string("SET n = 0\nWHILE n >= 0\n") + c.body + "ENDWHILE");
      StartScript("busy");
      RunPasses();
      // The first slice and one more for each pass.
      EXPECT_EQ(Variables()["n"], (script::kLinesPerSlice * (passes + 1) + c.offset) / c.loopLines) << c.body << passes;
    }
  }
}

// A unit's event starts its script inside the step; the script's first line waits for the end
// of the pass, so the frame drawn after the step never depends on which thread ran first.
TEST_F(ScriptThreads, AScriptAPassStartsBeginsAfterThatPassHasEnded) {
  UsePasses(3);
  Register("late", "SET a = 1");
  platform::Platform& os = platform::Get();
  os.GameLoopStarting();
  std::thread loop([&] {
    bool first = true;
    while (os.BeginFrame()) {
      if (first) {
        StartScript("late");
        // Ample time for a script thread that did not wait to run its line.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(Variables()["a"].is_null()) << "the script ran inside the pass that started it";
        first = false;
      }
      os.EndFrame();
    }
  });
  RunPasses();
  os.GameLoopStopping();
  loop.join();
  EXPECT_EQ(Variables()["a"], 1);
}

TEST_F(ScriptThreads, TheOwnerIsTheEventUnitWhileTheRunLasts) {
  UsePasses(5);
  AddUnits({{100, 100}});
  CGameUnit& owner = Unit(1);
  Register("talk", "SLEEP 30\nIF test_unit_1.ISEVENTCOLLISION = TRUE\nSET owned = TRUE\nENDIF\nCHECK_POINT");
  owner.SetPosition({50, 60});
  StartScript("talk", &owner);
  {
    engine::WorldLock lock(engine_->Lock());
    EXPECT_TRUE(scripts_->World().unitFields.Peek(&owner).eventCollision);
  }
  RunPasses();
  EXPECT_EQ(Variables(), json({{"owned", true}}));
  EXPECT_EQ(owner.spawn, (units::Point{50, 60}));
  EXPECT_FALSE(scripts_->World().unitFields.Peek(&owner).eventCollision);
  EXPECT_FALSE(Scripts()[0]["running"]);
}

TEST_F(ScriptThreads, ASecondStartOfARunningScriptIsLostAndALaterOneRunsFromTheTop) {
  // The clock does not move: "door" stays in its SLEEP while it is started again.
  COrvantaScript* door = Register("door", "SET opened = +1\nSLEEP 20\nSET closed = +1");
  StartScript("door");
  while (door->CurrentLine() != 2) std::this_thread::yield();  // in its SLEEP, on a loaded machine too
  StartScript("door");
  COrvantaScript* count = Register("count", "SET runs = +1");
  for (int run = 0; run < 3; ++run) {
    StartScript("count");
    while (count->IsRunning()) std::this_thread::yield();
  }
  scripts_->StopAll();
  EXPECT_EQ(Variables(), json({{"opened", 1}, {"runs", 3}}));
}

TEST_F(ScriptThreads, TheManagerKeeps256ScriptsAndStartsTheFirstOfAName) {
  UsePasses(0);
  EXPECT_NE(Register("twice", "SET first = TRUE"), nullptr);
  EXPECT_NE(Register("twice", "SET second = TRUE"), nullptr);
  EXPECT_NE(Register("Twice", "SET other = TRUE"), nullptr);
  for (int i = 3; i < 256; ++i) ASSERT_TRUE(RegisterOwned(std::make_unique<COrvantaScript>()));
  EXPECT_FALSE(RegisterOwned(std::make_unique<COrvantaScript>()));
  EXPECT_EQ(Register("late", "SET late = TRUE"), nullptr);
  EXPECT_FALSE(RegisterOwned(nullptr));
  EXPECT_EQ(scripts_->Count(), 256u);
  StartScript("twice");
  StartScript("late");
  StartScript("");  // unloaded scripts have no name and never run
  RunPasses();
  EXPECT_EQ(Variables(), json({{"first", true}}));
  scripts_->RemoveScript(1);    // a removed script's slot takes the next one
  scripts_->RemoveScript(300);  // no such slot: nothing
  EXPECT_NE(Register("third", "SET c = 1"), nullptr);
  EXPECT_EQ(scripts_->Count(), 256u);
  EXPECT_EQ(scripts_->At(1)->Name(), "third");
}

TEST_F(ScriptThreads, StopEndsARunAtTheNextLineAndShutdownCutsSleepsShort) {
  // The clock never moves here: only a stop can end these runs.
  Register("spin", "SET n = 0\nWHILE n >= 0\nSET n = +1\nENDWHILE");
  Register("nap", "SLEEP 3600000\nSET woke = TRUE");
  StartScript("spin");
  StartScript("nap");
  // Wait (boundedly) until the busy run has got going, however loaded the machine is.
  for (int i = 0; i < 5000 && !(Variables().contains("n") && Variables()["n"] > 0); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  scripts_->StopAll();
  const json scripts = Scripts();
  EXPECT_FALSE(scripts[0]["running"]);
  EXPECT_FALSE(scripts[1]["running"]);
  // The sleep was cut short but the running flag, read after it, ended the run before its next
  // line.
  EXPECT_FALSE(Variables().contains("woke"));
  EXPECT_GT(Variables()["n"], 0);
}

}  // namespace
