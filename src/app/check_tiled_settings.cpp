#include "app/check_tiled_settings.h"

#include <algorithm>
#include <cctype>

#include "config/nearest_name.h"
#include "map/map_file_error.h"
#include "map/tile_layer_data.h"
#include "map/tiled_readers.h"

namespace app {
namespace {

using nlohmann::json;

// What the game makes of a layer (for a group, of the layers inside it).
enum LayerUse : unsigned {
  kUnused = 0,
  kDrawn = 1,   // one of the first two tile layers: the ground or the overlay
  kPlaces = 2,  // an object layer whose objects place units or zones
};

const json* Find(const json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

std::string Text(const json& object, const char* key) {
  const json* value = Find(object, key);
  return (value && value->is_string()) ? value->get<std::string>() : std::string();
}

// A number member, or Tiled's default when the member is missing or not a number.
double Number(const json& object, const char* key, double neutral) {
  const json* value = Find(object, key);
  return (value && value->is_number()) ? value->get<double>() : neutral;
}

// A number as the file writes it ("8", "0.5"), or the default's text when it is missing.
std::string Written(const json& object, const char* key, const char* neutral) {
  const json* value = Find(object, key);
  return (value && value->is_number()) ? value->dump() : std::string(neutral);
}

// "'Decor' (id 2)": the name and the id Tiled shows in its properties.
std::string Named(const json& item) {
  const json* id = Find(item, "id");
  std::string named(1, '\'');  // built piecewise: GCC 12 misreads "'" + std::string as an overlap
  named += Text(item, "name");
  named += "' (id ";
  named += (id && id->is_number()) ? id->dump() : std::string("?");
  return named + ")";
}

bool IsTrue(const json& object, const char* key) {
  const json* value = Find(object, key);
  return value && value->is_boolean() && value->get<bool>();
}

bool Visible(const json& item) {
  const json* visible = Find(item, "visible");
  return !(visible && visible->is_boolean() && !visible->get<bool>());
}

bool PlacesUnits(const json& layer) {
  const std::string name = Text(layer, "name");
  return std::find(map::kObjectLayerNames.begin(), map::kObjectLayerNames.end(), name) != map::kObjectLayerNames.end();
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// An object layer the game does not read that was most likely meant to place something: its name
// is a near miss of one the game reads ("Units Bots", "Zone"), or its objects are numbered the way
// placing objects are ("bot_1"). What to say of it; nothing for a helper layer of notes.
std::string MisnamedLayerHint(const json& layer) {
  const std::string name = Lowered(Text(layer, "name"));
  for (const std::string_view known : map::kObjectLayerNames) {
    const std::string candidate = Lowered(std::string(known));
    if (config::NearestName(name, {candidate}, 1) == candidate) return " (did you mean '" + std::string(known) + "'?)";
  }
  const json* objects = Find(layer, "objects");
  const bool numbered = objects && objects->is_array() &&
                        std::any_of(objects->begin(), objects->end(),
                                    [](const json& o) { return map::ObjectNumber(Text(o, "name")) != 0; });
  if (!numbered) return {};
  std::string listed;
  for (const std::string_view known : map::kObjectLayerNames) {
    listed += listed.empty() ? "'" : ", '";
    listed += known;
    listed += "'";
  }
  return " (it reads " + listed + ")";
}

// The use of a layer, counting tile layers as the map reader does (in file order, groups
// included); `tileLayers` is the count before the layer and is advanced past it.
unsigned UseOf(const json& layer, int& tileLayers, int depth) {
  const std::string type = Text(layer, "type");
  if (type == "tilelayer") return tileLayers++ < 2 ? kDrawn : kUnused;
  if (type == "objectgroup") return PlacesUnits(layer) ? kPlaces : kUnused;
  unsigned use = kUnused;
  const json* layers = Find(layer, "layers");
  if (type == "group" && layers && layers->is_array() && depth < map::kMaxGroupDepth) {
    for (const json& inner : *layers) use |= UseOf(inner, tileLayers, depth + 1);
  }
  return use;
}

bool IsWhite(std::string colour) {
  std::transform(colour.begin(), colour.end(), colour.begin(), [](unsigned char c) { return std::tolower(c); });
  return colour == "#ffffff" || colour == "#ffffffff";
}

// The layer's own look in Tiled: where it stands, how it scrolls, its colour, whether it shows.
void CheckLayerLook(const json& layer, unsigned use, const std::string& who, std::vector<std::string>& found) {
  if (use == kUnused) return;
  if (Number(layer, "offsetx", 0) != 0 || Number(layer, "offsety", 0) != 0) {
    found.push_back(who + " has offsetx/offsety " + Written(layer, "offsetx", "0") + ", " +
                    Written(layer, "offsety", "0") + "; " +
                    ((use & kDrawn) ? "the game draws every layer at the map's origin."
                                    : "the game places units at the objects' own x and y."));
  }
  if (!(use & kDrawn)) return;  // the game never draws objects, so their look does not matter
  if (Number(layer, "parallaxx", 1) != 1 || Number(layer, "parallaxy", 1) != 1) {
    found.push_back(who + " has parallaxx/parallaxy " + Written(layer, "parallaxx", "1") + ", " +
                    Written(layer, "parallaxy", "1") + "; the game scrolls every layer with the camera.");
  }
  if (const std::string tint = Text(layer, "tintcolor"); !tint.empty() && !IsWhite(tint)) {
    found.push_back(who + " has tintcolor " + tint + "; the game draws its tiles in their own colours.");
  }
  if (Number(layer, "opacity", 1) != 1) {
    found.push_back(who + " has opacity " + Written(layer, "opacity", "1") + "; the game draws it fully opaque.");
  }
  if (!Visible(layer)) found.push_back(who + " is hidden (visible false); the game draws it all the same.");
}

void CheckTileFlips(const json& layer, const std::string& who, std::vector<std::string>& found) {
  try {
    const std::vector<uint32_t> words = map::DecodeLayerWords(layer, who);
    if (std::any_of(words.begin(), words.end(), [](uint32_t word) { return (word & map::kTiledFlagBits) != 0; })) {
      found.push_back(who + " has flipped or rotated tiles; the game draws every tile unflipped.");
    }
  } catch (const map::MapFileError&) {
    // The map reader has already reported data it cannot read.
  }
}

// Object kinds and members Tiled draws or uses but the game reads past: it takes from an object
// only its name, x, y, width and height.
struct ObjectFeature {
  bool (*has)(const json& object);
  const char* what;
  const char* instead;
};
constexpr ObjectFeature kObjectFeatures[] = {
    {[](const json& o) { return Find(o, "polygon") || Find(o, "polyline") || IsTrue(o, "ellipse"); },
     "polygon, polyline or ellipse objects", "the game uses each object's x, y, width and height as a rectangle"},
    {[](const json& o) { return !Visible(o); }, "hidden objects", "the game uses them all the same"},
    {[](const json& o) { return Find(o, "text") != nullptr; }, "text objects", "the game shows no text from the map"},
    {[](const json& o) { return Number(o, "rotation", 0) != 0; }, "rotated objects",
     "the game uses each object's rectangle unrotated"},
    {[](const json& o) { return Find(o, "template") != nullptr; }, "objects made from templates",
     "the game reads only what the map file holds of each object, not its template's name or size"},
    {[](const json& o) { return Find(o, "gid") != nullptr; }, "tile objects",
     "Tiled draws a tile object upward from its y, the game takes its x, y as the unit's top-left corner"},
};

void CheckObjects(const json& layer, const std::string& who, std::vector<std::string>& found) {
  const json* objects = Find(layer, "objects");
  if (!objects || !objects->is_array()) return;
  for (const ObjectFeature& feature : kObjectFeatures) {
    auto first = std::find_if(objects->begin(), objects->end(), feature.has);
    if (first == objects->end()) continue;
    found.push_back(who + " has " + feature.what + " (first " + Named(*first) + "); " + feature.instead + ".");
  }
}

// Layers in file order, a group before the layers in it. `shown` is false inside a hidden group.
void CheckLayers(const json& layers, bool shown, int depth, int& tileLayers, std::vector<std::string>& found) {
  if (!layers.is_array()) return;
  for (const json& layer : layers) {
    const std::string type = Text(layer, "type");
    const std::string who = "layer " + Named(layer);
    const bool seen = shown && Visible(layer);
    int after = tileLayers;
    const unsigned use = UseOf(layer, after, depth);
    CheckLayerLook(layer, use, who, found);
    if (type == "tilelayer") {
      if (use & kDrawn) CheckTileFlips(layer, who, found);
      if (use == kUnused && seen) {
        found.push_back(who +
                        " is a third or later tile layer; the game draws only the first two (ground and "
                        "overlay).");
      }
      ++tileLayers;
    } else if (type == "imagelayer" && seen) {
      found.push_back(who + " is an image layer; the game draws no image layers.");
    } else if (type == "objectgroup" && use == kPlaces) {
      CheckObjects(layer, who, found);
    } else if (type == "objectgroup") {
      if (const std::string hint = MisnamedLayerHint(layer); !hint.empty()) {
        found.push_back(who + " is an object layer the game does not read" + hint + "; its objects place nothing.");
      }
    } else if (type == "group" && depth < map::kMaxGroupDepth) {
      if (const json* inner = Find(layer, "layers")) CheckLayers(*inner, seen, depth + 1, tileLayers, found);
    }
  }
}

bool HasTileMember(const json& tileset, const char* key) {
  const json* tiles = Find(tileset, "tiles");
  if (!tiles || !tiles->is_array()) return false;
  return std::any_of(tiles->begin(), tiles->end(), [key](const json& tile) { return Find(tile, key) != nullptr; });
}

}  // namespace

std::vector<std::string> IgnoredMapSettings(const json& map) {
  std::vector<std::string> found;
  int tileLayers = 0;
  if (const json* layers = Find(map, "layers")) CheckLayers(*layers, true, 0, tileLayers, found);
  return found;
}

std::vector<std::string> IgnoredTilesetSettings(const json& tileset, int firstGid) {
  std::vector<std::string> found;
  const std::string who = "tileset '" + Text(tileset, "name") + "' (firstgid " + std::to_string(firstGid) + ")";
  if (const json* offset = Find(tileset, "tileoffset");
      offset && (Number(*offset, "x", 0) != 0 || Number(*offset, "y", 0) != 0)) {
    found.push_back(who + " has tileoffset " + Written(*offset, "x", "0") + ", " + Written(*offset, "y", "0") +
                    "; the game draws its tiles on the cell grid.");
  }
  if (!Find(tileset, "image") || HasTileMember(tileset, "image")) {
    found.push_back(who +
                    " is a collection of images; the game cuts its tiles from the BMP image beside "
                    "the tileset file, not from the tiles' own images.");
  }
  if (HasTileMember(tileset, "animation")) {
    found.push_back(who + " has animated tiles; the game draws each of them still, as the tile itself.");
  }
  return found;
}

}  // namespace app
