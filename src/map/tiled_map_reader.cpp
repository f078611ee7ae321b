// The Tiled map file: which tilesets it uses, the ground and overlay tile layers, and the
// numbered objects of the object layers that place units and give bots their zones.
#include <array>
#include <string_view>

#include "config/fatal_error.h"
#include "config/game_settings.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "map/map_cell.h"
#include "map/map_file_error.h"
#include "map/tile_layer_data.h"
#include "map/tiled_json.h"
#include "map/tiled_readers.h"
#include "platform/files.h"

namespace map {

using config::Format;
using nlohmann::json;

namespace {

constexpr std::size_t kBaseNameMax = 66;
constexpr int64_t kMaxGid = ~kTiledFlagBits;

int ObjectLayerKind(const std::string& name) {
  for (std::size_t kind = 0; kind < kObjectLayerNames.size(); ++kind) {
    if (name == kObjectLayerNames[kind]) return static_cast<int>(kind);
  }
  return -1;
}

// What the map file holds, collected before anything is written to the tables.
struct MapContents {
  std::array<config::TilesetRecord, config::kMaxTilesets> tilesets{};
  std::vector<std::vector<uint32_t>> tileLayers;  // the first two are kept
  std::array<std::vector<config::MapObject>, config::kMapObjectLayerCount> objects{};
  // The size of the last object read from a used object layer: an object that leaves its width
  // or height out (a template instance, some exporters) keeps the previous one, 0 at first.
  int lastWidth = 0;
  int lastHeight = 0;
};

// Only orthogonal maps are drawn as the file means them; the other orientations place tiles on
// a diamond or offset grid. A file without the member is taken as orthogonal.
void CheckOrientation(const json& document) {
  if (!document.contains("orientation")) return;
  const std::string orientation = StringMember(document, "orientation", kTopLevel);
  if (orientation != "orthogonal") {
    throw MapFileError(
        Format("\"orientation\" is \"%s\"; the engine draws only orthogonal maps", orientation.c_str()),
        Format("\"orientation\" es \"%s\"; el motor solo dibuja mapas ortogonales", orientation.c_str()));
  }
}

void CheckMapSize(const json& document) {
  if (document.contains("infinite") && document["infinite"] == true) {
    throw MapFileError("it is an infinite map; the engine needs a fixed map of 128 x 128 tiles",
                       "es un mapa infinito; el motor necesita un mapa fijo de 128 x 128 tiles");
  }
  const int64_t width = IntMember(document, "width", kTopLevel, 0, INT32_MAX);
  const int64_t height = IntMember(document, "height", kTopLevel, 0, INT32_MAX);
  const int64_t tileWidth = IntMember(document, "tilewidth", kTopLevel, 0, INT32_MAX);
  const int64_t tileHeight = IntMember(document, "tileheight", kTopLevel, 0, INT32_MAX);
  if (width != kMapCols || height != kMapRows || tileWidth != kTileSize || tileHeight != kTileSize) {
    const long long w = width, h = height, tw = tileWidth, th = tileHeight;
    throw MapFileError(Format("the map is %lld x %lld tiles of %lld x %lld pixels; the engine needs 128 x 128 "
                              "tiles of 64 x 64 pixels",
                              w, h, tw, th),
                       Format("el mapa es de %lld x %lld tiles de %lld x %lld píxeles; el motor necesita 128 x "
                              "128 tiles de 64 x 64 píxeles",
                              w, h, tw, th));
  }
}

void ReadTileLayer(const json& layer, const JsonLocation& location, MapContents& contents) {
  if (contents.tileLayers.size() >= 2) return;  // only the ground and the overlay are used
  const std::string where = location.Text();
  std::vector<uint32_t> values = DecodeLayerData(layer, where);
  const std::size_t expected = static_cast<std::size_t>(kMapRows) * kMapCols;
  if (values.size() != expected) {
    throw MapFileError(
        Format("%s holds %zu tile values; a 128 x 128 map needs %zu", where.c_str(), values.size(), expected),
        Format("%s contiene %zu valores de tile; un mapa de 128 x 128 necesita %zu", where.c_str(), values.size(),
               expected));
  }
  contents.tileLayers.push_back(std::move(values));
}

// A size member of an object, or the last one read when the object leaves it out.
int SizeMember(const json& object, const char* key, const JsonLocation& where, int& last) {
  if (object.is_object() && object.contains(key)) last = CoordinateMember(object, key, where);
  return last;
}

void ReadObjectLayer(const json& layer, const JsonLocation& where, MapContents& contents) {
  const int kind = ObjectLayerKind(StringMember(layer, "name", where));
  if (kind < 0) return;
  const json& objects = ArrayMember(layer, "objects", where);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const json& object = objects[i];
    const JsonLocation at(where, "objects", i);
    const json* name = object.is_object() && object.contains("name") ? &object["name"] : nullptr;
    config::MapObject record;
    record.number = (name && name->is_string()) ? ObjectNumber(name->get<std::string>()) : 0;
    record.x = CoordinateMember(object, "x", at);
    record.y = CoordinateMember(object, "y", at);
    record.width = SizeMember(object, "width", at, contents.lastWidth);
    record.height = SizeMember(object, "height", at, contents.lastHeight);
    if (record.number != 0) contents.objects[static_cast<std::size_t>(kind)].push_back(record);
  }
}

// Layers in file order; the layers of a group count where the group stands. `depth` is the
// number of groups around these layers.
void ReadLayers(const json& layers, const JsonLocation& where, int depth, MapContents& contents) {
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const json& layer = layers[i];
    const JsonLocation at(where, "layers", i);
    const std::string type = StringMember(layer, "type", at);
    if (type == "tilelayer") {
      ReadTileLayer(layer, at, contents);
    } else if (type == "objectgroup") {
      ReadObjectLayer(layer, at, contents);
    } else if (type == "group") {
      if (depth == kMaxGroupDepth) {
        const std::string outermost = at.Outermost().Text();
        throw MapFileError(Format("%s holds groups of layers nested more than %d deep; the engine reads %d levels",
                                  outermost.c_str(), kMaxGroupDepth, kMaxGroupDepth),
                           Format("%s contiene grupos de capas anidados a más de %d niveles; el motor lee %d niveles",
                                  outermost.c_str(), kMaxGroupDepth, kMaxGroupDepth));
      }
      ReadLayers(ArrayMember(layer, "layers", at), at, depth + 1, contents);
    }
  }
}

// The tileset's base name: the file name of "source" up to its first dot.
std::string BaseName(const std::string& source, const JsonLocation& location) {
  const std::size_t slash = source.find_last_of("/\\");
  std::string name = source.substr(slash == std::string::npos ? 0 : slash + 1);
  name = name.substr(0, name.find('.'));
  if (name.empty() || name.size() > kBaseNameMax) {
    const std::string where = location.Text();
    throw MapFileError(Format("the tileset file name \"%s\" in %s must have 1 to 66 characters before its first dot",
                              source.c_str(), where.c_str()),
                       Format("el nombre de fichero de tileset \"%s\" en %s debe tener de 1 a 66 caracteres antes "
                              "del primer punto",
                              source.c_str(), where.c_str()));
  }
  return name;
}

void ReadTilesets(const json& document, MapContents& contents) {
  const json& tilesets = ArrayMember(document, "tilesets", kTopLevel);
  if (tilesets.empty()) {
    throw MapFileError("the map uses no tileset", "el mapa no usa ningún tileset");
  }
  // Tilesets beyond the tenth are not stored; tiles that use them fall in no range.
  for (std::size_t i = 0; i < tilesets.size() && i < config::kMaxTilesets; ++i) {
    const JsonLocation at(kTopLevel, "tilesets", i);
    const json& entry = tilesets[i];
    config::TilesetRecord& record = contents.tilesets[i];
    record.firstGid = static_cast<int>(IntMember(entry, "firstgid", at, 1, kMaxGid));
    if (entry.is_object() && !entry.contains("source")) {
      throw MapFileError(Format("%s is embedded in the map; save it as a tileset file (JSON) in the map's folder, "
                                "beside its BMP image",
                                at.Text().c_str()),
                         Format("%s está incrustado en el mapa; guárdalo como fichero de tileset (JSON) en la "
                                "carpeta del mapa, junto a su imagen BMP",
                                at.Text().c_str()));
    }
    record.baseName = BaseName(StringMember(entry, "source", at), at);
    record.inUse = true;
  }
}

MapContents ReadMapContents(const json& document) {
  if (!document.is_object()) {
    throw MapFileError("it is not a Tiled map (no JSON object)", "no es un mapa de Tiled (no hay objeto JSON)");
  }
  CheckOrientation(document);
  CheckMapSize(document);
  MapContents contents;
  ReadLayers(ArrayMember(document, "layers", kTopLevel), kTopLevel, 0, contents);
  if (contents.tileLayers.size() < 2) {
    throw MapFileError(
        Format("the map has %zu tile layers; it needs two: the ground and the overlay", contents.tileLayers.size()),
        Format("el mapa tiene %zu capas de tiles; necesita dos: el suelo y la superposición",
               contents.tileLayers.size()));
  }
  ReadTilesets(document, contents);
  return contents;
}

}  // namespace

int ObjectNumber(const std::string& name) {
  const std::size_t underscore = name.rfind('_');
  if (underscore == std::string::npos) return 0;
  return config::ParseInt(std::string_view(name).substr(underscore + 1));
}

void ParseTiledMap(const json& document, config::GameTables& tables) {
  MapContents contents = WithJsonErrorsReported([&] { return ReadMapContents(document); });
  tables.tilesets = std::move(contents.tilesets);
  tables.tileLayers[0] = std::move(contents.tileLayers[0]);
  tables.tileLayers[1] = std::move(contents.tileLayers[1]);
  tables.mapObjects = std::move(contents.objects);
}

bool ReadTiledMap(config::GameConfig& config) {
  const std::string& path = config.settings.mapFilePath;
  config::GameTables& tables = config.tables;
  const config::Language language = config.language();
  tables.tilesets = {};
  tables.tileLayers = {};
  tables.mapObjects = {};
  if (!platform::FileExists(path)) {
    config::FatalError(
        config.listeners, config::Tr(language, "File not found.", "Fichero no encontrado"),
        config::Format(config::Tr(language, "There is no map file: %s", "No existe el fichero de mapa: %s").c_str(),
                       path.c_str()));
    return false;
  }
  try {
    ParseTiledMap(ParseJsonFile(path), tables);
    return true;
  } catch (const MapFileError& error) {
    ReportMapFileError(config, path, error);
    return false;
  }
}

}  // namespace map
