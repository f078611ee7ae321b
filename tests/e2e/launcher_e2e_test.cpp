#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::RunTessaloom;
using testing_support::TempDir;
using testing_support::UseDemoProject;

TEST(LauncherEndToEnd, MissingAutoexecShowsOneBoxAndExitsZero) {
  TempDir dir;
  auto result = RunTessaloom(dir.path(), "--headless --transcript -");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out,
            "0 box error owner=none caption=\"Fatal error in file autoexec.ini\" "
            "text=\"File autoexec.ini not found\" answer=ok\n");
}

TEST(LauncherEndToEnd, EscapeThenYesQuitsTheDemoInTheLaunchersLanguage) {
  const std::pair<const char*, const char*> cases[] = {
      {"English", "caption=\"Quit game\" text=\"Quit game ?\""},
      {"Spanish", "caption=\"Salir del juego\" text=\"\xC2\xBF Salir del juego ?\""}};
  for (const auto& [language, box] : cases) {
    TempDir dir;
    UseDemoProject(dir, std::string("project_name=Demo\nuser_interface_language=") + language + "\n");
    dir.Write("input.txt", "# quit after half a second\n500 key ESC\n");
    auto result = RunTessaloom(dir.path(), "--headless --input input.txt --frames 2000 --transcript -");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find(std::string("500 box question owner=main ") + box + " answer=yes\n500 quit 0\n"),
              std::string::npos)
        << result.out;
  }
}

TEST(LauncherEndToEnd, EscapeThenNoRunsOnUnpausedUntilTheFrameLimit) {
  TempDir dir;
  UseDemoProject(dir, "project_name=Demo\n");
  dir.Write("input.txt", "500 key ESC\n");
  auto result = RunTessaloom(dir.path(),
                             "--headless --input input.txt --answer no --frames 100 --transcript - "
                             "--dump-state dump.json");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("answer=no\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("1000 quit 0\n"), std::string::npos) << result.out;
  auto dump = nlohmann::json::parse(ReadText(dir / "dump.json"));
  EXPECT_EQ(dump["paused"], false);
  EXPECT_EQ(dump["running"], true);
  EXPECT_EQ(dump["project"], "Demo");
}

TEST(LauncherEndToEnd, CommandLineNamesTheProject) {
  TempDir dir;
  UseDemoProject(dir, "project_name=Nothing\n");
  auto result = RunTessaloom(dir.path(), "--headless --frames 3 --dump-state dump.json Demo");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  auto dump = nlohmann::json::parse(ReadText(dir / "dump.json"));
  EXPECT_EQ(dump["project"], "Demo");
  EXPECT_EQ(dump["folders"][0], "Projects\\Demo\\Data");
}

TEST(LauncherEndToEnd, BadOptionsAndInputFilesGiveAOneLineError) {
  TempDir dir;
  dir.Write("bad.txt", "100 jump 3\n");
  // A line holding nothing but a time that is not one is an error, never a blank line.
  dir.Write("late.txt", "# one past the last tick\n4294967296\n");
  dir.Write("huge.txt", "100 key A\n99999999999999999999999\n");
  dir.Write("minus.txt", "-\n");
  dir.Write("plus.txt", "  +  # sign only\n");
  std::filesystem::create_directory(dir / "folder");
  const char* cases[] = {"--bogus", "--frames", "--frames x --headless", "--headless --input missing.txt",
                         "--headless --input bad.txt", "--frames 5", "--headless --screen 0x0",
                         "--headless --input late.txt", "--headless --input huge.txt",
                         "--headless --input minus.txt", "--headless --input plus.txt",
                         "--headless --input folder"};
  for (const char* args : cases) {
    auto result = RunTessaloom(dir.path(), args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << args << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
  }
}

}  // namespace
