// Settings of the Tiled map and tileset files that change what Tiled shows but that the game
// does not honour (layer offsets, tints, hidden layers, flipped tiles, tile offsets, ...): the
// game loads such a file silently and looks different from the editor, so `--check` names each
// one, once per layer or tileset, with what the game does instead.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace app {

// One sentence per ignored setting of a map document the game has loaded, in layer order.
std::vector<std::string> IgnoredMapSettings(const nlohmann::json& map);

// One sentence per ignored setting of a tileset document; `firstGid` is the tileset's first tile
// id in the map, which names it together with its name.
std::vector<std::string> IgnoredTilesetSettings(const nlohmann::json& tileset, int firstGid);

}  // namespace app
