// A project Map folder in the test's temporary current directory, holding the Tiled fixtures of
// tests/data/map and tileset images whose every pixel tells which tile and which place in the
// tile it came from.
#pragma once

#include <filesystem>
#include <string>

#include "config/game_settings.h"
#include "config/launcher_settings.h"
#include "gfx/bitmap_surface.h"
#include "support/run_program.h"
#include "support/test_world.h"

namespace maptest {

inline const char* const kMapFolder = "Projects\\Fx\\Map";
inline constexpr uint32_t kPropsKey = 0xFF00FF;  // the props tileset's transparent colour

// Terrain pixel: (tile id + 1) in red, the x and y inside the tile in green and blue.
inline uint32_t TerrainPixel(int tile, int x, int y) {
  return static_cast<uint32_t>(((tile + 1) << 16) | (x << 8) | y);
}
// Props pixel: the left half of each tile is the key colour, the right half 0x80 | tile in red.
inline uint32_t PropsPixel(int tile, int x) {
  return x < 32 ? kPropsKey : static_cast<uint32_t>((0x80 | tile) << 16 | 0x0101);
}

inline bool WriteTilesetImage(const std::filesystem::path& file, int width, int height, bool props) {
  CBitmapSurface image;
  if (!image.Create(width, height)) return false;
  const int perRow = width / 64;
  for (int y = 0; y < height; ++y) {
    uint32_t* row = image.RowTopDown(y);
    for (int x = 0; x < width; ++x) {
      const int tile = (y / 64) * perRow + x / 64;
      row[x] = props ? PropsPixel(tile, x % 64) : TerrainPixel(tile, x % 64, y % 64);
    }
  }
  return image.SaveFile(file.string());
}

inline std::string DataFile(const std::string& name) {
  return testing_support::ReadText(std::filesystem::path(TL_TEST_DATA_DIR) / "map" / name);
}

// The test world with the fixture map copied in as Map\map.json next to the tileset files.
class MapProject : public testing_support::HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    config_.launcher.folders[config::kFolderMap] = kMapFolder;
    config_.settings.mapFilePath = std::string(kMapFolder) + "\\map.json";
    WriteMap(DataFile("map_lf.json"));
    dir_.Write("Projects/Fx/Map/terrain.json", DataFile("terrain.json"));
    dir_.Write("Projects/Fx/Map/props.json", DataFile("props.json"));
    ASSERT_TRUE(WriteTilesetImage(MapDir() / "terrain.bmp", 640, 320, false));
    ASSERT_TRUE(WriteTilesetImage(MapDir() / "props.bmp", 128, 128, true));
  }

  std::filesystem::path MapDir() const { return dir_ / "Projects/Fx/Map"; }
  void WriteMap(const std::string& text) const { dir_.Write("Projects/Fx/Map/map.json", text); }
};

}  // namespace maptest
