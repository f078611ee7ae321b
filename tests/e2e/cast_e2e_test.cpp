#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "headless_runs.h"
#include "support/cast_fixture.h"

namespace {

using namespace testing_support;

const std::filesystem::path kDemo = std::filesystem::path(TL_SOURCE_DIR) / "Projects" / "Demo";

using e2e::Outputs;
using e2e::RunTwice;

// A project "P" on the demo's map, fonts, sounds, scripts and config.ini, with the test's own sheets and
// cast files.
void MakeProject(const TempDir& dir, bool spanish, const std::map<std::string, std::string>& castFiles) {
  dir.Write("Projects/autoexec.ini",
            Crlf(std::string("[autoexec]\nproject_name=P\n") + (spanish ? "user_interface_language=Spanish\n" : "")));
  std::filesystem::create_directories(dir / "Projects/P");
  for (const char* folder : {"Map", "Fonts", "Sounds", "Scripts"}) {
    std::filesystem::create_directory_symlink(kDemo / folder, dir / (std::string("Projects/P/") + folder));
  }
  dir.Write(std::string(kDataFolder) + "config.ini", ReadText(kDemo / "Data/config.ini"));
  WriteCommonSheets(dir);
  for (const auto& [file, text] : castFiles) dir.Write(std::string(kDataFolder) + file, Crlf(text));
}

struct ErrorRow {
  const char* name;
  std::map<std::string, std::string> files;
  std::array<std::string, 2> text;          // English, Spanish
  std::array<std::string, 2> caption = {};  // none: the fatal error of the file
};

std::string BotFile(const std::string& units) {
  std::string sprite = PlayerSprite(1);
  sprite.replace(sprite.find("player_character_sprite_1"), 25, "bot_character_sprite_1");
  return sprite + units;
}

std::vector<ErrorRow> ErrorRows() {
  const std::string objects = "[object_inventory_2]\nobject_name=Key\nobject_icon=icon.bmp\n";
  const std::string spritesDir = "Projects\\\\P\\\\Graphics\\\\Sprites_characters_units\\\\";
  const std::string objectsDir = "Projects\\\\P\\\\Graphics\\\\Sprites_objects_units\\\\";
  auto rows = std::vector<ErrorRow>{
      {"icon not defined",
       {{"objects_units.ini", "[object_inventory_3]\nobject_name=Key\n"}},
       {"Section [object_inventory_3]:\\nThe icon of object number 3 is not defined.\\nYou must indicate it in "
        "variable 'object_icon'",
        "Sección [object_inventory_3]:\\nNo se ha definido el icono del objeto número 3.\\nDebes indicarlo en la "
        "variable 'object_icon'."}},
      {"icon file not found",
       {{"objects_units.ini", "[object_inventory_3]\nobject_name=Key\nobject_icon=none.bmp\n"}},
       {"Section [object_inventory_3]:\\nFile 'OBJ none.bmp' not found of the icon of object number 3.",
        "Sección [object_inventory_3]:\\nNo existe el fichero 'OBJ none.bmp' del icono del objeto número 3."}},
      {"icon invalid",
       {{"objects_units.ini", "[object_inventory_3]\nobject_name=Key\nobject_icon=bad.bmp\n"}},
       {"Section [object_inventory_3]:\\nFile 'OBJ bad.bmp' of the icon of object number 3, is invalid",
        "Sección [object_inventory_3]:\\nEl fichero 'OBJ bad.bmp' del icono del objeto número 3, no es válido."}},
      {"object sprite file not found",
       {{"objects_units.ini", objects + "object_sprite_bmp=..\\..\\..\\..\\..\\thing.bmp\n"}},
       {"Section [object_inventory_2]:\\nFile 'OBJ ..\\\\..\\\\..\\\\..\\\\..\\\\thing.bmp' not found of the sprite "
        "of object number 2.",
        "Sección [object_inventory_2]:\\nNo existe el fichero 'OBJ ..\\\\..\\\\..\\\\..\\\\..\\\\thing.bmp' del sprite "
        "del objeto número 2."}},
      {"object sprite invalid",
       {{"objects_units.ini", objects + "object_sprite_bmp=bad.bmp\n"}},
       {"Section [object_inventory_2]:\\nFile 'OBJ bad.bmp' of the sprite of object number 2, is invalid",
        "Sección [object_inventory_2]:\\nEl fichero 'OBJ bad.bmp' del sprite del objeto número 2, no es válido."}},
      {"unit-object of an undefined object",
       {{"objects_units.ini", objects + "[object_unit_4]\nunit_object_inventory=7\n"}},
       {"Section [object_unit_4]:\\nThe object number 7 in variable 'unit_object_inventory' is not defined.",
        "Sección [object_unit_4]:\\nEl objeto número 7 de la variable 'unit_object_inventory' no está definido."}},
      {"unit-object of an object without sprite",
       {{"objects_units.ini", objects + "[object_unit_4]\nunit_object_inventory=2\n"}},
       {"Section [object_unit_4]:\\nUnit-object 4 could not be created. The sprite of object number 2 is not defined "
        "in section [object_inventory_2].",
        "Sección [object_unit_4]:\\nNo se ha podido crear la unidad-objeto 4. No se ha definido el sprite del objeto "
        "número 2 en la sección [object_inventory_2]."}},
      {"pick-up without type",
       {{"objects_units.ini", "[object_unit_9]\nunit_object_inventory=65\n"}},
       {"Section [object_unit_9]:\\nUnit-object 9 could not be created. The object type in variable "
        "'unit_object_autouse' is not defined.",
        "Sección [object_unit_9]:\\nNo se ha podido crear la unidad-objeto 9. No se ha definido el tipo de objeto en "
        "la variable 'unit_object_autouse'."}},
      {"sheet not found",
       {{"player_characters_units.ini", "[player_character_sprite_6]\nsprite_bmp=none.bmp\n"}},
       {"Section [player_character_sprite_6]:\\nSprite file 'SPR none.bmp' not found.",
        "Sección [player_character_sprite_6]:\\nNo existe el fichero de sprite 'SPR none.bmp'."}},
      {"sheet invalid",
       {{"player_characters_units.ini", "[player_character_sprite_6]\nsprite_bmp=bad.bmp\n"}},
       {"Section [player_character_sprite_6]:\\nFile 'SPR bad.bmp' of the sprite number 6, is invalid",
        "Sección [player_character_sprite_6]:\\nEl fichero 'SPR bad.bmp' del sprite número 6, no es válido."}},
      {"direction key missing",
       {{"player_characters_units.ini", "[player_character_sprite_6]\nsprite_bmp=sheet.bmp\n"}},
       {"Section [player_character_sprite_6]:\\nVariable 'sprite_frames_up' not defined for the sprite number 6.",
        "Sección [player_character_sprite_6]:\\nVariable 'sprite_frames_up' no definida para el sprite número 6."}},
      {"frame out of bounds",
       {{"bots_characters_units.ini",
         BotFile("").replace(BotFile("").find("sprite_frames_down=1, 2"), 23, "sprite_frames_down=1, 9")}},
       {"Section [bot_character_sprite_1]:\\nNumber of frame out of bounds in variable 'sprite_frames_down' of the "
        "sprite number 1.",
        "Sección [bot_character_sprite_1]:\\nNúmero de 'frame' fuera de rango en la variable 'sprite_frames_down' del "
        "sprite número 1."}},
      {"unit of an undefined sprite",
       {{"other_units.ini", "[other_sprite_1]\nsprite_bmp=sheet.bmp\n[other_unit_2]\nunit_sprite=3\n"}},
       {"Section [other_unit_2]:\\nThe sprite number 3 is not defined.",
        "Sección [other_unit_2]:\\nNo se ha definido el sprite número 3."}},
      {"unit naming an unknown object",
       {{"player_characters_units.ini",
         PlayerSprite(1) + "[player_unit_1]\nunit_sprite=1\nunit_event_player_collision_action_object=Spoon\n"}},
       {"Section [player_unit_1]:\\nThe object 'Spoon' is not defined.",
        "Sección [player_unit_1]:\\nEl objeto 'Spoon' no se ha definido."}},
      {"event script missing",
       {{"bots_characters_units.ini", BotFile("[bot_unit_1]\nunit_sprite=1\nunit_event_death_script=gone.txt\n")}},
       {"Script file 'Projects\\\\P\\\\Scripts\\\\gone.txt' not found.",
        "No existe el fichero de script 'Projects\\\\P\\\\Scripts\\\\gone.txt'."},
       {"Script not found", "Script no encontrado"}},
      {"character sheet missing",
       {{"bots_characters_units.ini", BotFile("[bot_unit_1]\nunit_sprite=1\n")}},
       {"File 'Projects\\\\P\\\\Graphics\\\\Sprites_bots_units\\\\ball_fire_bot.bmp' not found.",
        "No existe el fichero 'Projects\\\\P\\\\Graphics\\\\Sprites_bots_units\\\\ball_fire_bot.bmp'."},
       {"System sprites error", "Error en sprites del sistema"}},
  };
  // The fatal error caption of the file, and short names for the folders the messages name.
  for (ErrorRow& row : rows) {
    if (row.caption[0].empty()) {
      const std::string file = row.files.begin()->first;
      row.caption = {"Fatal error in file " + file, "Error fatal en el fichero " + file};
    }
    for (std::string& text : row.text) {
      for (const auto& [tag, folder] :
           {std::pair{std::string("OBJ "), objectsDir}, {std::string("SPR "), spritesDir}}) {
        for (std::size_t at; (at = text.find(tag)) != std::string::npos;) text.replace(at, tag.size(), folder);
      }
    }
  }
  return rows;
}

TEST(CastEndToEnd, EachLoaderErrorShowsOneBoxInBothLanguagesAndTheRunEndsCleanly) {
  for (const ErrorRow& row : ErrorRows()) {
    for (int language = 0; language < 2; ++language) {
      SCOPED_TRACE(std::string(row.name) + (language == 0 ? " (English)" : " (Spanish)"));
      TempDir dir;
      MakeProject(dir, language == 1, row.files);
      if (row.caption[0] == "System sprites error") {
        std::filesystem::remove(dir / (std::string(kBotSheets) + "ball_fire_bot.bmp"));
      }
      const Outputs run = RunTwice(dir, "--frames 50", 1);
      const std::string box = std::string("box error owner=main caption=\"") + row.caption[language] + "\" text=\"" +
                              row.text[language] + "\" answer=ok\n";
      EXPECT_NE(run.transcript.find(box), std::string::npos) << box << "\n---\n" << run.transcript;
      // One box only, and the run ends on the quit the box posted, before any game frame, with
      // the failure's exit code.
      EXPECT_EQ(CountOf(run.transcript, " box "), 1u) << run.transcript;
      EXPECT_NE(run.transcript.find("0 quit 1\n"), std::string::npos) << run.transcript;
    }
  }
}

// A failing pick-up ends its own loader only: the characters are still loaded, and the run
// ends when the message loop finds the quit.
TEST(CastEndToEnd, AFailingPickUpLeavesTheLaterLoadersToRun) {
  TempDir dir;
  MakeProject(dir, false,
              {{"objects_units.ini",
                "[object_unit_1]\nunit_object_inventory=0\nunit_object_autouse=ammo_kit\n"
                "[object_unit_2]\nunit_object_inventory=5\n[object_unit_3]\nunit_object_inventory=0\n"
                "unit_object_autouse=health_kit\n"},
               {"player_characters_units.ini", PlayerSprite(1) + "[player_unit_3]\nunit_sprite=1\nunit_name=Late\n"}});
  const Outputs run = RunTwice(dir, "--frames 50", 1);
  const auto dump = nlohmann::json::parse(run.dump);
  std::vector<std::string> cast;
  for (const auto& unit : dump.at("units")) {
    if (unit.at("kind") != 0) cast.push_back(unit.at("kind").dump() + " " + unit.at("name").get<std::string>());
  }
  EXPECT_EQ(cast, (std::vector<std::string>{"4 ", "1 Late"}));
  EXPECT_NE(run.transcript.find("0 quit 1\n"), std::string::npos) << run.transcript;
}

// The demo's cast stands where the map's object layers put it: every placed number of each layer
// has its unit at the object's position.
TEST(CastEndToEnd, TheDemoCastStandsWhereTheMapPlacesIt) {
  TempDir dir;
  UseDemoProject(dir, "project_name=Demo\n");
  const Outputs run = RunTwice(dir, "--frames 5");
  EXPECT_EQ(run.transcript.find(" box "), std::string::npos) << run.transcript;
  const auto dump = nlohmann::json::parse(run.dump);
  const std::map<int, std::string> layers = {
      {1, "Units players"}, {2, "Units bots"}, {3, "Units others"}, {4, "Units objects"}};
  for (const auto& [kind, layer] : layers) {
    SCOPED_TRACE(layer);
    std::multiset<std::pair<int, int>> placed, standing;
    for (const auto& object : dump.at("objects").at(layer))
      placed.insert({object.at(1).get<int>(), object.at(2).get<int>()});
    for (const auto& unit : dump.at("units")) {
      // Where each unit was put; wandering bots have already set off in the first step.
      if (unit.at("kind") == kind) standing.insert({unit.at("spawn_x").get<int>(), unit.at("spawn_y").get<int>()});
    }
    EXPECT_FALSE(placed.empty());
    EXPECT_EQ(standing, placed);
  }
}

}  // namespace
