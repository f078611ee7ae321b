#include <gtest/gtest.h>

#include <functional>

#include "config/fatal_error.h"
#include "config/game_tables.h"
#include "map/map_builder.h"
#include "map/map_file_error.h"
#include "map/map_state.h"
#include "map/tiled_json.h"
#include "map/tiled_readers.h"
#include "map_test_support.h"

namespace {

using nlohmann::json;
using nlohmann::ordered_json;
using testing_support::Replaced;

// The same document with every object's keys in reverse order.
ordered_json Reversed(const json& value) {
  if (value.is_array()) {
    ordered_json out = ordered_json::array();
    for (const json& item : value) out.push_back(Reversed(item));
    return out;
  }
  if (!value.is_object()) return ordered_json(value);
  ordered_json out = ordered_json::object();
  for (auto it = value.rbegin(); it != value.rend(); ++it) out[it.key()] = Reversed(it.value());
  return out;
}

// The layers wrapped in `depth` groups, each inside the one before.
json InGroups(json layers, int depth) {
  for (int i = 0; i < depth; ++i) {
    json group = json::object();
    group["type"] = "group";
    group["name"] = "group " + std::to_string(i);
    group["layers"] = std::move(layers);
    layers = json::array();
    layers.push_back(std::move(group));
  }
  return layers;
}

// Arrays or objects nested `depth` deep, as text (the library's own writer would recurse).
std::string NestedText(std::size_t depth, bool objects) {
  std::string text;
  for (std::size_t i = 0; i < depth; ++i) text += objects ? "{\"a\":" : "[";
  text += "1";
  return text + std::string(depth, objects ? '}' : ']');
}

// What the map reader leaves in the tables, in one comparable value.
json TablesSnapshot(const config::GameTables& tables) {
  json snapshot = map::MapStateJson(tables, nullptr);
  snapshot["layers"] = tables.tileLayers;
  return snapshot;
}

class TiledReader : public maptest::MapProject {
 protected:
  bool ReadAll() {
    return map::ReadTiledMap(config_) && map::ReadTilesetImages(config_) && map::ReadTilesetProperties(config_);
  }
};

TEST_F(TiledReader, ReadsTheSameMapWhateverLineEndsLayoutKeyOrderOrLayerFormat) {
  ASSERT_TRUE(map::ReadTiledMap(config_)) << Transcript();
  const json expected = TablesSnapshot(config_.tables);
  const json original = json::parse(maptest::DataFile("map_lf.json"));
  const std::vector<std::pair<const char*, std::string>> variants = {{"crlf", maptest::DataFile("map_crlf.json")},
                                                                     {"base64", maptest::DataFile("map_base64.json")},
                                                                     {"reordered", Reversed(original).dump(3)},
                                                                     {"one line", original.dump()},
                                                                     {"inside 64 groups", [&] {
                                                                        json grouped = original;
                                                                        grouped["layers"] =
                                                                            InGroups(original["layers"], 64);
                                                                        return grouped.dump();
                                                                      }()}};
  for (const auto& [name, text] : variants) {
    config_.tables = config::GameTables{};
    WriteMap(text);
    ASSERT_TRUE(map::ReadTiledMap(config_)) << name << Transcript();
    EXPECT_EQ(TablesSnapshot(config_.tables), expected) << name;
  }
  EXPECT_EQ(Transcript(), "");
  EXPECT_FALSE(config_.tables.tilesets[2].inUse);
}

TEST_F(TiledReader, ObjectsAreNumberedByTheTextAfterTheLastUnderscore) {
  ASSERT_TRUE(map::ReadTiledMap(config_));
  const auto& bots = config_.tables.mapObjects[config::kLayerUnitsBots];
  // guard_bot_7 and bot_7 are both 7, "7" has no underscore and bot_0 has number 0.
  ASSERT_EQ(bots.size(), 3u);
  EXPECT_EQ(bots[0].number, 7);
  EXPECT_EQ(bots[1].number, 7);
  EXPECT_EQ(bots[2].number, 2);
  const config::MapObject* seven = config::FindMapObject(config_.tables, config::kLayerUnitsBots, 7);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven->x, 1000) << "the first of two objects with one number wins";

  // Objects with custom properties keep their place and size; fractions are cut toward zero.
  const config::MapObject* player = config::FindMapObject(config_.tables, config::kLayerUnitsPlayers, 2);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ((std::array{player->x, player->y, player->width, player->height}), (std::array{300, 400, 64, 64}));
  const config::MapObject* object = config::FindMapObject(config_.tables, config::kLayerUnitsObjects, 3);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ((std::array{object->x, object->y}), (std::array{10, 0}));
  EXPECT_EQ(config_.tables.mapObjects[config::kLayerZones].size(), 1u);
  EXPECT_TRUE(config_.tables.mapObjects[config::kLayerUnitsOthers].empty());

  EXPECT_EQ(map::ObjectNumber("guard_bot_12x"), 12);
  EXPECT_EQ(map::ObjectNumber("bot_"), 0);
  EXPECT_EQ(map::ObjectNumber("bot"), 0);
}

TEST_F(TiledReader, AnObjectWithoutASizeTakesTheLastSizeReadFromAUsedLayer) {
  json document = json::parse(maptest::DataFile("map_lf.json"));
  json& layers = document["layers"];
  layers[2]["objects"][0].erase("height");  // player_1: nothing read before
  layers[3]["objects"][2]["width"] = 77;    // "7": read, though not recorded
  layers[3]["objects"][2].erase("height");  // keeps bot_7's 32
  for (int i : {3, 4}) {                    // bot_0, then bot_2
    layers[3]["objects"][i].erase("width");
    layers[3]["objects"][i].erase("height");
  }
  layers[7]["objects"].push_back({{"name", "other_1"}, {"x", 1}, {"y", 2}});  // after the Notes layer
  WriteMap(document.dump(1));
  ASSERT_TRUE(map::ReadTiledMap(config_)) << Transcript();
  auto sizeOf = [this](int layer, int number) {
    const config::MapObject* object = config::FindMapObject(config_.tables, layer, number);
    return object ? std::array{object->width, object->height} : std::array{-1, -1};
  };
  EXPECT_EQ(sizeOf(config::kLayerUnitsPlayers, 1), (std::array{64, 0}));
  EXPECT_EQ(sizeOf(config::kLayerUnitsBots, 2), (std::array{77, 32}));
  EXPECT_EQ(sizeOf(config::kLayerUnitsOthers, 1), (std::array{48, 48})) << "the Notes layer is not read";
}

// The tileset files give id ranges, colours and walkable flags; the build applies the walkable
// rules and the initial view.
TEST_F(TiledReader, TilesetsAndBuildGiveTheCellsWalkableRulesAndInitialView) {
  config_.settings.initialViewX = 500;
  config_.settings.initialViewY = 8000;
  ASSERT_TRUE(ReadAll()) << Transcript();
  const config::TilesetRecord& terrain = config_.tables.tilesets[0];
  EXPECT_EQ((std::array{terrain.imageWidth, terrain.imageHeight, terrain.lastGid}), (std::array{640, 320, 50}));
  EXPECT_EQ(terrain.transparentColor, config::kDefaultTransparentColor);
  ASSERT_EQ(terrain.walkable.size(), 50u);
  // 3: another property before the flag; 20: a tile without a flag is walkable.
  EXPECT_EQ((std::array{terrain.walkable[5], terrain.walkable[11], terrain.walkable[3], terrain.walkable[20]}),
            (std::array{0, 0, 1, 1}));
  EXPECT_EQ(config_.tables.tilesets[1].walkable, (std::vector<int>{1, 0, 0, 1}));
  std::unique_ptr<CGameMap> built = map::BuildGameMap(config_);
  ASSERT_TRUE(built && built->IsValid()) << Transcript();
  EXPECT_TRUE(config_.tables.tileLayers[0].empty() && config_.tables.tileLayers[1].empty());
  EXPECT_EQ(built->CameraX(), 500);
  EXPECT_EQ(built->CameraY(), 8192 - 832) << "an initial view past the map is pulled back";

  const map::MapCell gid12 = built->Cell(0, 0);
  EXPECT_EQ((std::array{gid12.groundTileset, gid12.groundRow, gid12.groundColumn}), (std::array{0, 1, 1}));
  EXPECT_EQ(built->Cell(0, 1).walkable, 0) << "a walkable overlay cannot open a blocked ground";
  const map::MapCell empty = built->Cell(0, 2);
  EXPECT_EQ(empty.groundTileset, map::kNoTileset);
  EXPECT_EQ(empty.baseWalkable, 33);
  EXPECT_EQ(empty.walkable, 0) << "a blocked overlay closes a cell without ground";
  EXPECT_EQ(built->Cell(0, 3).walkable, 0);
  EXPECT_EQ(built->Cell(0, 3).baseWalkable, 1);
  const map::MapCell flipped = built->Cell(0, 4);
  EXPECT_EQ((std::array{flipped.overlayTileset, flipped.overlayRow, flipped.overlayColumn}), (std::array{1, 0, 0}));
  EXPECT_EQ(built->Cell(127, 127).groundRow, 4);
  EXPECT_EQ(built->Cell(127, 127).groundColumn, 9);

  const json state = map::MapStateJson(config_.tables, built.get());
  EXPECT_EQ(state["map"]["camera"], json({500, 7360}));
  ASSERT_EQ(state["map"]["walkable"].size(), 128u);
  EXPECT_EQ(state["map"]["walkable"][0].get<std::string>().substr(0, 6), "000001")
      << "gid 12 is terrain tile 11, blocked";
  EXPECT_EQ(state["map"]["tilesets"][1], json({{"name", "props"},
                                               {"first_gid", 51},
                                               {"last_gid", 54},
                                               {"width", 128},
                                               {"height", 128},
                                               {"transparent", "#FF00FF"}}));
  EXPECT_EQ(state["objects"]["Units bots"][1], json({7, 1200, 1300, 32, 32}));
}

// ---- Files the engine cannot use ------------------------------------------------------------

struct BadMap {
  const char* name;
  std::function<std::string()> text;
  const char* reason;
};

std::string Edited(const std::function<void(json&)>& edit) {
  json document = json::parse(maptest::DataFile("map_lf.json"));
  edit(document);
  return document.dump(1);
}

TEST_F(TiledReader, MapsTheEngineCannotUseGiveABoxNamingFileAndReason) {
  const std::string lf = maptest::DataFile("map_lf.json");
  const std::vector<BadMap> cases = {
      {"truncated", [&] { return lf.substr(0, lf.size() / 2); }, "ends too early"},
      {"syntax", [] { return std::string("{\n \"width\":128,\n x}"); }, "not valid JSON (line 3, column 2)"},
      {"array", [] { return std::string("[]"); }, "not a Tiled map"},
      {"firstgid text", [] { return Edited([](json& d) { d["tilesets"][0]["firstgid"] = "x"; }); },
       "tilesets[0]: \"firstgid\" must be a whole number"},
      {"no layers", [] { return Edited([](json& d) { d.erase("layers"); }); }, "\"layers\" is missing"},
      {"layers text", [] { return Edited([](json& d) { d["layers"] = "x"; }); }, "\"layers\" is not a list"},
      {"one tile layer", [] { return Edited([](json& d) { d["layers"].erase(1); }); }, "1 tile layers"},
      {"no tileset", [] { return Edited([](json& d) { d["tilesets"] = json::array(); }); }, "uses no tileset"},
      {"embedded tileset", [] { return Edited([](json& d) { d["tilesets"][1].erase("source"); }); },
       "tilesets[1] is embedded"},
      {"narrow map", [] { return Edited([](json& d) { d["width"] = 100; }); }, "100 x 128 tiles of 64 x 64"},
      {"short layer", [] { return Edited([](json& d) {
                             d["layers"][0]["data"] = {1, 2};
                           }); },
       "layers[0] holds 2 tile values"},
      {"negative tile", [] { return Edited([](json& d) { d["layers"][1]["data"][7] = -1; }); }, "not a tile number"},
      {"object x text", [] { return Edited([](json& d) { d["layers"][2]["objects"][0]["x"] = "abc"; }); },
       "layers[2].objects[0]: \"x\" is not a usable number"},
      {"object without x", [] { return Edited([](json& d) { d["layers"][2]["objects"][1].erase("x"); }); },
       "layers[2].objects[1]: \"x\" is missing"},
      {"huge object x", [&] { return Replaced(lf, "\"x\":300.75", "\"x\":1e309"); },
       "number too large to use (line 64, column 22)"},
      {"isometric", [] { return Edited([](json& d) { d["orientation"] = "isometric"; }); },
       "\"orientation\" is \"isometric\"; the engine draws only orthogonal maps"},
      {"hexagonal", [] { return Edited([](json& d) { d["orientation"] = "hexagonal"; }); }, "\"hexagonal\""},
      {"65 groups", [] { return Edited([](json& d) { d["layers"].push_back(InGroups(json::array(), 65)[0]); }); },
       "layers[8] holds groups of layers nested more than 64 deep"},
      {"deep objects inside",
       [&] {
         return Replaced(lf, "\"infinite\":false", "\"deep\":" + NestedText(100000, true) + ",\"infinite\":false");
       },
       "nested more than 512 levels deep"},
      {"zlib", [] { return maptest::DataFile("map_zlib.json"); }, "compressed data (zlib)"},
      {"bad base64", [] { return Edited([](json& d) { d["layers"][0]["data"] = "AAA*"; }); }, "not valid Base64"},
  };
  for (const BadMap& bad : cases) {
    config_.tables = config::GameTables{};
    transcript_.str("");
    WriteMap(bad.text());
    EXPECT_FALSE(map::ReadTiledMap(config_)) << bad.name;
    const std::string transcript = Shown();
    EXPECT_NE(transcript.find("caption=\"Error in the map files\""), std::string::npos) << bad.name;
    EXPECT_NE(transcript.find("Projects\\Fx\\Map\\map.json"), std::string::npos) << bad.name << transcript;
    EXPECT_NE(transcript.find(bad.reason), std::string::npos) << bad.name << ": " << transcript;
    EXPECT_FALSE(config_.tables.tilesets[0].inUse) << bad.name;
  }
  EXPECT_EQ(headless_->QuitCode(), config::kFatalExitCode);
}

TEST_F(TiledReader, ReasonsAreGivenInSpanishToo) {
  config_.launcher.language = config::Language::Spanish;
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"{\n\n  ]", "no es un JSON válido (línea 3, columna 3)"},
      {"\n  -1e400", "contiene un número demasiado grande para usarlo (línea 2, columna 3)"},
      {NestedText(600, false), "sus listas y objetos están anidados a más de 512 niveles"},
      {Edited([](json& d) { d["layers"] = InGroups(d["layers"], 65); }),
       "layers[0] contiene grupos de capas anidados a más de 64 niveles; el motor lee 64 niveles"},
      {Edited([](json& d) { d["orientation"] = "isometric"; }),
       "\"orientation\" es \"isometric\"; el motor solo dibuja mapas ortogonales"}};
  for (const auto& [text, reason] : cases) {
    transcript_.str("");
    WriteMap(text);
    EXPECT_FALSE(map::ReadTiledMap(config_));
    EXPECT_NE(Shown().find("Error en los ficheros del mapa"), std::string::npos) << Transcript();
    EXPECT_NE(Shown().find(reason), std::string::npos) << Transcript();
  }
}

TEST_F(TiledReader, MissingOrUnusableTilesetFilesAreReported) {
  std::filesystem::remove(MapDir() / "map.json");
  EXPECT_FALSE(map::ReadTiledMap(config_));
  EXPECT_NE(Shown().find("There is no map file: Projects\\Fx\\Map\\map.json"), std::string::npos);
  std::filesystem::create_directory(MapDir() / "map.json");  // there, but not a file that opens
  EXPECT_FALSE(map::ReadTiledMap(config_));
  EXPECT_NE(Shown().find("map.json cannot be used:\nthe file cannot be opened"), std::string::npos) << Shown();
  std::filesystem::remove(MapDir() / "map.json");

  auto expectImagesFail = [&](const char* what, const std::string& text) {
    config_.tables = config::GameTables{};
    transcript_.str("");
    ASSERT_TRUE(map::ReadTiledMap(config_)) << what;
    EXPECT_FALSE(map::ReadTilesetImages(config_)) << what;
    EXPECT_NE(Shown().find(text), std::string::npos) << what << ": " << Transcript();
  };
  WriteMap(Edited([](json& d) { d["layers"][0]["data"][9] = 55; }));
  expectImagesFail("tile out of range", "the ground layer's tile 55 at row 0, column 9 belongs to no tileset");
  WriteMap(maptest::DataFile("map_lf.json"));
  ASSERT_TRUE(maptest::WriteTilesetImage(MapDir() / "props.bmp", 32, 128, true));
  expectImagesFail("narrow image", "a tileset needs at least one 64 x 64 tile");
  dir_.Write("Projects/Fx/Map/props.bmp", "BM not really");
  expectImagesFail("bad image", "caption=\"Invalid BMP file\" text=\"Invalid BMP file: Projects\\Fx\\Map\\props.bmp\"");
  std::filesystem::remove(MapDir() / "props.bmp");
  expectImagesFail("no image",
                   "caption=\"File not found.\" text=\"There is no .BMP graphics pattern file "
                   "(TileSet): Projects\\Fx\\Map\\props.bmp\"");
}

TEST_F(TiledReader, TilesetPropertyFilesAreCheckedAndAMissingOneDoesNotStopTheOthers) {
  std::filesystem::remove(MapDir() / "terrain.json");
  ASSERT_TRUE(map::ReadTiledMap(config_) && map::ReadTilesetImages(config_));
  EXPECT_TRUE(map::ReadTilesetProperties(config_));
  EXPECT_NE(Shown().find("There is no .json graphics pattern file (TileSet): Projects\\Fx\\Map\\terrain.json"),
            std::string::npos);
  EXPECT_EQ(config_.tables.tilesets[1].transparentColor, maptest::kPropsKey) << "the next tileset is still read";

  const std::string props = maptest::DataFile("props.json");
  auto edited = [&](const std::function<void(json&)>& edit) {
    json document = json::parse(props);
    edit(document);
    return document.dump();
  };
  const std::vector<std::pair<std::string, const char*>> bad = {
      {edited([](json& d) { d["transparentcolor"] = "#zz"; }), "\"transparentcolor\" is \"#zz\""},
      {edited([](json& d) { d["tiles"][0]["id"] = "x"; }), "tiles[0]: \"id\" must be a whole number"},
      {edited([](json& d) { d["tiles"][1]["properties"] = 3; }), "\"properties\" is not a list"},
      {edited([](json& d) { d["tilewidth"] = 32; }), "\"tilewidth\" is not 64"},
      {edited([](json& d) { d["margin"] = 1; }),
       "the tileset's \"margin\" is not 0; the engine cuts the tiles edge to edge"},
      {edited([](json& d) { d["spacing"] = 2; }), "the tileset's \"spacing\" is not 0"},
      {Replaced(props, "\"margin\":0", "\"margin\":" + NestedText(100000, false)), "nested more than 512 levels deep"}};
  for (const auto& [text, reason] : bad) {
    dir_.Write("Projects/Fx/Map/props.json", text);
    transcript_.str("");
    EXPECT_FALSE(map::ReadTilesetProperties(config_)) << reason;
    EXPECT_NE(Shown().find(reason), std::string::npos) << Transcript();
  }
}

// ---- The JSON text itself ----------------------------------------------------------------

TEST(JsonText, GivesTheDocumentTheLibraryGivesUpToTheNestingLimit) {
  const std::vector<std::string> texts = {"18446744073709551615",
                                          "-9223372036854775808",
                                          "1e-400",
                                          "\"\\u00e9\\n\"",
                                          "{\"a\":1,\"a\":[2,{\"b\":null}],\"c\":{}}",
                                          maptest::DataFile("map_crlf.json"),
                                          NestedText(map::kMaxJsonDepth, false),
                                          NestedText(map::kMaxJsonDepth, true)};
  for (const std::string& text : texts) {
    EXPECT_EQ(map::ParseJsonText(text), json::parse(text)) << text.substr(0, 80);
  }
  EXPECT_THROW(map::ParseJsonText(NestedText(map::kMaxJsonDepth + 1, false)), map::MapFileError);
}

TEST(JsonText, AnErrorOfTheLibraryWhileReadingValuesBecomesAMapFileError) {
  EXPECT_THROW(map::WithJsonErrorsReported([] { return json(5).get<std::string>(); }), map::MapFileError);
  EXPECT_THROW(map::WithJsonErrorsReported([] { return json::array().at(2); }), map::MapFileError);
  EXPECT_EQ(map::WithJsonErrorsReported([] { return json(5).get<int>(); }), 5);
}

}  // namespace
