// The demo project as the loaders will meet it: the committed pictures and map are exactly what
// the generators write, its frames are drawn, its units stand where they can walk and its files
// are saved as a Windows editor saves them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

const fs::path kDemo = fs::path(TL_SOURCE_DIR) / "Projects" / "Demo";

std::string Ini(const std::string& file) { return (kDemo / "Data" / file).string(); }
std::string Value(const std::string& file, const std::string& section, const std::string& key,
                  std::size_t buffer = 1024) {
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

// What the demo's clean `--check` run and its loading in the end-to-end tests do not pin: every
// frame shows something, every unit stands where it can walk, and every zone a bot roams exists.
constexpr const char* kUnitFiles[][3] = {
    {"player_characters_units.ini", "player_character_sprite_", "Sprites_characters_units"},
    {"bots_characters_units.ini", "bot_character_sprite_", "Sprites_bots_units"},
    {"other_units.ini", "other_sprite_", "Sprites_other_units"}};

void ExpectNoEmptyFrame(const std::string& file, int fw, int fh, int frames, const std::string& what) {
  CBitmapSurface sheet;
  ASSERT_TRUE(sheet.LoadFile((kDemo / "Graphics" / file).string()) && fw > 0 && fh > 0) << what;
  const int columns = sheet.GetWidth() / fw;
  for (int f = 0; f < frames; ++f) {
    int drawn = 0;
    for (int i = 0; i < fw * fh; ++i)
      drawn += sheet.GetPixel(f % columns * fw + i % fw, f / columns * fh + i / fw) != 0xBF7BC7;
    EXPECT_GT(drawn, fw * fh / 50) << what << " frame " << f + 1 << " is empty";
  }
}

TEST(DemoCast, EveryDeclaredFrameShowsSomething) {
  for (const auto& [ini, prefix, folder] : kUnitFiles) {
    for (int n = 1; n <= 256; ++n) {
      const std::string section = Section(prefix, n), bmp = Value(ini, section, "sprite_bmp", 64);
      if (bmp.empty()) continue;
      ExpectNoEmptyFrame(std::string(folder) + "/" + bmp, ParseInt(Value(ini, section, "sprite_frame_width")),
                         ParseInt(Value(ini, section, "sprite_frame_height")),
                         ParseInt(Value(ini, section, "sprite_number_frames")), section);
    }
  }
  for (int n = 1; n <= 64; ++n) {
    const std::string section = Section("object_inventory_", n);
    if (Value("objects_units.ini", section, "object_name", 128).empty()) continue;
    ExpectNoEmptyFrame("Sprites_objects_units/" + Value("objects_units.ini", section, "object_icon", 128), 32, 32, 1,
                       section);
    ExpectNoEmptyFrame("Sprites_objects_units/" + Value("objects_units.ini", section, "object_sprite_bmp", 128),
                       ParseInt(Value("objects_units.ini", section, "object_sprite_frame_width")),
                       ParseInt(Value("objects_units.ini", section, "object_sprite_frame_height")),
                       ParseInt(Value("objects_units.ini", section, "object_sprite_number_frames")), section);
  }
  for (const auto& [path, fw, fh, frames] : {std::tuple{"System/pointer.bmp", 92, 91, 8},
                                             {"System/action_symbol.bmp", 52, 74, 2},
                                             {"System/Respawn_fx.bmp", 63, 63, 9}}) {
    ExpectNoEmptyFrame(path, fw, fh, frames, path);
  }
}

// The map and the INI files, read by the engine's own readers.
class DemoCastMap : public testing_support::HeadlessWorld {
 protected:
  bool HasZone(int number) const {
    for (const config::MapObject& zone : config_.tables.mapObjects[config::kLayerZones]) {
      if (zone.number == number) return true;
    }
    return false;
  }
};

TEST_F(DemoCastMap, EveryPlacedUnitStandsOnAWalkableCellAndEveryRoamedZoneExists) {
  const std::string folder = (kDemo / "Map").string();
  config_.launcher.folders[config::kFolderMap] = folder;
  config_.settings.mapFilePath = folder + "\\demo_map.json";
  ASSERT_TRUE(map::ReadTiledMap(config_) && map::ReadTilesetImages(config_) && map::ReadTilesetProperties(config_))
      << Transcript();
  const std::unique_ptr<CGameMap> built = map::BuildGameMap(config_);
  ASSERT_TRUE(built->IsValid());
  int blocked = 0;  // water blocks and the map's edge is closed
  for (int i = 0; i < 128; ++i) blocked += built->Cell(0, i).walkable == 0 && built->Cell(i, 127).walkable == 0;
  EXPECT_GT(blocked, 100);
  for (int kind :
       {config::kLayerUnitsPlayers, config::kLayerUnitsBots, config::kLayerUnitsOthers, config::kLayerUnitsObjects}) {
    EXPECT_FALSE(config_.tables.mapObjects[kind].empty()) << kind;
    for (const config::MapObject& object : config_.tables.mapObjects[kind]) {
      EXPECT_FALSE(built->IsBlocked(object.x, object.y, object.x + 63, object.y + 63))
          << kind << " object " << object.number;
    }
  }
  int bots = 0;
  for (int n = 1; n <= 1000; ++n) {
    const std::string section = Section("bot_unit_", n);
    if (Value("bots_characters_units.ini", section, "unit_sprite", 64).empty()) continue;
    ++bots;
    const int zone = ParseInt(Value("bots_characters_units.ini", section, "unit_move_zone_number", 64));
    EXPECT_TRUE(zone == 0 || HasZone(zone)) << section << " roams zone " << zone;
  }
  EXPECT_EQ(bots, 9);
}

TEST(DemoCast, FilesAreSavedAsAWindowsEditorSavesThem) {
  for (const char* file :
       {"objects_units.ini", "player_characters_units.ini", "bots_characters_units.ini", "other_units.ini"}) {
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
      const bool longText =
          key == "unit_description" || key.ends_with("_message") || key.ends_with("final_description");
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
