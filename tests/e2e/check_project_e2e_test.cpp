// `--check`: the demo is clean; a copy with planted mistakes lists every one (errors before
// warnings, Tiled settings the game ignores map file first), and no noise after a section's error, and fails; a
// missing project is one line; garbage in every file is listed, never a crash; the JSON form holds the same problems.
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

void Remove(const TempDir& dir, const std::string& file) {
  ASSERT_TRUE(std::filesystem::remove(dir / ("Projects/Demo/" + file))) << file;
}

TEST(CheckProjectEndToEnd, TheDemoIsCleanAndPlantedMistakesAreAllListed) {
  TempDir clean;
  testing_support::UseDemoProject(clean, "project_name=Demo\n");
  const auto demo = RunTessaloom(clean.path(), "--check Demo");
  EXPECT_EQ(demo.exitCode, 0);
  EXPECT_EQ(demo.out, "");

  TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Data", "Scripts", "Graphics", "Map", "Sounds"});
  Edit(dir, "Data/player_characters_units.ini", "unit_health_level=", "unit_helth_level=");
  Edit(dir, "Data/objects_units.ini", "object_icon=icon_key.bmp", "object_icon=missing_icon.bmp");
  Append(dir, "Scripts/intro.txt", "BOGUS LINE\r\n");
  Edit(dir, "Data/player_characters_units.ini", "sprite_bmp=player_rowan.bmp", "sprite_bmp=Player_Rowan.BMP");
  Append(dir, "Data/other_units.ini", "[other_unit_9]\r\nunit_name=Nobody\r\n[other_unit_10]\r\nunit_sprite=1\r\n");
  Edit(dir, "Data/other_units.ini", "sprite_frame_width=64", "sprite_frame_width=60");
  Append(dir, "Data/config.ini", "[config]\r\ngame_name=Again\r\n");
  Edit(dir, "Data/player_characters_units.ini", "[player_unit_4]", "[playr_unit_4]");
  Edit(dir, "Data/player_characters_units.ini", "unit_sprite=2", "unit_sprite=77");
  // Script names that Scripts/ lacks, or that name a folder.
  Edit(dir, "Data/bots_characters_units.ini", "death_script=captain_falls.txt", "death_script=missing_death.txt");
  std::filesystem::create_directory(dir / "Projects/Demo/Scripts/Chapters");
  Edit(dir, "Data/config.ini", "initial_script=intro.txt", "initial_script=Chapters");
  Edit(dir, "Data/other_units.ini", "yes_script=finale.txt", "yes_script=Chapters");
  // Frame sizes the game takes without a word.
  Edit(dir, "Data/bots_characters_units.ini", "sprite_frame_width=64", "sprite_frame_width=2147483647");
  Edit(dir, "Data/bots_characters_units.ini", "sprite_frame_height=64", "sprite_frame_height=0");
  // An object name off by one letter; the section's later keys are no unknown keys.
  Edit(dir, "Data/other_units.ini", "action_object=Brass key", "action_object=Brass_key");
  // A PNG sheet.
  dir.Write("Projects/Demo/Graphics/Sprites_characters_units/tobias.png",
            std::string("\x89PNG\r\n\x1a\n", 8) + std::string(64, 'x'));
  Edit(dir, "Data/player_characters_units.ini", "sprite_bmp=player_tobias.bmp", "sprite_bmp=tobias.png");
  // What the game quietly does without: a kit's sheet, a layer name, a zone, system graphics,
  // a sound, and names in a script.
  Remove(dir, "Graphics/Sprites_objects_units/health_object.bmp");
  Edit(dir, "Map/demo_map.json", "\"name\": \"Zones\"", "\"name\": \"Zone\"");
  // Tiled settings the game ignores, of a layer and of a tileset.
  Edit(dir, "Map/decor.json", "\"spacing\": 0,", "\"spacing\": 0,\n \"tileoffset\": {\"x\": 0, \"y\": -8},");
  Edit(dir, "Map/demo_map.json", "\"name\": \"Overlays\",\n   \"opacity\": 1,",
       "\"name\": \"Overlays\",\n   \"opacity\": 0.75,\n   \"offsetx\": 8,\n   \"offsety\": 4,");
  Remove(dir, "Graphics/System/info_icon.bmp");
  Remove(dir, "Graphics/Sprites_bots_units/alert_bot.bmp");
  Remove(dir, "Sounds/fire2.wav");
  Append(dir, "Scripts/intro.txt",
         "SET Rowen.HEALTH = 5\r\nIF Rowan.HEALT > 1.5\r\nENDIF\r\nPLAY_SOUND fanfare.wav\r\n");
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
      "error: Script not found: Script file 'Projects\\Demo\\Scripts\\missing_death.txt' not found.",
      "error: Fatal error in file config.ini: Section [config]: / Script file 'Chapters' not found in 'Scripts' "
      "folder.",
      "error: Script not found: Script file 'Projects\\Demo\\Scripts\\Chapters' not found.",
      "error: Data/bots_characters_units.ini: Section [bot_character_sprite_1]: the frame size 2147483647x0 does "
      "not fit the ",
      "warning: Data/bots_characters_units.ini: Section [bot_character_sprite_1]: sprite_frame_height is 0; the "
      "game takes 1.",
      "error: Fatal error in file other_units.ini: Section [other_unit_7]: / The object 'Brass_key' is not defined "
      "(did you mean 'Brass key'?).",
      "error: Fatal error in file player_characters_units.ini: Section [player_character_sprite_3]: / File "
      "'Projects\\Demo\\Graphics\\Sprites_characters_units\\tobias.png' of the sprite number 3, is invalid: not a "
      "BMP file",
      "warning: Data/objects_units.ini: Section [object_unit_7]: the kit's sheet "
      "'Projects\\Demo\\Graphics\\Sprites_objects_units\\health_object.bmp' is missing or invalid; the kit is "
      "never created.",
      "warning: Map/demo_map.json: layer 'Overlays' (id 2) has offsetx/offsety 8, 4; the game draws every layer at "
      "the map's origin.\n"
      "warning: Map/demo_map.json: layer 'Overlays' (id 2) has opacity 0.75; the game draws it fully opaque.\n"
      "warning: Map/demo_map.json: layer 'Zone' (id 5) is an object layer the game does not read (did you mean "
      "'Zones'?); its objects place nothing.\n"
      "warning: Map/decor.json: tileset 'decor' (firstgid 51) has tileoffset 0, -8; the game draws its tiles on the "
      "cell grid.",
      "warning: Data/bots_characters_units.ini: Section [bot_unit_1]: unit_move_zone_number 1 names no object of "
      "the map's layer 'Zones'; the bot keeps the zone around it.",
      "warning: Graphics/System/info_icon.bmp: The file is missing: ",
      "warning: Graphics/Sprites_bots_units/alert_bot.bmp: The file is missing: ",
      "warning: Sounds/fire2.wav: The sound is missing: nothing plays when a bot fires.",
      "warning: Scripts/intro.txt: line 37: no unit is named 'Rowen' (did you mean 'Rowan'?).",
      "warning: Scripts/intro.txt: line 38: units have no property 'HEALT' (did you mean 'HEALTH'?).",
      "warning: Scripts/intro.txt: line 40: PLAY_SOUND names 'fanfare.wav', which Sounds/ lacks; nothing plays.",
  };
  for (const std::string& line : expected) EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  // A section whose load stopped says only why, and a number is no unit.
  EXPECT_EQ(run.out.find("[other_unit_7]: unknown key"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("[player_character_sprite_3]: unknown key"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("no unit is named '1'"), std::string::npos) << run.out;
  // Mira's and Elena's sections stopped at their errors: scripts still name them rightly.
  EXPECT_EQ(run.out.find("no unit is named 'Mira'"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("which does not cut into whole 2147483647"), std::string::npos) << run.out;
  EXPECT_LT(run.out.rfind("error: "), run.out.find("warning: "));

  const auto json = RunTessaloom(dir.path(), "--check --format json Demo");
  const nlohmann::json problems = nlohmann::json::parse(json.out);
  std::size_t lines = 0;
  for (char c : run.out) lines += c == '\n';
  EXPECT_EQ(problems.at("errors").size() + problems.at("warnings").size(), lines);
  EXPECT_EQ(json.exitCode, 1);
}

TEST(CheckProjectEndToEnd, AProjectWithoutSoundsIsOneWarning) {
  TempDir dir;
  testing_support::UseDemoCopy(dir, "Demo", "project_name=Demo\n", {"Data", "Sounds"});
  std::filesystem::remove_all(dir / "Projects/Demo/Sounds");
  Edit(dir, "Data/config.ini", "background_music_file=demo_theme.mid", "");
  const auto run = RunTessaloom(dir.path(), "--check Demo");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "warning: Sounds: The project has no Sounds folder: the game plays no sound.\n");
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
