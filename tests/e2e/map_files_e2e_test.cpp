#include <gtest/gtest.h>

#include <string>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::RunTessaloom;
using testing_support::TempDir;

// What the readers refuse is pinned by their own tests; here a refused map or tileset must give
// the map error box with its reason and end the run normally.
TEST(MapFilesEndToEnd, AFileTheReadersCannotUseGivesTheMapErrorBoxAndTheRunEndsAsAFailure) {
  const struct {
    const char* file;  // in the Map folder
    const char* text;
  } cases[] = {{"demo_map.json", "1e555"}, {"terrain.json", "[[[4e931]]]"}};
  for (const auto& broken : cases) {
    TempDir dir;
    testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Map"});
    dir.Write(std::string("Projects/Demo/Map/") + broken.file, broken.text);
    auto result = RunTessaloom(dir.path(), "--headless --frames 50 --transcript -");
    EXPECT_EQ(result.exitCode, 1) << broken.file << ": " << result.err;
    const std::string box = std::string("box error owner=main caption=\"Error in the map files\" ") +
                            "text=\"The file Projects\\\\Demo\\\\Map\\\\" + broken.file +
                            " cannot be used:\\nit holds a number too large to use (line 1, column " +
                            (broken.text[0] == '[' ? "4" : "1") + ")\" answer=ok\n";
    EXPECT_NE(result.out.find(box), std::string::npos) << box << "\n" << result.out;
    EXPECT_NE(result.out.find(" quit 1\n"), std::string::npos) << broken.file << ":\n" << result.out;
  }
}

}  // namespace
