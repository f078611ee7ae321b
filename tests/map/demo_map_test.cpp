#include <gtest/gtest.h>

#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "map/map_builder.h"
#include "map/tiled_readers.h"
#include "support/test_world.h"

namespace {

using config::Tables;

// The bundled demo map must load through the same readers as any project and give every unit
// a place it can stand on.
class DemoMap : public testing_support::HeadlessWorld {};

TEST_F(DemoMap, LoadsAndPlacesEveryUnitOnAWalkableCell) {
  const std::string folder = std::string(TL_SOURCE_DIR) + "/Projects/Demo/Map";
  config::Launcher().folders[config::kFolderMap] = folder;
  config::Settings().mapFilePath = folder + "\\demo_map.json";
  ASSERT_TRUE(map::ReadTiledMap() && map::ReadTilesetImages() && map::ReadTilesetProperties()) << Transcript();
  std::unique_ptr<CGameMap> built = map::BuildGameMap();
  ASSERT_TRUE(built->IsValid());
  EXPECT_EQ(Transcript(), "");

  EXPECT_EQ(Tables().mapObjects[config::kLayerUnitsPlayers].size(), 4u);
  EXPECT_EQ(Tables().mapObjects[config::kLayerUnitsBots].size(), 8u);
  for (int layer : {config::kLayerUnitsObjects, config::kLayerUnitsPlayers, config::kLayerUnitsBots,
                    config::kLayerUnitsOthers}) {
    for (const config::MapObject& object : Tables().mapObjects[layer]) {
      EXPECT_FALSE(built->IsBlocked(object.x, object.y, object.x + 63, object.y + 63))
          << "layer " << layer << " object " << object.number;
    }
  }
  // Water blocks, the map's edge is closed, and the tilesets key their overlays.
  int blocked = 0;
  for (int i = 0; i < 128; ++i) blocked += built->Cell(0, i).walkable == 0 && built->Cell(i, 127).walkable == 0;
  EXPECT_GT(blocked, 100);
  EXPECT_EQ(Tables().tilesets[1].transparentColor, config::kDefaultTransparentColor);
}

}  // namespace
