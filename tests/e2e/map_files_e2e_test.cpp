#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::Replaced;
using testing_support::RunTessaloom;
using testing_support::TempDir;

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
    testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Map"});
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
