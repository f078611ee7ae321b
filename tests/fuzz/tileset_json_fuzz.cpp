// The tileset reader on any text: either one walkable flag (0 or 1) per tile of the image, a
// 24-bit transparent colour and tiles edge to edge, or a map-file error with a reason.
#include "config/game_tables.h"
#include "fuzz_check.h"
#include "map/map_file_error.h"
#include "map/tiled_json.h"
#include "map/tiled_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  config::TilesetRecord tileset;
  tileset.inUse = true;
  tileset.baseName = "fuzz";
  tileset.firstGid = 1;
  tileset.imageWidth = 256;  // 4 x 3 tiles of 64 pixels
  tileset.imageHeight = 192;
  tileset.lastGid = 12;
  nlohmann::json document;
  if (!fuzz::SucceedsOrExplains<map::MapFileError>([&] {
        document = map::ParseJsonText(fuzz::AsString(data, size));
        map::ParseTilesetProperties(document, tileset);
      })) {
    return 0;
  }
  // Tiles are cut from the image edge to edge; a margin or spacing would shift every tile.
  for (const char* key : {"margin", "spacing"}) FUZZ_REQUIRE(!document.contains(key) || document[key] == 0);
  FUZZ_REQUIRE(tileset.walkable.size() == 12);
  for (int flag : tileset.walkable) FUZZ_REQUIRE(flag == 0 || flag == 1);
  FUZZ_REQUIRE(tileset.transparentColor <= 0xFFFFFFu);
  return 0;
}
