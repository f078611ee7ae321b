// Every example of the guide loads: the INI examples of the project format, put in a copy of the
// demo in place of its files, pass the project check without an error, an unknown key or an
// unread section, and every script example (the indented ones and those of the command table)
// keeps all its lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadText;
using testing_support::TempDir;

std::string Guide(const char* page) { return ReadText(fs::path(TL_SOURCE_DIR) / "docs" / page); }

// The blocks indented by four blanks, without the indent.
std::vector<std::string> IndentedBlocks(const std::string& page) {
  std::vector<std::string> blocks;
  std::istringstream lines(page);
  std::string block;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("    ", 0) == 0) {
      block += line.substr(4) + "\n";
    } else if (!line.empty() && !block.empty()) {
      blocks.push_back(block);
      block.clear();
    }
  }
  if (!block.empty()) blocks.push_back(block);
  return blocks;
}

// The unit file a section belongs in, by its name.
std::string FileOfSection(const std::string& section) {
  if (section.rfind("[object_", 0) == 0) return "objects_units.ini";
  if (section.rfind("[player_", 0) == 0) return "player_characters_units.ini";
  if (section.rfind("[bot_", 0) == 0) return "bots_characters_units.ini";
  return "other_units.ini";
}

TEST(GuideExamplesEndToEnd, EveryIniAndScriptExampleLoads) {
  TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Data", "Scripts"});
  std::map<std::string, std::string> files;  // unit file -> the examples' sections
  for (const std::string& block : IndentedBlocks(Guide("project_format.md"))) {
    if (block[0] != '[') continue;
    std::istringstream lines(block);
    std::string file;
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("[", 0) == 0) file = FileOfSection(line);
      files[file] += line + "\r\n";
    }
  }
  ASSERT_EQ(files.size(), 4u);
  for (const auto& [file, text] : files) dir.Write("Projects/Demo/Data/" + file, text);

  int scripts = 0;
  auto addScript = [&](const std::string& text) {
    dir.Write("Projects/Demo/Scripts/example_" + std::to_string(++scripts) + ".txt", text);
  };
  const std::string scripting = Guide("scripting.md");
  for (const std::string& block : IndentedBlocks(scripting)) {
    if (block.rfind("//", 0) == 0 || block.rfind("SET ", 0) == 0) addScript(block);
  }
  // The command table's examples, one line each: "| `COMMAND` | words | `example` |".
  const std::string table = scripting.substr(
      scripting.find("## Commands"), scripting.find("### Lines the game drops") - scripting.find("## Commands"));
  std::istringstream rows(table);
  for (std::string row; std::getline(rows, row);) {
    const std::size_t last = row.rfind("| `");
    if (row.rfind("| `", 0) != 0 || last == 0) continue;
    addScript(row.substr(last + 3, row.rfind('`') - last - 3) + "\n");
  }
  EXPECT_GE(scripts, 20);

  const auto run = testing_support::RunTessaloom(dir.path(), "--check Demo");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  for (const char* flaw : {"error:", "unknown key", "never read"}) {
    EXPECT_EQ(run.out.find(flaw), std::string::npos) << flaw << "\n" << run.out;
  }
  // The script examples name the reader's own units and sounds (a guard, a hero, gate.wav), which
  // this project lacks; anything else said of them is a flaw of the guide.
  std::istringstream said(run.out);
  for (std::string line; std::getline(said, line);) {
    if (line.find("Scripts/example_") == std::string::npos) continue;
    const bool readersOwn =
        line.find("no unit is named") != std::string::npos || line.find("which Sounds/ lacks") != std::string::npos;
    EXPECT_TRUE(readersOwn) << line;
  }
}

}  // namespace
