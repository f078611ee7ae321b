#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::RunTessaloom;
using testing_support::TempDir;

// The demo project with a Map folder of its own, whose files a test may replace; the other
// folders are links to the bundled demo.
void UseDemoWithOwnMap(const TempDir& dir) {
  const std::filesystem::path demo = std::filesystem::path(TL_SOURCE_DIR) / "Projects" / "Demo";
  dir.Write("Projects/autoexec.ini", "[autoexec]\nproject_name=Demo\n");
  std::filesystem::create_directories(dir / "Projects/Demo");
  for (const char* folder : {"Data", "Fonts", "Graphics", "Sounds"}) {
    std::filesystem::create_directory_symlink(demo / folder, dir / (std::string("Projects/Demo/") + folder));
  }
  std::filesystem::copy(demo / "Map", dir / "Projects/Demo/Map");
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct BrokenFile {
  const char* name;
  const char* file;  // in the Map folder
  std::function<std::string(const std::string& original)> text;
  const char* reason;
};

TEST(MapFilesEndToEnd, AFileTheReadersCannotUseGivesTheMapErrorBoxAndTheRunEndsNormally) {
  std::string deepGroups;
  for (int i = 0; i < 20000; ++i) deepGroups += "{\"type\":\"group\",\"name\":\"g\",\"layers\":[";
  for (int i = 0; i < 20000; ++i) deepGroups += "]}";
  const std::vector<BrokenFile> cases = {
      {"map of one huge number", "demo_map.json", [](const std::string&) { return std::string("1e555"); },
       "it holds a number too large to use (line 1, column 1)"},
      {"tileset of one huge number", "terrain.json", [](const std::string&) { return std::string("4e931"); },
       "it holds a number too large to use (line 1, column 1)"},
      {"object x too large", "demo_map.json",
       [](const std::string& map) { return Replaced(map, "\"x\": 3840", "\"x\": 1e309"); },
       "it holds a number too large to use (line 297, column 11)"},
      {"20000 nested groups", "demo_map.json",
       [&](const std::string& map) { return Replaced(map, "\"layers\": [", "\"layers\": [" + deepGroups + ","); },
       "its lists and objects are nested more than 512 levels deep"},
  };
  for (const BrokenFile& broken : cases) {
    TempDir dir;
    UseDemoWithOwnMap(dir);
    const std::filesystem::path file = dir / (std::string("Projects/Demo/Map/") + broken.file);
    dir.Write(std::string("Projects/Demo/Map/") + broken.file, broken.text(ReadText(file)));
    auto result = RunTessaloom(dir.path(), "--headless --frames 50 --transcript -");
    EXPECT_EQ(result.exitCode, 0) << broken.name << ": " << result.err;
    const std::string box = std::string("box error owner=main caption=\"Error in the map files\" ") +
                            "text=\"The file Projects\\\\Demo\\\\Map\\\\" + broken.file + " cannot be used:\\n" +
                            broken.reason + "\" answer=ok\n";
    EXPECT_NE(result.out.find(box), std::string::npos) << broken.name << ":\n" << result.out;
    EXPECT_NE(result.out.find(" quit 0\n"), std::string::npos) << broken.name << ":\n" << result.out;
  }
}

}  // namespace
