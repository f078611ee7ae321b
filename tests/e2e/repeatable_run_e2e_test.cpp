// The same project, input and options give the same headless run: transcript, world dump and
// last frame byte for byte, however the start-up threads happen to be scheduled.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::UseDemoProject;

// Scrolling, a drag on the map, the frame counter, the wheel and a right click.
constexpr const char* kInput =
    "30 move 30 400\n400 move 700 420\n800 ldown 300 300\n850 move 500 500\n900 lup 500 500\n"
    "1000 key F\n1200 wheel -120\n1500 rdown 640 400\n1520 rup 640 400\n";

constexpr int kRuns = 10;

// Starts every run at once, so they compete for the processors and each start-up is scheduled
// differently; returns the shell's status once all have ended. Run i writes its files with the
// suffix i and its exit code to rc<i>.
int RunAllAtOnce(const std::filesystem::path& folder) {
  std::string command = "cd '" + folder.string() + "' && for i in $(seq 0 " + std::to_string(kRuns - 1) + "); do ('" +
                        std::string(TL_EXECUTABLE) +
                        "' --headless --frames 300 --input input.txt --transcript transcript$i.txt"
                        " --dump-state dump$i.json --screenshot shot$i.bmp > out$i.txt 2>&1 < /dev/null;"
                        " echo $? > rc$i) & done; wait";
  return std::system(command.c_str());
}

TEST(RepeatableRun, TenRunsOfTheDemoWithTheSameInputAreByteIdentical) {
  TempDir dir;
  UseDemoProject(dir, "project_name=Demo\n");
  dir.Write("input.txt", kInput);
  ASSERT_EQ(RunAllAtOnce(dir.path()), 0);
  auto file = [&](const char* stem, int run, const char* extension) {
    return ReadText(dir / (stem + std::to_string(run) + extension));
  };
  const std::string transcript = file("transcript", 0, ".txt");
  const std::string dump = file("dump", 0, ".json");
  const std::string shot = file("shot", 0, ".bmp");
  // The runs must have done something worth comparing: the tune, the fonts and a frame.
  ASSERT_NE(transcript.find("music play"), std::string::npos) << transcript;
  ASSERT_NE(transcript.find(" font "), std::string::npos) << transcript;
  ASSERT_FALSE(shot.empty() || dump.empty());
  for (int run = 0; run < kRuns; ++run) {
    ASSERT_EQ(file("rc", run, ""), "0\n") << file("out", run, ".txt");
    EXPECT_EQ(file("transcript", run, ".txt"), transcript) << "run " << run;
    EXPECT_EQ(file("dump", run, ".json"), dump) << "run " << run;
    EXPECT_TRUE(file("shot", run, ".bmp") == shot) << "run " << run << ": the last frame differs";
  }
}

}  // namespace
