#include <gtest/gtest.h>

#include <cstdlib>
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

// A run that an error box ends exits with 1, desktop or headless, so a script can tell it
// failed; when the launcher file itself is missing, standard error also says where it was looked
// for and where the program must be run from. (What each reader refuses is pinned by its own tests,
// the boxes of config.ini by project_files_e2e_test.cpp.)
TEST(LauncherEndToEnd, AnErrorBoxEndsTheRunWithExitCodeOne) {
  const std::string tooLarge = " cannot be used:\\nit holds a number too large to use (line 1, column ";
  const struct {
    const char* name;
    const char* file;  // of the demo, in Projects/; none: no project at all
    const char* text;  // the file's new text
    std::string box;
    bool saysWhere;  // and its box comes before the game starts any thread
  } cases[] = {
      {"no autoexec.ini", nullptr, nullptr, "caption=\"Fatal error in file autoexec.ini\"", true},
      {"a map it cannot use", "Map/demo_map.json", "1e555",
       "caption=\"Error in the map files\" text=\"The file Projects\\\\Demo\\\\Map\\\\demo_map.json" + tooLarge +
           "1)\"",
       false},
      {"a tileset it cannot use", "Map/terrain.json", "[[[4e931]]]",
       "caption=\"Error in the map files\" text=\"The file Projects\\\\Demo\\\\Map\\\\terrain.json" + tooLarge + "4)\"",
       false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    if (c.file != nullptr) {
      testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Map"});
      dir.Write(std::string("Projects/Demo/") + c.file, c.text);
    }
    const std::string where = "tessaloom: Projects/autoexec.ini was looked for in " +
                              std::filesystem::canonical(dir.path()).string() +
                              " and is not there; run the program from the folder that holds Projects/\n";
    auto result = RunTessaloom(dir.path(), "--headless --frames 50 --transcript -");
    EXPECT_EQ(result.exitCode, 1) << c.name << ": " << result.err;
    EXPECT_NE(result.out.find(c.box), std::string::npos) << c.name << ":\n" << result.out;
    EXPECT_NE(result.out.find("0 quit 1\n"), std::string::npos) << c.name << ":\n" << result.out;
    EXPECT_EQ(result.err, c.saysWhere ? where : "") << c.name;

#ifdef TL_HAVE_DESKTOP
#ifdef __SANITIZE_ADDRESS__
    // SDL shows a box from a forked child; under AddressSanitizer a child forked while the game's
    // threads run can hang on a lock one of them held (as in replay_e2e_test.cpp).
    if (!c.saysWhere) continue;
#endif
    // The desktop build on SDL's display-less drivers, where no real box can wait for an answer.
    const std::string desktop = "cd '" + dir.path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy '" +
                                TL_EXECUTABLE + "' > /dev/null 2> desktop.txt < /dev/null";
    const int status = std::system(desktop.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.name << ": desktop status " << status;
    const std::string desktopErr = testing_support::ReadText(dir / "desktop.txt");
    EXPECT_EQ(desktopErr.find(where) != std::string::npos, c.saysWhere) << c.name << ":\n" << desktopErr;
#endif
  }
}

TEST(LauncherEndToEnd, BadOptionsAndInputFilesGiveAOneLineError) {
  TempDir dir;
  dir.Write("bad.txt", "100 jump 3\n");
  // A line holding nothing but a time that is not one is an error, never a blank line.
  dir.Write("late.txt", "# one past the last tick\n4294967296\n");
  std::filesystem::create_directory(dir / "folder");
  const char* cases[] = {"--bogus",
                         "--frames x --headless",
                         "--headless --input missing.txt",
                         "--headless --input bad.txt",
                         "--frames 5",
                         "--headless --screen 0x0",
                         "--headless --input late.txt",
                         "--headless --input folder",
                         "--headless --test-unit 1,2,3,x",
                         "--headless --dump-every 0 trace.jsonl",
                         "--headless --dump-every 100",
                         "--dump-every 100 trace.jsonl"};
  for (const char* args : cases) {
    auto result = RunTessaloom(dir.path(), args);
    EXPECT_EQ(result.exitCode, 2) << args;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << args << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
  }
}

}  // namespace
