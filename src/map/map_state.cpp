#include "map/map_state.h"

#include <array>

#include "config/game_tables.h"
#include "config/language.h"
#include "map/game_map.h"
#include "map/tiled_readers.h"

namespace map {

using nlohmann::json;

namespace {

json TilesetsJson(const config::GameTables& tables) {
  json tilesets = json::array();
  for (const config::TilesetRecord& tileset : tables.tilesets) {
    if (!tileset.inUse) continue;
    tilesets.push_back({{"name", tileset.baseName},
                        {"first_gid", tileset.firstGid},
                        {"last_gid", tileset.lastGid},
                        {"width", tileset.imageWidth},
                        {"height", tileset.imageHeight},
                        {"transparent", config::Format("#%06X", tileset.transparentColor & 0xFFFFFFu)}});
  }
  return tilesets;
}

json WalkableJson(const CGameMap& map) {
  json rows = json::array();
  for (int row = 0; row < map.Rows(); ++row) {
    std::string line(static_cast<std::size_t>(map.Cols()), '1');
    for (int col = 0; col < map.Cols(); ++col) {
      if (map.Cell(row, col).walkable == 0) line[static_cast<std::size_t>(col)] = '0';
    }
    rows.push_back(std::move(line));
  }
  return rows;
}

json ObjectsJson(const config::GameTables& tables) {
  json objects = json::object();
  for (std::size_t kind = 0; kind < kObjectLayerNames.size(); ++kind) {
    json list = json::array();
    for (const config::MapObject& object : tables.mapObjects[kind]) {
      list.push_back({object.number, object.x, object.y, object.width, object.height});
    }
    objects[std::string(kObjectLayerNames[kind])] = std::move(list);
  }
  return objects;
}

}  // namespace

json MapStateJson(const config::GameTables& tables, const CGameMap* map) {
  const bool valid = map && map->IsValid();
  json state;
  state["map"] = {{"camera", {valid ? map->CameraX() : 0, valid ? map->CameraY() : 0}},
                  {"tilesets", TilesetsJson(tables)},
                  {"walkable", valid ? WalkableJson(*map) : json::array()}};
  state["objects"] = ObjectsJson(tables);
  return state;
}

}  // namespace map
