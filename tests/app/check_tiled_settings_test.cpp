// The Tiled settings `--check` names because the game ignores them: each one planted in a small
// map (or tileset) gives its one sentence, and the same settings at their neutral values, hidden
// extra layers and helper layers give none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/check_tiled_settings.h"

namespace {

using nlohmann::json;

// A ground and an overlay layer of two tiles each, a layer of bots and a helper layer.
json SmallMap() {
  return json::parse(R"({"layers": [
    {"type": "tilelayer", "id": 1, "name": "Ground", "data": [1, 2]},
    {"type": "tilelayer", "id": 2, "name": "Overlay", "data": [0, 3]},
    {"type": "objectgroup", "id": 3, "name": "Units bots",
     "objects": [{"id": 7, "name": "bot_1", "x": 64, "y": 64, "width": 64, "height": 64}]},
    {"type": "objectgroup", "id": 4, "name": "Notes", "objects": [{"id": 8, "name": "a", "x": 0, "y": 0,
     "rotation": 45, "text": {"text": "todo"}}]}]})");
}

json Patched(json document, const char* patch) { return document.patch(json::parse(patch)); }

struct Variant {
  const char* patch;  // JSON Patch (RFC 6902) applied to the small map or tileset
  std::vector<std::string> expected;
};

TEST(CheckTiledSettings, EachIgnoredMapSettingGivesOneWarningPerLayer) {
  const Variant variants[] = {
      {R"([{"op": "add", "path": "/layers/2/offsety", "value": 32}])",
       {"layer 'Units bots' (id 3) has offsetx/offsety 0, 32; the game places units at the objects' own x and y."}},
      {R"([{"op": "add", "path": "/layers/0/parallaxx", "value": 0.5}])",
       {"layer 'Ground' (id 1) has parallaxx/parallaxy 0.5, 1; the game scrolls every layer with the camera."}},
      {R"([{"op": "add", "path": "/layers/0/tintcolor", "value": "#ff8040"}])",
       {"layer 'Ground' (id 1) has tintcolor #ff8040; the game draws its tiles in their own colours."}},
      {R"([{"op": "add", "path": "/layers/1/opacity", "value": 0.5}, {"op": "add", "path": "/layers/1/visible", "value": false}])",
       {"layer 'Overlay' (id 2) has opacity 0.5; the game draws it fully opaque.",
        "layer 'Overlay' (id 2) is hidden (visible false); the game draws it all the same."}},
      // One warning for the layer, however many tiles are flipped (here also in the top bit).
      {R"([{"op": "replace", "path": "/layers/1/data", "value": [2147483651, 1073741827]}])",
       {"layer 'Overlay' (id 2) has flipped or rotated tiles; the game draws every tile unflipped."}},
      {R"([{"op": "add", "path": "/layers/-", "value": {"type": "tilelayer", "id": 9, "name": "Roofs", "data": [0, 0]}},
           {"op": "add", "path": "/layers/-", "value": {"type": "imagelayer", "id": 10, "name": "Sky", "image": "sky.png"}}])",
       {"layer 'Roofs' (id 9) is a third or later tile layer; the game draws only the first two (ground and overlay).",
        "layer 'Sky' (id 10) is an image layer; the game draws no image layers."}},
      // A group is named for its own settings, before the layers in it; it moves the ground,
      // which is still counted as the first tile layer.
      {R"([{"op": "replace", "path": "/layers/0", "value": {"type": "group", "id": 5, "name": "Land", "offsetx": -16,
            "layers": [{"type": "tilelayer", "id": 1, "name": "Ground", "data": [1, 2147483649], "tintcolor": "#80ff0000"}]}}])",
       {"layer 'Land' (id 5) has offsetx/offsety -16, 0; the game draws every layer at the map's origin.",
        "layer 'Ground' (id 1) has tintcolor #80ff0000; the game draws its tiles in their own colours.",
        "layer 'Ground' (id 1) has flipped or rotated tiles; the game draws every tile unflipped."}},
      {R"([{"op": "add", "path": "/layers/2/objects/-", "value": {"id": 11, "name": "bot_2", "x": 0, "y": 0, "polygon": []}},
           {"op": "add", "path": "/layers/2/objects/-", "value": {"id": 12, "name": "bot_3", "x": 0, "y": 0, "visible": false, "ellipse": true}},
           {"op": "add", "path": "/layers/2/objects/-", "value": {"id": 13, "name": "bot_4", "x": 0, "y": 0, "text": {"text": "hi"}}},
           {"op": "add", "path": "/layers/2/objects/-", "value": {"id": 14, "name": "bot_5", "x": 0, "y": 0, "rotation": 90}},
           {"op": "add", "path": "/layers/2/objects/-", "value": {"id": 15, "template": "bot.tx", "x": 0, "y": 0}},
           {"op": "add", "path": "/layers/2/objects/-", "value": {"id": 16, "name": "bot_6", "gid": 3, "x": 0, "y": 64}}])",
       {"layer 'Units bots' (id 3) has polygon, polyline or ellipse objects (first 'bot_2' (id 11)); the game uses "
        "each object's x, y, width and height as a rectangle.",
        "layer 'Units bots' (id 3) has hidden objects (first 'bot_3' (id 12)); the game uses them all the same.",
        "layer 'Units bots' (id 3) has text objects (first 'bot_4' (id 13)); the game shows no text from the map.",
        "layer 'Units bots' (id 3) has rotated objects (first 'bot_5' (id 14)); the game uses each object's rectangle "
        "unrotated.",
        "layer 'Units bots' (id 3) has objects made from templates (first '' (id 15)); the game reads only what the "
        "map file holds of each object, not its template's name or size.",
        "layer 'Units bots' (id 3) has tile objects (first 'bot_6' (id 16)); Tiled draws a tile object upward from "
        "its y, the game takes its x, y as the unit's top-left corner."}},
      // An object layer of a name the game does not read: a near miss, or one holding numbered
      // objects, was meant to place them (the notes layer is left alone).
      {R"([{"op": "replace", "path": "/layers/2/name", "value": "Units Bots"}])",
       {"layer 'Units Bots' (id 3) is an object layer the game does not read (did you mean 'Units bots'?); its "
        "objects place nothing."}},
      {R"([{"op": "replace", "path": "/layers/2/name", "value": "Guards"}])",
       {"layer 'Guards' (id 3) is an object layer the game does not read (it reads 'Units objects', 'Units "
        "players', 'Zones', 'Units bots', 'Units others'); its objects place nothing."}},
      // Neutral values, and what Tiled does not show either or the game never uses: nothing.
      {R"([{"op": "add", "path": "/layers/0/offsetx", "value": 0}, {"op": "add", "path": "/layers/0/offsety", "value": 0.0},
           {"op": "add", "path": "/layers/0/parallaxx", "value": 1}, {"op": "add", "path": "/layers/0/parallaxy", "value": 1.0},
           {"op": "add", "path": "/layers/0/opacity", "value": 1}, {"op": "add", "path": "/layers/0/visible", "value": true},
           {"op": "add", "path": "/layers/0/tintcolor", "value": "#FFFFFF"}, {"op": "add", "path": "/layers/1/tintcolor", "value": "#ffffffff"},
           {"op": "add", "path": "/layers/2/opacity", "value": 0.3}, {"op": "add", "path": "/layers/2/visible", "value": false},
           {"op": "add", "path": "/layers/2/objects/0/rotation", "value": 0},
           {"op": "add", "path": "/layers/2/objects/0/visible", "value": true},
           {"op": "add", "path": "/layers/2/objects/0/ellipse", "value": false},
           {"op": "add", "path": "/layers/-", "value": {"type": "tilelayer", "id": 9, "name": "Draft", "data": [0, 0], "visible": false}},
           {"op": "add", "path": "/layers/-", "value": {"type": "group", "id": 6, "name": "Old", "visible": false, "offsetx": 3,
             "layers": [{"type": "imagelayer", "id": 10, "name": "Sketch"}, {"type": "tilelayer", "id": 11, "name": "Old roofs", "data": []}]}}])",
       {}},
  };
  for (const Variant& variant : variants) {
    EXPECT_EQ(app::IgnoredMapSettings(Patched(SmallMap(), variant.patch)), variant.expected) << variant.patch;
  }
}

TEST(CheckTiledSettings, EachIgnoredTilesetSettingGivesOneWarning) {
  const json tileset = json::parse(R"({"name": "decor", "image": "decor.bmp", "tileoffset": {"x": 0, "y": 0},
    "tiles": [{"id": 0, "properties": []}, {"id": 1}]})");
  const Variant variants[] = {
      {R"([{"op": "replace", "path": "/tileoffset/y", "value": 8}])",
       {"tileset 'decor' (firstgid 51) has tileoffset 0, 8; the game draws its tiles on the cell grid."}},
      {R"([{"op": "add", "path": "/tiles/0/image", "value": "rock.png"}, {"op": "add", "path": "/tiles/1/image", "value": "tree.png"}])",
       {"tileset 'decor' (firstgid 51) is a collection of images; the game cuts its tiles from the BMP image beside "
        "the tileset file, not from the tiles' own images."}},
      {R"([{"op": "add", "path": "/tiles/0/animation", "value": [{"tileid": 0, "duration": 100}]},
           {"op": "add", "path": "/tiles/1/animation", "value": [{"tileid": 1, "duration": 100}]}])",
       {"tileset 'decor' (firstgid 51) has animated tiles; the game draws each of them still, as the tile itself."}},
      {"[]", {}},
  };
  for (const Variant& variant : variants) {
    EXPECT_EQ(app::IgnoredTilesetSettings(Patched(tileset, variant.patch), 51), variant.expected) << variant.patch;
  }
}

}  // namespace
