// The definition tables: capacities, the map object lookup and resetting between runs.
#include <gtest/gtest.h>

#include "config/game_tables.h"

namespace {

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override { config::ResetTables(); }
  void TearDown() override { config::ResetTables(); }
};

TEST_F(TablesTest, MapObjectLookupFindsTheFirstRecordOfItsLayer) {
  auto& bots = config::Tables().mapObjects[config::kLayerUnitsBots];
  bots.push_back({7, 10, 20, 30, 40});
  bots.push_back({3, 1, 2, 3, 4});
  bots.push_back({7, 99, 99, 1, 1});
  config::Tables().mapObjects[config::kLayerZones].push_back({5, 0, 0, 64, 64});

  const config::MapObject* found = config::FindMapObject(config::kLayerUnitsBots, 7);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->x, 10);
  EXPECT_EQ(found->height, 40);
  EXPECT_EQ(config::FindMapObject(config::kLayerUnitsBots, 3)->x, 1);
  // Numbers belong to their own layer.
  EXPECT_EQ(config::FindMapObject(config::kLayerUnitsBots, 5), nullptr);
  EXPECT_EQ(config::FindMapObject(config::kLayerZones, 5)->width, 64);
  EXPECT_EQ(config::FindMapObject(-1, 7), nullptr);
  EXPECT_EQ(config::FindMapObject(config::kMapObjectLayerCount, 7), nullptr);
}

TEST_F(TablesTest, ResetRestoresTheEmptyStartState) {
  auto& tables = config::Tables();
  tables.objects[64].defined = true;
  tables.objects[64].numberOfUses = 9;
  tables.spriteDefs[256].defined = true;
  tables.tilesets[9].inUse = true;
  tables.tilesets[9].transparentColor = 0x123456;
  tables.tilesets[9].walkable = {1, 0, 1};
  tables.tileLayers[1] = {1, 2, 3};
  tables.mapObjects[config::kLayerUnitsPlayers].push_back({1, 2, 3, 4, 5});
  config::ResetTables();

  EXPECT_FALSE(tables.objects[64].defined);
  EXPECT_EQ(tables.objects[64].numberOfUses, 0);
  EXPECT_FALSE(tables.spriteDefs[256].defined);
  EXPECT_FALSE(tables.tilesets[9].inUse);
  EXPECT_EQ(tables.tilesets[9].transparentColor, 0xBF7BC7u);
  EXPECT_TRUE(tables.tilesets[9].walkable.empty());
  EXPECT_TRUE(tables.tileLayers[1].empty());
  EXPECT_EQ(config::FindMapObject(config::kLayerUnitsPlayers, 1), nullptr);
}

}  // namespace
