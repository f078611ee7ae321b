// The demo project as the loaders will meet it: the committed pictures and map are exactly what
// the generators write, every sheet cuts into the whole frames its INI file declares, the map
// gives every unit a place it can stand on, and every number one file or map layer uses is
// defined where it points.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/ini_values.h"
#include "config/launcher_settings.h"
#include "gfx/bitmap_surface.h"
#include "map/map_builder.h"
#include "map/tiled_readers.h"
#include "platform/text_encoding.h"
#include "support/run_program.h"
#include "support/test_world.h"

namespace {

namespace fs = std::filesystem;
using config::ParseInt;
using config::Tables;

const fs::path kDemo = fs::path(TL_SOURCE_DIR) / "Projects" / "Demo";

std::string Ini(const std::string& file) { return (kDemo / "Data" / file).string(); }
std::string Value(const std::string& file, const std::string& section, const std::string& key, std::size_t buffer = 1024) {
  return config::ReadIniValue(Ini(file), section, key, buffer);
}
std::string Section(const char* format, int n) { return format + std::to_string(n); }

TEST(DemoCast, GeneratorsWriteExactlyTheCommittedFiles) {
  struct Generator {
    const char* program;
    const char* output;  // relative to the project folder
    int files;           // at least this many
  };
  for (const auto& [program, output, least] :
       {Generator{"demo_cast_generator", "", 5}, Generator{"demo_map_generator", "Map", 5},
        Generator{"demo_system_graphics_generator", "", 5}, Generator{"demo_images_generator", "", 2}}) {
    testing_support::TempDir dir;
    const fs::path target = dir / output;
    std::string command(1, '\'');  // built piecewise: GCC 12 misreports "'" + string
    command += (fs::path(TL_TOOLS_DIR) / program).string();
    command += "' '";
    command += target.string();
    command += "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << program;
    int files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir.path())) {
      if (!entry.is_regular_file()) continue;
      const fs::path relative = fs::relative(entry.path(), dir.path());
      ++files;
      EXPECT_TRUE(testing_support::ReadText(entry.path()) == testing_support::ReadText(kDemo / relative))
          << program << " wrote " << relative << " differently from the committed file";
    }
    EXPECT_GE(files, least) << program;
  }
}

// A unit file: its sprite and unit sections and the folder of its sheets.
struct UnitFile {
  const char* ini;
  const char* section;      // sprite sections
  const char* unitSection;  // unit sections
  const char* folder;
  bool walks;  // players and bots need the eight direction ranges
};
constexpr UnitFile kUnitFiles[] = {
    {"player_characters_units.ini", "player_character_sprite_", "player_unit_", "Sprites_characters_units", true},
    {"bots_characters_units.ini", "bot_character_sprite_", "bot_unit_", "Sprites_bots_units", true},
    {"other_units.ini", "other_sprite_", "other_unit_", "Sprites_other_units", false},
};

// Checks that a sheet cuts into whole frames and that each declared frame shows something.
void ExpectWholeFrames(const fs::path& sheetPath, int fw, int fh, int frames, const std::string& what) {
  CBitmapSurface sheet;
  ASSERT_TRUE(sheet.LoadFile(sheetPath.string())) << what << ": " << sheet.LoadError();
  ASSERT_TRUE(fw > 0 && fh > 0 && sheet.GetWidth() % fw == 0 && sheet.GetHeight() % fh == 0)
      << what << ": " << sheet.GetWidth() << " x " << sheet.GetHeight() << " is not cut by " << fw << " x " << fh;
  const int columns = sheet.GetWidth() / fw;
  ASSERT_LE(frames, columns * (sheet.GetHeight() / fh)) << what;
  for (int f = 0; f < frames; ++f) {
    int drawn = 0;
    for (int i = 0; i < fw * fh; ++i) drawn += sheet.GetPixel(f % columns * fw + i % fw, f / columns * fh + i / fw) != 0xBF7BC7;
    EXPECT_GT(drawn, fw * fh / 50) << what << " frame " << f + 1 << " is empty";
  }
}

TEST(DemoCast, SheetsCutIntoTheFramesTheirSectionsDeclare) {
  static const char* const kDirections[] = {"up", "down", "right_up", "left_up", "right_down", "left_down", "right", "left"};
  int sprites = 0;
  for (const UnitFile& kind : kUnitFiles) {
    for (int n = 1; n <= 256; ++n) {
      const std::string section = Section(kind.section, n), bmp = Value(kind.ini, section, "sprite_bmp", 64);
      if (bmp.empty()) continue;
      ++sprites;
      const int fw = ParseInt(Value(kind.ini, section, "sprite_frame_width")),
                fh = ParseInt(Value(kind.ini, section, "sprite_frame_height")),
                frames = ParseInt(Value(kind.ini, section, "sprite_number_frames"));
      ExpectWholeFrames(kDemo / "Graphics" / kind.folder / bmp, fw, fh, frames, section);
      const auto box = config::ParseList4(Value(kind.ini, section, "sprite_collision_box"));
      EXPECT_TRUE(box[0] >= 0 && box[0] < box[2] && box[2] < fw && box[1] >= 0 && box[1] < box[3] && box[3] < fh)
          << section << ": the collision box leaves the frame";
      for (const char* direction : kDirections) {
        if (!kind.walks) break;
        const std::string key = std::string("sprite_frames_") + direction;
        const std::string value = Value(kind.ini, section, key, 64);
        const auto [first, last] = config::ParsePair(value);
        EXPECT_TRUE(first >= 1 && first <= last && last <= frames) << section << " " << key << " = " << value;
      }
    }
  }
  EXPECT_EQ(sprites, 14);
  for (int n = 1; n <= 64; ++n) {
    const std::string section = Section("object_inventory_", n);
    if (Value("objects_units.ini", section, "object_name", 128).empty()) continue;
    const fs::path folder = kDemo / "Graphics" / "Sprites_objects_units";
    ExpectWholeFrames(folder / Value("objects_units.ini", section, "object_icon", 128), 32, 32, 1, section + " icon");
    ExpectWholeFrames(folder / Value("objects_units.ini", section, "object_sprite_bmp", 128),
                      ParseInt(Value("objects_units.ini", section, "object_sprite_frame_width")),
                      ParseInt(Value("objects_units.ini", section, "object_sprite_frame_height")),
                      ParseInt(Value("objects_units.ini", section, "object_sprite_number_frames")), section);
  }
  for (const auto& [path, fw, fh, frames] :
       {std::tuple{"Sprites_objects_units/health_object.bmp", 32, 32, 1}, {"Sprites_objects_units/ammo_object.bmp", 32, 32, 1},
        {"System/info_icon.bmp", 18, 18, 1}, {"Sprites_bots_units/alert_bot.bmp", 24, 24, 1},
        {"System/pointer.bmp", 92, 91, 8}, {"System/action_symbol.bmp", 52, 74, 2}, {"System/Respawn_fx.bmp", 63, 63, 9}}) {
    ExpectWholeFrames(kDemo / "Graphics" / path, fw, fh, frames, path);
  }
}

// The map and the INI files, read by the engine's own readers.
class DemoCastMap : public testing_support::HeadlessWorld {
 protected:
  bool HasZone(int number) const {
    for (const config::MapObject& zone : Tables().mapObjects[config::kLayerZones]) {
      if (zone.number == number) return true;
    }
    return false;
  }
};

TEST_F(DemoCastMap, EveryPlacedObjectStandsOnAWalkableCellAndEveryNumberUsedIsDefined) {
  const std::string folder = (kDemo / "Map").string();
  config::Launcher().folders[config::kFolderMap] = folder;
  config::Settings().mapFilePath = folder + "\\demo_map.json";
  ASSERT_TRUE(map::ReadTiledMap() && map::ReadTilesetImages() && map::ReadTilesetProperties()) << Transcript();
  const std::unique_ptr<CGameMap> built = map::BuildGameMap();
  ASSERT_TRUE(built->IsValid());
  EXPECT_EQ(Transcript(), "");
  // Water blocks, the map's edge is closed, and the tilesets key their overlays.
  int blocked = 0;
  for (int i = 0; i < 128; ++i) blocked += built->Cell(0, i).walkable == 0 && built->Cell(i, 127).walkable == 0;
  EXPECT_GT(blocked, 100);
  EXPECT_EQ(Tables().tilesets[1].transparentColor, config::kDefaultTransparentColor);

  struct Layer {
    int kind;
    const char* ini;
    const char* section;
    const char* required;  // the key without which a section does not exist
    std::size_t count;
  };
  for (const auto& [kind, ini, section, required, count] :
       {Layer{config::kLayerUnitsPlayers, "player_characters_units.ini", "player_unit_", "unit_sprite", 4},
        Layer{config::kLayerUnitsBots, "bots_characters_units.ini", "bot_unit_", "unit_sprite", 9},
        Layer{config::kLayerUnitsOthers, "other_units.ini", "other_unit_", "unit_sprite", 8},
        Layer{config::kLayerUnitsObjects, "objects_units.ini", "object_unit_", "unit_object_inventory", 10}}) {
    EXPECT_EQ(Tables().mapObjects[kind].size(), count) << ini;
    for (const config::MapObject& object : Tables().mapObjects[kind]) {
      EXPECT_NE(Value(ini, Section(section, object.number), required, 64), "") << ini << " has no section for " << object.number;
      EXPECT_FALSE(built->IsBlocked(object.x, object.y, object.x + 63, object.y + 63)) << ini << " object " << object.number;
    }
  }

  // Units name sprites defined in their own file, bots name zones the map has, actions name objects.
  std::vector<std::string> objectNames;
  for (int n = 1; n <= 64; ++n) objectNames.push_back(Value("objects_units.ini", Section("object_inventory_", n), "object_name", 128));
  auto isObject = [&](const std::string& name) {
    for (const std::string& defined : objectNames) {
      if (!defined.empty() && config::EqualsNoCase(defined, name)) return true;
    }
    return false;
  };
  int units = 0;
  for (const UnitFile& kind : kUnitFiles) {
    for (int n = 1; n <= 1000; ++n) {
      const std::string section = Section(kind.unitSection, n), sprite = Value(kind.ini, section, "unit_sprite", 64);
      if (sprite.empty()) continue;
      ++units;
      EXPECT_NE(Value(kind.ini, Section(kind.section, ParseInt(sprite)), "sprite_bmp", 64), "") << kind.ini << " " << section;
      const int zone = ParseInt(Value(kind.ini, section, "unit_move_zone_number", 64));
      EXPECT_TRUE(zone == 0 || HasZone(zone)) << section << " roams zone " << zone;
      const std::string object = Value(kind.ini, section, "unit_event_player_collision_action_object", 64);
      EXPECT_TRUE(object.empty() || isObject(object)) << section << " asks for " << object;
    }
  }
  EXPECT_EQ(units, 21);
  for (int n = 1; n <= 1000; ++n) {
    const std::string section = Section("object_unit_", n), inventory = Value("objects_units.ini", section, "unit_object_inventory", 128);
    if (inventory.empty()) continue;
    const int number = ParseInt(inventory);
    if (number >= 1 && number <= 64) {
      EXPECT_NE(Value("objects_units.ini", Section("object_inventory_", number), "object_sprite_bmp", 128), "") << section;
    } else {
      EXPECT_NE(Value("objects_units.ini", section, "unit_object_autouse", 128), "") << section;
    }
  }
}

TEST(DemoCast, FilesAreSavedAsAWindowsEditorSavesThem) {
  for (const char* file : {"objects_units.ini", "player_characters_units.ini", "bots_characters_units.ini", "other_units.ini"}) {
    const std::string text = testing_support::ReadText(Ini(file));
    ASSERT_FALSE(text.empty()) << file;
    std::size_t lines = 0, bare = 0, start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\n') continue;
      ++lines;
      bare += i == 0 || text[i - 1] != '\r';
      // The value without its carriage return, against the buffer its key is read into.
      const std::string line = text.substr(start, i - 1 - start);
      const std::size_t equals = line.find('=');
      start = i + 1;
      if (line.empty() || line[0] == ';' || equals == std::string::npos) continue;
      const std::string key = line.substr(0, equals);
      const bool longText = key == "unit_description" || key.ends_with("_message") || key.ends_with("final_description");
      const std::size_t buffer = longText ? 1024 : std::string(file) == "objects_units.ini" ? 128 : 64;
      EXPECT_LT(line.size() - equals - 1, buffer) << file << ": " << key << " is cut by the loader's buffer";
    }
    EXPECT_EQ(text.back(), '\n') << file;
    EXPECT_EQ(bare, 0u) << file << ": lines that end without a carriage return";
    EXPECT_GT(lines, 50u) << file;
    EXPECT_EQ(platform::LooksLikeUtf8(text), std::string(file) == "other_units.ini") << file;
  }
}

}  // namespace
