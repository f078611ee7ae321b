#include "config/game_tables.h"

namespace config {

const MapObject* FindMapObject(const GameTables& tables, int layer, int number) {
  if (layer < 0 || layer >= kMapObjectLayerCount) return nullptr;
  for (const MapObject& object : tables.mapObjects[static_cast<std::size_t>(layer)]) {
    if (object.number == number) return &object;
  }
  return nullptr;
}

}  // namespace config
