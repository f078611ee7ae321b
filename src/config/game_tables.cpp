#include "config/game_tables.h"

namespace config {

GameTables& Tables() {
  static GameTables tables;
  return tables;
}

void ResetTables() { Tables() = GameTables{}; }

const MapObject* FindMapObject(int layer, int number) {
  if (layer < 0 || layer >= kMapObjectLayerCount) return nullptr;
  for (const MapObject& object : Tables().mapObjects[static_cast<std::size_t>(layer)]) {
    if (object.number == number) return &object;
  }
  return nullptr;
}

}  // namespace config
