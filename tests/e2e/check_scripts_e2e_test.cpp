// `--check-scripts PROJECT` on small projects: the dropped lines of each script with their file
// and line number, the loops that hold the game up, files beyond the script bounds, and the exit
// codes a build script can test.
#include <gtest/gtest.h>

#include <string>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::RunTessaloom;
using testing_support::TempDir;

TEST(CheckScriptsEndToEnd, ListsEveryDroppedLineAndFails) {
  TempDir dir;
  dir.Write("Projects/Quest/Scripts/door.txt",
            "// open the gate\r\n"
            "SET gate.VISIBLE = FALSE\r\n"
            "\r\n"
            "SHOW gate\r\n"
            "IF opened\r\n"
            "Sleep 500\r\n"
            "PLAYSOUND gate.wav\r\n"
            "//todo\r\n"
            "CHECK_POINT here\r\n");
  dir.Write("Projects/Quest/Scripts/intro.txt",
            "SET_CAMERA_POSITION 0,0\n"
            "SET hero.MESSAGE = \"Welcome, traveller.\"\n"
            "SHOW hero.MESSAGE\n"
            "SET\n");
  dir.Write("Projects/Quest/Scripts/start.txt", "SLEEP 10\n");
  // Loops that can go round without a SLEEP are named after the dropped lines (the ones at 2, 15,
  // 20 and 25, whose SLEEP 0 waits for nothing); a SLEEP or EXIT in the loop's own lines or in both branches of an IF
  // waits surely.
  dir.Write("Projects/Quest/Scripts/wait.txt",
            "SET n = 0\n"
            "WHILE n < 10\n  SET n = +1\nENDWHILE\n"
            "WHILE ready = FALSE\n  SLEEP 100\nENDWHILE\n"
            "WHILE ready = FALSE\n  IF n < 3\n    SLEEP 10\n  ELSE\n    EXIT\n  ENDIF\nENDWHILE\n"
            "WHILE ready = FALSE\n  IF n < 3\n    SLEEP 10\n  ENDIF\nENDWHILE\n"
            "WHILE ready = FALSE\n  WHILE n < 3\n    SLEEP 10\n  ENDWHILE\nENDWHILE\n"
            "WHILE ready = FALSE\n  SLEEP 0\nENDWHILE\n"
            "WHILE n < 3\n");
  auto result = RunTessaloom(dir.path(), "--check-scripts Quest");
  EXPECT_EQ(result.exitCode, 1);
  const std::string warning =
      ": warning: WHILE can go round without reaching a SLEEP: it holds the game up while it loops\n";
  EXPECT_EQ(result.out,
            "door.txt:4: SHOW needs unit.MESSAGE, as in: SHOW guard.MESSAGE\n"
            "door.txt:5: IF needs a left operand, an operator and a right operand, as in: IF steps < 3\n"
            "door.txt:7: unknown command \"PLAYSOUND\"\n"
            "door.txt:8: a comment needs a space after \"//\"\n"
            "door.txt:9: CHECK_POINT must stand alone on its line\n"
            "intro.txt:4: SET needs a target, an \"=\" and a value, as in: SET steps = 0\n"
            "wait.txt:2" +
                warning + "wait.txt:15" + warning + "wait.txt:20" + warning + "wait.txt:25" + warning +
                "4 scripts checked, 6 lines rejected, 4 warnings\n");
  EXPECT_EQ(result.err, "");
}

TEST(CheckScriptsEndToEnd, ACleanProjectPassesAndAMissingOneIsAOneLineError) {
  TempDir dir;
  dir.Write("Projects/Clean/scripts/only.txt", "\xEF\xBB\xBF// caf\xC3\xA9\nEXIT\n");
  dir.Write("Projects/Clean/scripts/.only.txt.swp", "\x01\x02 not a script\n");
  dir.Write("Projects/NoScripts/Data/config.ini", "");
  dir.Write("Projects/Busy/Scripts/spin.txt", "WHILE TRUE = TRUE\r\nENDWHILE\r\n");
  // Beyond the bounds of 200000 lines and 4 MiB a file is refused whole; at them it is checked.
  dir.Write("Projects/Huge/Scripts/bytes.txt", std::string(4 * 1024 * 1024, ' ') + "x");
  dir.Write("Projects/Huge/Scripts/edge.txt", std::string(4 * 1024 * 1024 - 200000, ' ') + std::string(200000, '\n'));
  dir.Write("Projects/Huge/Scripts/lines.txt", std::string(200000, '\n') + "x");
  const std::string tooLarge = ": too large: a script may hold at most 200000 lines and 4194304 bytes\n";
  const struct {
    const char* args;
    int exitCode;
    std::string out;
    const char* err;
  } cases[] = {
      {"--check-scripts Clean", 0, "1 script checked, 0 lines rejected\n", ""},
      {"--check-scripts Busy", 0,
       "spin.txt:1: warning: WHILE can go round without reaching a SLEEP: it holds the game up while it loops\n"
       "1 script checked, 0 lines rejected, 1 warning\n",
       ""},
      {"--check-scripts Huge", 1,
       "bytes.txt" + tooLarge + "lines.txt" + tooLarge + "3 scripts checked, 0 lines rejected\n", ""},
      {"--check-scripts Nowhere", 2, "", "tessaloom: no project 'Nowhere' in Projects/\n"},
      {"--check-scripts NoScripts", 2, "", "tessaloom: project 'NoScripts' has no Scripts folder\n"},
      {"--check-scripts", 2, "", "tessaloom: --check-scripts needs a project name\n"},
  };
  for (const auto& c : cases) {
    auto result = RunTessaloom(dir.path(), c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args;
    EXPECT_EQ(result.out, c.out) << c.args;
    EXPECT_EQ(result.err, c.err) << c.args;
  }
}

}  // namespace
