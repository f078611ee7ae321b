// `--check`: the demo is clean; a copy with ten planted mistakes lists all ten (errors before
// warnings) and fails; Tiled settings the game ignores are warned of, map file first; a missing
// project is one line; garbage in every file is listed, never a crash; the JSON form holds the
// same problems.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/test_world.h"

namespace {

using testing_support::ReadText;
using testing_support::Replaced;
using testing_support::RunTessaloom;
using testing_support::TempDir;

void Edit(const TempDir& dir, const std::string& file, const std::string& from, const std::string& to) {
  const std::filesystem::path path = dir / ("Projects/Demo/" + file);
  const std::string text = Replaced(ReadText(path), from, to);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void Append(const TempDir& dir, const std::string& file, const std::string& text) {
  std::ofstream(dir / ("Projects/Demo/" + file), std::ios::binary | std::ios::app) << text;
}

TEST(CheckProjectEndToEnd, TheDemoIsCleanAndTenPlantedMistakesAreAllListed) {
  TempDir clean;
  testing_support::UseDemoProject(clean, "project_name=Demo\n");
  const auto demo = RunTessaloom(clean.path(), "--check Demo");
  EXPECT_EQ(demo.exitCode, 0);
  EXPECT_EQ(demo.out, "");

  TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Data", "Scripts"});
  Edit(dir, "Data/player_characters_units.ini", "unit_health_level=", "unit_helth_level=");
  Edit(dir, "Data/objects_units.ini", "object_icon=icon_key.bmp", "object_icon=missing_icon.bmp");
  Append(dir, "Scripts/intro.txt", "BOGUS LINE\r\n");
  Edit(dir, "Data/player_characters_units.ini", "sprite_bmp=player_rowan.bmp", "sprite_bmp=Player_Rowan.BMP");
  Append(dir, "Data/other_units.ini", "[other_unit_9]\r\nunit_name=Nobody\r\n[other_unit_10]\r\nunit_sprite=1\r\n");
  Edit(dir, "Data/other_units.ini", "sprite_frame_width=64", "sprite_frame_width=60");
  Append(dir, "Data/config.ini", "[config]\r\ngame_name=Again\r\n");
  Edit(dir, "Data/player_characters_units.ini", "[player_unit_4]", "[playr_unit_4]");
  Edit(dir, "Data/player_characters_units.ini", "unit_sprite=2", "unit_sprite=77");
  const auto run = RunTessaloom(dir.path(), "--check Demo");
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<std::string> expected = {
      "error: Fatal error in file objects_units.ini: Section [object_inventory_1]: / File "
      "'Projects\\Demo\\Graphics\\Sprites_objects_units\\missing_icon.bmp' not found",
      "error: Fatal error in file player_characters_units.ini: Section [player_unit_2]: / The sprite number 77 is "
      "not defined.",
      "warning: Data/player_characters_units.ini: Section [player_unit_1]: unknown key 'unit_helth_level' (did you "
      "mean 'unit_health_level'?).",
      "unknown command \"BOGUS\"",
      "warning: Letter case: 'Projects/Demo/Graphics/Sprites_characters_units/Player_Rowan.BMP' is ",
      "warning: Data/other_units.ini: Section [other_unit_9] is skipped: its 'unit_sprite' is empty or missing.",
      "warning: Data/other_units.ini: Section [other_unit_10] is placed by no map object and has no 'unit_position'.",
      "warning: Graphics/Sprites_other_units/villager_ines.bmp: The sheet is 384x64, which does not cut into whole "
      "60x64 frames.",
      "warning: Data/config.ini: Section [config] repeats an earlier one and is never read.",
      "warning: Data/player_characters_units.ini: Section [playr_unit_4] is never read.",
  };
  for (const std::string& line : expected) EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  EXPECT_LT(run.out.rfind("error: "), run.out.find("warning: "));

  const auto json = RunTessaloom(dir.path(), "--check --format json Demo");
  const nlohmann::json problems = nlohmann::json::parse(json.out);
  std::size_t lines = 0;
  for (char c : run.out) lines += c == '\n';
  EXPECT_EQ(problems["errors"].size() + problems["warnings"].size(), lines);
  EXPECT_EQ(json.exitCode, 1);
}

TEST(CheckProjectEndToEnd, TiledSettingsTheGameIgnoresAreWarnedOfInFileOrder) {
  TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Map"});
  Edit(dir, "Map/decor.json", "\"spacing\": 0,", "\"spacing\": 0,\n \"tileoffset\": {\"x\": 0, \"y\": -8},");
  Edit(dir, "Map/demo_map.json", "\"name\": \"Overlays\",\n   \"opacity\": 1,",
       "\"name\": \"Overlays\",\n   \"opacity\": 0.75,\n   \"offsetx\": 8,\n   \"offsety\": 4,");
  const auto run = RunTessaloom(dir.path(), "--check Demo");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "warning: Map/demo_map.json: layer 'Overlays' (id 2) has offsetx/offsety 8, 4; the game draws every layer "
            "at the map's origin.\n"
            "warning: Map/demo_map.json: layer 'Overlays' (id 2) has opacity 0.75; the game draws it fully opaque.\n"
            "warning: Map/decor.json: tileset 'decor' (firstgid 51) has tileoffset 0, -8; the game draws its tiles on "
            "the cell grid.\n");
}

TEST(CheckProjectEndToEnd, AMissingProjectIsOneLineAndGarbageIsListedNotFatal) {
  TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Data", "Scripts", "Map"});
  const auto missing = RunTessaloom(dir.path(), "--check Nowhere");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "error: Project not found: There is no project folder 'Projects\\Nowhere'.\n");

  std::mt19937 random(7);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir / "Projects/Demo")) {
    if (!entry.is_regular_file() || entry.is_symlink()) continue;
    std::string junk(4000, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << junk;
  }
  const auto garbage = RunTessaloom(dir.path(), "--check Demo");
  EXPECT_EQ(garbage.exitCode, 1) << garbage.err;
  EXPECT_NE(garbage.out.find("error: "), std::string::npos) << garbage.out;
}

}  // namespace
