// The files of each tileset the map uses: its BMP image (size, so the range of global ids) and
// its Tiled tileset JSON (transparent colour, walkable flag of each tile).
#include <cctype>

#include "config/fatal_error.h"
#include "config/game_config.h"
#include "config/ini_values.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "gfx/bitmap_surface.h"
#include "map/map_cell.h"
#include "map/map_file_error.h"
#include "map/tiled_json.h"
#include "map/tiled_readers.h"
#include "platform/files.h"

namespace map {

using config::Format;
using config::Tr;
using nlohmann::json;

namespace {

void ReportMissingFile(const config::GameConfig& config, const char* englishText, const char* spanishText,
                       const std::string& path) {
  const config::Language language = config.language();
  config::FatalError(config.listeners, Tr(language, "File not found.", "Fichero no encontrado"),
                     Format(Tr(language, englishText, spanishText).c_str(), path.c_str()));
}

// "#rrggbb" (or "#aarrggbb", whose alpha is dropped) as 0xRRGGBB.
uint32_t ParseColour(const std::string& text) {
  std::string digits = text.substr(text.empty() || text[0] != '#' ? 0 : 1);
  bool hex = !digits.empty();
  for (char c : digits) hex = hex && std::isxdigit(static_cast<unsigned char>(c));
  if (!hex || (digits.size() != 6 && digits.size() != 8)) {
    throw MapFileError(Format("\"transparentcolor\" is \"%s\"; it must be a colour like #bf7bc7", text.c_str()),
                       Format("\"transparentcolor\" es \"%s\"; debe ser un color como #bf7bc7", text.c_str()));
  }
  return static_cast<uint32_t>(std::stoul(digits, nullptr, 16) & 0xFFFFFFu);
}

// The walkable flag a tile's properties give: its boolean property, "walkable" preferred when
// a tile has several; none: walkable.
int TileFlag(const json& tile, const JsonLocation& where) {
  if (!tile.contains("properties")) return 1;
  const json& properties = ArrayMember(tile, "properties", where);
  const json* chosen = nullptr;
  for (const json& property : properties) {
    if (!property.is_object() || !property.contains("value") || !property["value"].is_boolean()) continue;
    const bool named = property.contains("name") && property["name"].is_string() &&
                       config::EqualsNoCase(property["name"].get<std::string>(), "walkable");
    if (named || !chosen) chosen = &property;
    if (named) break;
  }
  return (chosen && !(*chosen)["value"].get<bool>()) ? 0 : 1;
}

// The engine cuts tiles edge to edge from the image's top left corner, so a tileset whose
// tiles sit apart or away from the border would be drawn from the wrong pixels.
void CheckTileGrid(const json& document) {
  for (const char* key : {"tilewidth", "tileheight"}) {
    if (document.contains(key) && IntMember(document, key, kTopLevel, 0, INT32_MAX) != kTileSize) {
      throw MapFileError(Format("the tileset's \"%s\" is not 64; the engine's tiles are 64 x 64 pixels", key),
                         Format("el \"%s\" del tileset no es 64; los tiles del motor son de 64 x 64 píxeles", key));
    }
  }
  for (const char* key : {"margin", "spacing"}) {
    if (document.contains(key) && IntMember(document, key, kTopLevel, 0, INT32_MAX) != 0) {
      throw MapFileError(Format("the tileset's \"%s\" is not 0; the engine cuts the tiles edge to edge from the "
                                "image's top left corner",
                                key),
                         Format("el \"%s\" del tileset no es 0; el motor corta los tiles uno junto a otro desde la "
                                "esquina superior izquierda de la imagen",
                                key));
    }
  }
}

void ReadTilesetDocument(const json& document, config::TilesetRecord& tileset) {
  if (!document.is_object()) {
    throw MapFileError("it is not a Tiled tileset (no JSON object)", "no es un tileset de Tiled (no hay objeto JSON)");
  }
  CheckTileGrid(document);
  tileset.transparentColor = config::kDefaultTransparentColor;
  if (document.contains("transparentcolor")) {
    tileset.transparentColor = ParseColour(StringMember(document, "transparentcolor", kTopLevel));
  }
  const int tileCount = (tileset.imageWidth / kTileSize) * (tileset.imageHeight / kTileSize);
  tileset.walkable.assign(static_cast<std::size_t>(std::max(0, tileCount)), 1);
  if (!document.contains("tiles")) return;
  const json& tiles = ArrayMember(document, "tiles", kTopLevel);
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    const JsonLocation at(kTopLevel, "tiles", i);
    const int64_t id = IntMember(tiles[i], "id", at, 0, INT32_MAX);
    const int flag = TileFlag(tiles[i], at);
    // Tiles beyond the image are never drawn; their flags are not kept.
    if (id < tileCount) tileset.walkable[static_cast<std::size_t>(id)] = flag;
  }
}

}  // namespace

std::string TilesetPath(const config::LauncherSettings& launcher, const config::TilesetRecord& tileset,
                        const char* extension) {
  return launcher.Folder(config::kFolderMap) + "\\" + tileset.baseName + extension;
}

void ParseTilesetProperties(const json& document, config::TilesetRecord& tileset) {
  WithJsonErrorsReported([&] { ReadTilesetDocument(document, tileset); });
}

void CheckTileValues(const config::GameTables& tables) {
  static const char* const kLayerNames[2][2] = {{"ground", "suelo"}, {"overlay", "superposición"}};
  for (std::size_t layer = 0; layer < tables.tileLayers.size(); ++layer) {
    const std::vector<uint32_t>& values = tables.tileLayers[layer];
    for (std::size_t i = 0; i < values.size(); ++i) {
      const int64_t gid = values[i];
      if (gid == 0) continue;
      bool found = false;
      for (const config::TilesetRecord& tileset : tables.tilesets) {
        found = found || (tileset.inUse && tileset.firstGid <= gid && gid <= tileset.lastGid);
      }
      if (found) continue;
      const int row = static_cast<int>(i / kMapCols);
      const int col = static_cast<int>(i % kMapCols);
      const long long value = gid;
      throw MapFileError(Format("the %s layer's tile %lld at row %d, column %d belongs to no tileset",
                                kLayerNames[layer][0], value, row, col),
                         Format("el tile %lld de la capa de %s en la fila %d, columna %d no pertenece a ningún tileset",
                                value, kLayerNames[layer][1], row, col));
    }
  }
}

bool ReadTilesetImages(config::GameConfig& config) {
  config::GameTables& tables = config.tables;
  const config::Language language = config.language();
  for (config::TilesetRecord& tileset : tables.tilesets) {
    if (!tileset.inUse) continue;
    const std::string path = TilesetPath(config.launcher, tileset, ".bmp");
    if (!platform::FileExists(path)) {
      ReportMissingFile(config, "There is no .BMP graphics pattern file (TileSet): %s",
                        "No existe el fichero .BMP de patrones gráficos (TileSet): %s", path);
      return false;
    }
    CBitmapSurface image;
    if (!image.LoadFile(path)) {
      config::FatalError(
          config.listeners, Tr(language, "Invalid BMP file", "Fichero BMP inválido"),
          Format(Tr(language, "Invalid BMP file: %s", "Fichero BMP inválido: %s").c_str(), path.c_str()));
      return false;
    }
    if (image.GetWidth() < kTileSize || image.GetHeight() < kTileSize) {
      ReportMapFileError(
          config, path,
          MapFileError(Format("the image is %d x %d pixels; a tileset needs at least one 64 x 64 tile",
                              image.GetWidth(), image.GetHeight()),
                       Format("la imagen es de %d x %d píxeles; un tileset necesita al menos un tile de 64 x 64",
                              image.GetWidth(), image.GetHeight())));
      return false;
    }
    tileset.imageWidth = image.GetWidth();
    tileset.imageHeight = image.GetHeight();
    const int tiles = (tileset.imageWidth / kTileSize) * (tileset.imageHeight / kTileSize);
    tileset.lastGid = tileset.firstGid + tiles - 1;
  }
  try {
    CheckTileValues(tables);
  } catch (const MapFileError& error) {
    ReportMapFileError(config, config.settings.mapFilePath, error);
    return false;
  }
  return true;
}

bool ReadTilesetProperties(config::GameConfig& config) {
  for (config::TilesetRecord& tileset : config.tables.tilesets) {
    if (!tileset.inUse) continue;
    const std::string path = TilesetPath(config.launcher, tileset, ".json");
    if (!platform::FileExists(path)) {
      ReportMissingFile(config, "There is no .json graphics pattern file (TileSet): %s",
                        "No existe el fichero .json de patrones gráficos (TileSet): %s", path);
      continue;
    }
    try {
      ParseTilesetProperties(ParseJsonFile(path), tileset);
    } catch (const MapFileError& error) {
      ReportMapFileError(config, path, error);
      return false;
    }
  }
  return true;
}

}  // namespace map
