// The tutorial of the guide, followed word by word in a fresh folder: every program it runs is
// one the README's demo command builds, its commands run, its files are written as given, the
// check is clean, and the game it makes loads and greets.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "headless_runs.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadText;
using testing_support::TempDir;

struct Block {
  std::string language;
  std::string text;
};

// The fenced blocks of a Markdown page, in order.
std::vector<Block> FencedBlocks(const std::string& page) {
  std::vector<Block> blocks;
  std::istringstream lines(page);
  Block* open = nullptr;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("```", 0) == 0) {
      if (open == nullptr) {
        blocks.push_back({line.substr(3), ""});
        open = &blocks.back();
      } else {
        open = nullptr;
      }
    } else if (open != nullptr) {
      open->text += line + "\n";
    }
  }
  return blocks;
}

// The targets that tools/run_demo.sh builds: the words after "--target".
std::vector<std::string> DemoScriptTargets() {
  std::vector<std::string> targets;
  std::istringstream lines(ReadText(fs::path(TL_SOURCE_DIR) / "tools/run_demo.sh"));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t at = line.find("--target ");
    if (at == std::string::npos) continue;
    std::istringstream words(line.substr(at + 9));
    for (std::string word; words >> word;) targets.push_back(word);
  }
  return targets;
}

int Shell(const TempDir& dir, const std::string& command) {
  const std::string full = "cd '" + dir.path().string() + "' && " + command + " > out.txt 2>&1";
  return std::system(full.c_str());
}

TEST(TutorialEndToEnd, FollowedWordByWordItMakesAGameThatRuns) {
  TempDir dir;
  // A clone's root as far as the tutorial reaches: the demo, the launcher file, the build.
  testing_support::UseDemoProject(dir, "project_name=Demo\n");
  fs::create_directories(dir / "build");
  fs::create_directory_symlink(TL_TOOLS_DIR, dir / "build/tools");
  fs::create_symlink(TL_EXECUTABLE, dir / "build/tessaloom");

  const std::vector<std::string> built = DemoScriptTargets();
  int commands = 0, files = 0;
  bool checked = false, played = false, generated = false;
  for (const Block& block : FencedBlocks(ReadText(fs::path(TL_SOURCE_DIR) / "docs/tutorial.md"))) {
    if (block.language == "sh") {
      std::istringstream lines(block.text);
      for (std::string line; std::getline(lines, line);) {
        ++commands;
        if (line.rfind("./build/", 0) == 0) {
          const std::string program = fs::path(line.substr(0, line.find(' '))).filename().string();
          EXPECT_NE(std::find(built.begin(), built.end(), program), built.end())
              << program << " is not built by tools/run_demo.sh";
        }
        if (line == "./build/tessaloom Tiny") {
          // Played headless: three seconds, then the world as it stands.
          ASSERT_EQ(Shell(dir,
                          "./build/tessaloom --headless --frames 300 --dump-state dump.json "
                          "--transcript transcript.txt Tiny"),
                    0)
              << ReadText(dir / "out.txt");
          played = true;
          continue;
        }
        ASSERT_EQ(Shell(dir, line), 0) << line << "\n" << ReadText(dir / "out.txt");
        if (line.rfind("./build/tools/demo_map_generator --starter ", 0) == 0) {
          EXPECT_EQ(ReadText(dir / "out.txt"), "starter map written to Projects/Tiny/Map\n");
          generated = true;
        }
        if (line == "./build/tessaloom --check Tiny") {
          EXPECT_EQ(ReadText(dir / "out.txt"), "") << "the tutorial's project is clean";
          checked = true;
        }
      }
      continue;
    }
    const std::size_t marker = block.text.find("file: ");
    ASSERT_NE(marker, std::string::npos) << "a file block names its file:\n" << block.text;
    const std::size_t end = block.text.find('\n', marker);
    dir.Write(block.text.substr(marker + 6, end - marker - 6), block.text);
    ++files;
  }
  EXPECT_EQ(files, 3);
  EXPECT_GE(commands, 6);
  ASSERT_TRUE(generated && checked && played);

  EXPECT_EQ(ReadText(dir / "transcript.txt").find(" box "), std::string::npos) << ReadText(dir / "transcript.txt");
  const nlohmann::json dump = nlohmann::json::parse(ReadText(dir / "dump.json"));
  const nlohmann::json& ada = e2e::Unit(dump.at("units"), "Ada");
  EXPECT_EQ(ada.at("x"), 3840);
  EXPECT_EQ(ada.at("y"), 3904);
  EXPECT_TRUE(ada.at("bubble").at("shown"));
  EXPECT_EQ(ada.at("bubble").at("text"), "Hello! Click me, then right-click where I should go.");
}

}  // namespace
