#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::RunTessaloom;
using testing_support::TempDir;
using testing_support::UseDemoProject;

TEST(LauncherEndToEnd, EscapeThenYesQuitsTheDemoInTheLaunchersLanguage) {
  TempDir dir;
  UseDemoProject(dir, "project_name=Demo\nuser_interface_language=Spanish\n");
  dir.Write("input.txt", "# quit after half a second\n500 key ESC\n");
  auto result = RunTessaloom(dir.path(), "--headless --input input.txt --frames 2000 --transcript -");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("500 box question owner=main caption=\"Salir del juego\" "
                            "text=\"\xC2\xBF Salir del juego ?\" answer=yes\n500 quit 0\n"),
            std::string::npos)
      << result.out;
}

TEST(LauncherEndToEnd, BadOptionsAndInputFilesGiveAOneLineError) {
  TempDir dir;
  dir.Write("bad.txt", "100 jump 3\n");
  // A line holding nothing but a time that is not one is an error, never a blank line.
  dir.Write("late.txt", "# one past the last tick\n4294967296\n");
  std::filesystem::create_directory(dir / "folder");
  const char* cases[] = {"--bogus", "--frames x --headless", "--headless --input missing.txt",
                         "--headless --input bad.txt", "--frames 5", "--headless --screen 0x0",
                         "--headless --input late.txt", "--headless --input folder",
                         "--headless --test-unit 1,2,3,x", "--headless --dump-every 0 trace.jsonl",
                         "--headless --dump-every 100", "--dump-every 100 trace.jsonl"};
  for (const char* args : cases) {
    auto result = RunTessaloom(dir.path(), args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << args << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
  }
}

}  // namespace
