// The map reader on any text: either an orthogonal map whose two tile layers, tilesets and objects
// are what the engine can use, or a map-file error with a reason. Nothing else may escape: an
// exception of the JSON library, a failed allocation or a crash is a fault.
#include "config/game_tables.h"
#include "fuzz_check.h"
#include "map/map_file_error.h"
#include "map/tile_layer_data.h"
#include "map/tiled_json.h"
#include "map/tiled_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  auto tables = std::make_unique<config::GameTables>();
  nlohmann::json document;
  if (!fuzz::SucceedsOrExplains<map::MapFileError>([&] {
        document = map::ParseJsonText(fuzz::AsString(data, size));
        map::ParseTiledMap(document, *tables);
      })) {
    return 0;
  }
  // The engine draws orthogonal maps only; any other kind is refused, not drawn wrong.
  FUZZ_REQUIRE(!document.contains("orientation") || document["orientation"] == "orthogonal");
  for (const auto& layer : tables->tileLayers) {
    FUZZ_REQUIRE(layer.size() == 128u * 128u);
    for (uint32_t value : layer) FUZZ_REQUIRE((value & map::kTiledFlagBits) == 0);
  }
  bool anyInUse = false;
  for (auto& tileset : tables->tilesets) {
    if (!tileset.inUse) continue;
    anyInUse = true;
    FUZZ_REQUIRE(tileset.firstGid >= 1);
    FUZZ_REQUIRE(!tileset.baseName.empty() && tileset.baseName.size() <= 66);
    FUZZ_REQUIRE(tileset.baseName.find_first_of("./\\") == std::string::npos);
    tileset.lastGid = tileset.firstGid + 255;  // as if its image held 16 x 16 tiles
  }
  FUZZ_REQUIRE(anyInUse);
  for (const auto& objects : tables->mapObjects) {
    for (const auto& object : objects) FUZZ_REQUIRE(object.number != 0);
  }
  fuzz::SucceedsOrExplains<map::MapFileError>([&] { map::CheckTileValues(*tables); });
  return 0;
}
