// The start-up readers of the project's Tiled map: the map file (tilesets, the ground and overlay
// tile layers, the object layers), then each tileset's BMP image and its tileset JSON file. They
// fill the tileset table, the tile layers and the map object lists of the game's tables.
//
// A file the engine cannot use is reported in a message box naming the file and the reason, and
// the reader returns false.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "config/game_config.h"

namespace map {

// Object layer names, compared with case, in the order of the map object lists.
inline constexpr std::array<std::string_view, config::kMapObjectLayerCount> kObjectLayerNames = {
    "Units objects", "Units players", "Zones", "Units bots", "Units others"};

// How many groups of layers may enclose one another. Tiled puts no limit; the reader descends
// once per group, and a hostile file could nest thousands.
inline constexpr int kMaxGroupDepth = 64;

// The map file of the game settings (its mapFilePath).
bool ReadTiledMap(config::GameConfig& config);
// The BMP image of each tileset in use: its size and last global id. Also checks that every tile
// value of the two tile layers falls in a tileset's range, now that the ranges are known.
bool ReadTilesetImages(config::GameConfig& config);
// The tileset JSON file of each tileset in use: transparent colour and walkable flags. A missing
// file is reported and the others are still read (the result stays true; the quit is posted).
bool ReadTilesetProperties(config::GameConfig& config);

// A tileset's file in the Map folder: its base name with ".bmp" or ".json".
std::string TilesetPath(const config::LauncherSettings& launcher, const config::TilesetRecord& tileset,
                        const char* extension);

// The parts the readers are made of, for tests: each throws MapFileError.
// Fills the tilesets' in-use flags, base names and first ids, the tile layers and the objects.
void ParseTiledMap(const nlohmann::json& document, config::GameTables& tables);
// Fills the transparent colour and the walkable list of one tileset whose image size is known.
void ParseTilesetProperties(const nlohmann::json& document, config::TilesetRecord& tileset);
// Throws when a value of the two tile layers lies in no tileset's range.
void CheckTileValues(const config::GameTables& tables);

// The number after the last underscore of an object name; 0 when there is none.
int ObjectNumber(const std::string& name);

}  // namespace map
