// Recorded play: a run recorded with --record replays headless to the same world, whether it was
// recorded headless on another pace or on the desktop; a recording made for another window is
// refused with one line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "e2e/headless_runs.h"
#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::RunTessaloom;
using testing_support::TempDir;

// Clicks, a drag box, move orders, the FPS key and the window's close button while the squad
// still walks, all while the opening script moves the camera and sleeps.
constexpr const char* kPlay =
    "100 move 700 480\n150 ldown 700 480\n160 lup 700 480\n400 rdown 300 300\n410 rup 300 300\n"
    "1200 move 500 600\n1250 ldown 500 600\n1300 move 900 800\n1350 lup 900 800\n1500 rdown 600 200\n"
    "1510 rup 600 200\n1700 key F\n1900 close\n";

TEST(ReplayEndToEnd, ARecordingReplaysToTheSameWorldOnItsOwnPassesAndTicks) {
  TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  dir.Write("play.txt", kPlay);
  // Recorded at 7 ms a pass, replayed without saying so: only the recorded passes give this world.
  const auto live = RunTessaloom(dir.path(),
                                 "--headless --step-ms 7 --input play.txt --record rec.txt --dump-state live.json "
                                 "--transcript live.txt");
  ASSERT_EQ(live.exitCode, 0) << live.err;
  const std::string recording = ReadText(dir / "rec.txt");
  EXPECT_EQ(recording.rfind("# tessaloom recording: window 1280x832, screen 1920x1080, clock ", 0), 0u) << recording;
  EXPECT_NE(recording.find("\n1505 rdown 600 200\n"), std::string::npos) << "times on the game clock";
  const e2e::Outputs replay = e2e::RunTwice(dir, "--input rec.txt");
  EXPECT_EQ(replay.dump, ReadText(dir / "live.json"));
  EXPECT_EQ(replay.transcript, ReadText(dir / "live.txt"));
  // Without its passes the same messages give another world.
  std::string messagesOnly;
  std::istringstream lines(recording);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(" pass") == std::string::npos) messagesOnly += line + "\n";
  }
  dir.Write("messages.txt", messagesOnly);
  EXPECT_NE(e2e::RunHeadless(dir, "--input messages.txt").dump, replay.dump);
}

TEST(ReplayEndToEnd, ARecordingForAnotherWindowIsRefusedWithOneLine) {
  TempDir dir;
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  dir.Write("rec.txt", "# tessaloom recording: window 800x600, screen 1920x1080, clock 1000000\n10 pass\n20 close\n");
  const auto run = RunTessaloom(dir.path(), "--headless --input rec.txt Demo");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "tessaloom: rec.txt was recorded in a 800x600 window; this project's window is 1280x832\n");
}

// Plays tests/data/desktop_session.sh against the demo in a real window under a virtual X display
// without a window manager; the script says which of its steps did not happen.
bool PlayDesktopSession(const TempDir& dir, const std::string& extra = "") {
  const std::string script = std::string(TL_TEST_DATA_DIR) + "/desktop_session.sh";
  // xvfb-run -a looks for a free display from the number given up: two sessions starting at once
  // from the same number can both pick it, and one X server then fails to start. Each starts
  // its search from a number of its own.
  const std::string firstDisplay = std::to_string(100 + std::random_device{}() % 800);
  const std::string command = "cd '" + dir.path().string() + "' && SDL_AUDIODRIVER=dummy xvfb-run -a -n " +
                              firstDisplay + " -s '-screen 0 1920x1080x24' '" + script + "' '" + TL_EXECUTABLE +
                              "' rec.txt desktop.json " + extra + " > session.log 2>&1";
  return std::system(command.c_str()) == 0;
}

// SDL shows its X11 boxes from a forked child of the game, which has threads running; under
// AddressSanitizer such a child can hang on a lock another thread held at the fork, so the box
// never shows. The release suite plays these sessions.
bool CanPlayDesktop() {
#if defined(TL_HAVE_DESKTOP) && !defined(__SANITIZE_ADDRESS__)
  return std::system("command -v xvfb-run xdotool xwininfo > /dev/null 2>&1") == 0;
#else
  return false;
#endif
}

// A real desktop session, driven by xdotool, replays headless to the dump the desktop run wrote
// itself; its quit question is answered with Enter, which needs the box to hold the keyboard.
TEST(ReplayEndToEnd, ADesktopSessionReplaysHeadlessToItsOwnDump) {
  if (!CanPlayDesktop())
    GTEST_SKIP() << "needs the desktop backend (not under AddressSanitizer), xvfb, xdotool and xwininfo";
  TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  ASSERT_TRUE(PlayDesktopSession(dir)) << ReadText(dir / "session.log") << ReadText(dir / "desktop.log");
  const std::string recording = ReadText(dir / "rec.txt");
  for (const char* word : {" ldown ", " rdown ", " lup ", " key F\n", " key ESC\n"}) {
    EXPECT_NE(recording.find(word), std::string::npos) << word << " missing from\n" << recording.substr(0, 2000);
  }
  const e2e::Outputs replay = e2e::RunHeadless(dir, "--input rec.txt");
  EXPECT_EQ(replay.dump, ReadText(dir / "desktop.json"));
}

// A refused quit question hands the keyboard back to the game: its next Escape asks again.
TEST(ReplayEndToEnd, ARefusedQuitQuestionGivesTheKeyboardBackToTheGame) {
  if (!CanPlayDesktop())
    GTEST_SKIP() << "needs the desktop backend (not under AddressSanitizer), xvfb, xdotool and xwininfo";
  TempDir dir;
  testing_support::UseDemoWithoutStory(dir, "project_name=Demo\n");
  ASSERT_TRUE(PlayDesktopSession(dir, "refuse-first"))
      << ReadText(dir / "session.log") << ReadText(dir / "desktop.log");
  const std::string recording = ReadText(dir / "rec.txt");
  const size_t first = recording.find(" key ESC\n");
  ASSERT_NE(first, std::string::npos) << recording;
  EXPECT_NE(recording.find(" key ESC\n", first + 1), std::string::npos) << "the second Escape never reached the game";
}

}  // namespace
