// Writes the demo project's map, Projects/Demo/Map: the Sunken Valley, a 128 x 128 Tiled map of
// 64-pixel tiles with its two tilesets (BMP image + Tiled tileset JSON each):
//   terrain  ground tiles: grass, forest floor, dirt roads, water (blocked), sand, stone, planks;
//   decor    overlay tiles on the key colour 0xBF7BC7: trees, rocks, houses, the watchtower...
// A river runs from north to south with a bridge on the west road; a flooded lake fills the
// south-east; the village with its plaza, houses, well and field lies in the middle; roads lead
// to the watchtower in the north-east, the lake and the forests. The object layers place three
// players on the plaza and Elena shut in the pen beside it with the brass key, nine bots in the
// wild with their zones, the pick-ups, and the villagers, campfires, banner, signpost and the
// pen's gate of the scenery.
//
// Everything comes from integer arithmetic and the generator's own random numbers, so every run
// writes the same bytes. Usage:
//   demo_map_generator [output folder]            (default Projects/Demo/Map)
//   demo_map_generator --preview <folder>          also writes demo_map_preview.bmp (the whole
//                                                  map at 1/4 scale) and demo_view.bmp (the
//                                                  first view, drawn by the engine's CGameMap)

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/game_config.h"
#include "demo_map_art.h"
#include "gfx/bitmap_surface.h"
#include "map/map_builder.h"
#include "map/tiled_readers.h"
#include "platform/headless_platform.h"

namespace {

using demo_art::Lcg;
using nlohmann::ordered_json;
constexpr int kN = 128;
constexpr int kTile = demo_art::kTile;

// ---- Tilesets -----------------------------------------------------------------------------

// Terrain tile ids (local, 0-based).
enum Terrain : int {
  kGrass = 0,       // 0..3 plain, 4..5 tufts, 6..7 small flowers
  kForest = 8,      // 8..9
  kDirt = 10,       // 10..13
  kField = 14,      // 14..15
  kWater = 16,      // 16..19
  kDeepWater = 20,  // 20..21
  kSand = 22,       // 22..25
  kStone = 26,      // 26..29
  kPlanks = 30,     // 30..31
  kMarsh = 32,      // 32..33
  kTerrainTiles = 50,
};

// Decor tile ids (local, 0-based).
enum Decor : int {
  kOak = 0,   // 0..2
  kPine = 3,  // 3..4
  kBush = 5,
  kRock = 6,     // 6..7
  kFlowers = 8,  // 8..9
  kRoof = 10,    // 10 ridge, 11 middle, 12 eave
  kWallWindow = 13,
  kWallDoor = 14,
  kWallPlain = 15,
  kTower = 16,  // 16..19, quarters
  kFenceH = 20,
  kFenceV = 21,
  kCrate = 22,
  kBarrel = 23,
  kReeds = 24,
  kWell = 25,
  kStump = 26,
  kLily = 27,
  kDecorTiles = 50,
};

constexpr int kTerrainFirstGid = 1;
constexpr int kDecorFirstGid = kTerrainFirstGid + kTerrainTiles;

struct Tileset {
  const char* name;
  int firstGid;
  bool keyed;
  std::vector<bool> walkable;
  demo_art::Canvas image{640, 320, 0};
};

void PaintTile(demo_art::Canvas& image, int id, const std::function<void(const demo_art::Paint&)>& draw) {
  const int ox = (id % 10) * kTile, oy = (id / 10) * kTile;
  draw([&](int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < kTile && y < kTile) image.Set(ox + x, oy + y, c);
  });
}

Tileset MakeTerrain() {
  using namespace demo_art;
  Tileset t{"terrain", kTerrainFirstGid, false, std::vector<bool>(kTerrainTiles, true)};
  for (int id = 0; id < kTerrainTiles; ++id) {
    PaintTile(t.image, id, [&](const Paint& p) {
      if (id < kForest) return Grass(p, id, id >= 4 && id < 6, id >= 6);
      if (id < kDirt) return ForestFloor(p, id - kForest);
      if (id < kField) return Dirt(p, id - kDirt);
      if (id < kWater) return Field(p, id - kField);
      if (id < kSand) return Water(p, id - kWater, id >= kDeepWater);
      if (id < kStone) return Sand(p, id - kSand);
      if (id < kPlanks) return StoneFloor(p, id - kStone);
      if (id < kMarsh) return Planks(p, id - kPlanks);
      if (id < kMarsh + 2) return Marsh(p, id - kMarsh);
      return Grass(p, id, false, false);  // spare tiles: plain grass
    });
  }
  for (int id = kWater; id < kSand; ++id) t.walkable[id] = false;
  return t;
}

Tileset MakeDecor() {
  using namespace demo_art;
  Tileset t{"decor", kDecorFirstGid, true, std::vector<bool>(kDecorTiles, false)};
  t.image = Canvas(640, 320, kKey);
  for (int id = 0; id < kDecorTiles; ++id) {
    PaintTile(t.image, id, [&](const Paint& p) {
      if (id < kPine) return OakTree(p, id - kOak);
      if (id < kBush) return PineTree(p, id - kPine);
      if (id == kBush) return Bush(p);
      if (id < kFlowers) return Rock(p, id - kRock);
      if (id < kRoof) return Flowers(p, id - kFlowers);
      if (id < kWallWindow) return Roof(p, id - kRoof);
      if (id == kWallWindow) return Wall(p, 1);
      if (id == kWallDoor) return Wall(p, 2);
      if (id == kWallPlain) return Wall(p, 0);
      if (id < kFenceH) return TowerQuarter(p, id - kTower);
      if (id == kFenceH || id == kFenceV) return Fence(p, id == kFenceV);
      if (id == kCrate) return Crate(p);
      if (id == kBarrel) return Barrel(p);
      if (id == kReeds) return Reeds(p);
      if (id == kWell) return Well(p);
      if (id == kStump) return Stump(p);
      if (id == kLily) return LilyPads(p);
    });
  }
  const int walkableDecor[] = {kFlowers, kFlowers + 1, kReeds, kLily};
  for (int id : walkableDecor) t.walkable[id] = true;
  for (int id = kLily + 1; id < kDecorTiles; ++id) t.walkable[id] = true;  // spare, empty tiles
  return t;
}

// ---- The world ----------------------------------------------------------------------------

struct Cell {
  int ground = kGrass;  // terrain id
  int decor = -1;       // decor id, -1 none
};

class World {
 public:
  World() : cells_(kN * kN) {}
  Cell& At(int col, int row) { return cells_[row * kN + col]; }
  bool Inside(int col, int row) const { return col >= 0 && row >= 0 && col < kN && row < kN; }
  bool IsWater(int col, int row) {
    return Inside(col, row) && At(col, row).ground >= kWater && At(col, row).ground < kSand;
  }
  bool Walkable(int col, int row) {
    if (!Inside(col, row)) return false;
    const Cell& c = At(col, row);
    return !IsWater(col, row) && (c.decor < 0 || c.decor == kFlowers || c.decor == kFlowers + 1 || c.decor == kReeds);
  }
  // An inclusive rectangle of one ground kind (one of its `variants` tiles per cell), no decor.
  void Fill(int col0, int row0, int col1, int row1, int ground, int variants = 4) {
    for (int r = row0; r <= row1; ++r) {
      for (int c = col0; c <= col1; ++c) {
        if (Inside(c, r)) At(c, r) = Cell{ground + static_cast<int>(demo_art::Hash(c, r, 31) % variants), -1};
      }
    }
  }
  // The nearest walkable cell without decor to a wanted one, searched in growing squares.
  std::pair<int, int> FreeCellNear(int col, int row) {
    for (int d = 0; d < kN; ++d) {
      for (int r = row - d; r <= row + d; ++r) {
        for (int c = col - d; c <= col + d; ++c) {
          if (Walkable(c, r) && At(c, r).decor < 0) return {c, r};
        }
      }
    }
    return {col, row};
  }

 private:
  std::vector<Cell> cells_;
};

int Variant(int col, int row, uint32_t seed, int count) {
  return static_cast<int>(demo_art::Hash(col, row, seed) % count);
}

// Meadow grass: mostly plain, some tufts, a few cells with small flowers.
int MeadowGrass(int col, int row) {
  const int h = Variant(col, row, 1, 100);
  return kGrass + (h < 8 ? 6 + h % 2 : h < 22 ? 4 + h % 2 : h % 4);
}

constexpr int kVillageLeft = 46, kVillageTop = 46, kVillageRight = 83, kVillageBottom = 79;
bool InVillage(int col, int row) {
  return col >= kVillageLeft && col <= kVillageRight && row >= kVillageTop && row <= kVillageBottom;
}

void GrassAndForests(World& w) {
  for (int r = 0; r < kN; ++r) {
    for (int c = 0; c < kN; ++c) {
      w.At(c, r).ground = MeadowGrass(c, r);
      // Forests where coarse noise is high, thinning toward the valley's centre; a belt of trees
      // along the edges closes the map.
      const int dx = c - 64, dy = r - 64;
      const int noise = demo_art::ValueNoise(c * 16, r * 16, 160, 64, 7) - (dx * dx + dy * dy < 26 * 26 ? 90 : 0);
      const bool edge = c < 2 || r < 2 || c >= kN - 2 || r >= kN - 2;
      if (edge || (noise > 150 && !InVillage(c, r))) {
        w.At(c, r).ground = kForest + Variant(c, r, 2, 2);
        if (edge || demo_art::Hash(c, r, 3) % 100 < 62) w.At(c, r).decor = Variant(c, r, 4, 5);  // oaks and pines
      }
    }
  }
}

void Banks(World& w) {  // sand around water, reeds on some of it
  for (int r = 0; r < kN; ++r) {
    for (int c = 0; c < kN; ++c) {
      if (w.IsWater(c, r)) continue;
      bool shore = false;
      for (int d = 0; d < 9; ++d) shore = shore || w.IsWater(c + d % 3 - 1, r + d / 3 - 1);
      if (!shore) continue;
      w.At(c, r) =
          Cell{kSand + Variant(c, r, 8, 4), demo_art::Hash(c, r, 9) % 100 < 22 ? static_cast<int>(kReeds) : -1};
    }
  }
}

void River(World& w) {
  Lcg lcg(2024);
  int centre = 30;
  for (int r = 0; r < kN; ++r) {
    if (r % 3 == 0) centre = std::clamp(centre + lcg.Below(3) - 1, 24, 38);
    for (int c = centre - 2; c <= centre + 2; ++c) {
      const bool deep = c >= centre - 1 && c <= centre;
      w.At(c, r) = Cell{deep ? kDeepWater + Variant(c, r, 5, 2) : kWater + Variant(c, r, 6, 4),
                        demo_art::Hash(c, r, 10) % 100 < 6 ? static_cast<int>(kLily) : -1};
    }
  }
}

void FloodedLake(World& w) {
  for (int r = 0; r < kN; ++r) {
    for (int c = 0; c < kN; ++c) {
      const int dx = c - 98, dy = r - 98;
      const int inside =
          dx * dx * 196 + dy * dy * 324 - (demo_art::ValueNoise(c * 32, r * 32, 128, 64, 11) - 128) * 300;
      if (inside < 196 * 324) {
        const bool deep = inside < 196 * 324 / 3;
        w.At(c, r) = Cell{deep ? kDeepWater + Variant(c, r, 12, 2) : kWater + Variant(c, r, 13, 4),
                          demo_art::Hash(c, r, 14) % 100 < 5 ? static_cast<int>(kLily) : -1};
      } else if (inside < 196 * 324 * 3 / 2 && c < kN - 2 && r < kN - 2 && demo_art::Hash(c, r, 15) % 100 < 70) {
        w.At(c, r) = Cell{kMarsh + Variant(c, r, 16, 2), -1};  // flooded meadow: wet, still walkable
      }
    }
  }
  // Two islands with a tree each.
  for (auto [c, r] : {std::pair{94, 100}, {103, 93}}) {
    w.Fill(c - 1, r - 1, c + 1, r, kSand);
    w.At(c, r).decor = kOak + 1;
  }
}

// A road two cells wide from one cell to another: first along the columns, then the rows, with a
// gentle wobble. Over water it becomes a plank bridge.
void Road(World& w, int c0, int r0, int c1, int r1, uint32_t seed) {
  Lcg lcg(seed);
  auto lay = [&](int c, int r) {
    for (int d = 0; d < 4; ++d) {
      const int cc = c + d % 2, rr = r + d / 2;
      if (!w.Inside(cc, rr) || cc < 2 || rr < 2 || cc >= kN - 2 || rr >= kN - 2) continue;
      w.At(cc, rr) =
          w.IsWater(cc, rr) ? Cell{kPlanks + Variant(cc, rr, 17, 2), -1} : Cell{kDirt + Variant(cc, rr, 18, 4), -1};
    }
  };
  int wobble = 0;
  for (int c = c0; c != c1; c += c1 > c0 ? 1 : -1) {
    if (c % 5 == 0) wobble = std::clamp(wobble + lcg.Below(3) - 1, -1, 1);
    lay(c, r0 + wobble);
  }
  for (int r = r0 + wobble; r != r1; r += r1 > r0 + wobble ? 1 : -1) lay(c1, r);
  lay(c1, r1);
}

// A house seen from the front: three rows of roof over a wall row with two windows and a door.
void House(World& w, int col, int row) {
  for (int c = col; c < col + 5; ++c) {
    for (int r = row; r < row + 4; ++r)
      w.At(c, r) = Cell{kStone + Variant(c, r, 19, 4), r < row + 3 ? kRoof + (r - row) : -1};
    static const int kFront[5] = {kWallWindow, kWallPlain, kWallDoor, kWallPlain, kWallWindow};
    w.At(c, row + 3).decor = kFront[c - col];
  }
  w.Fill(col - 1, row + 4, col + 5, row + 4, kDirt);  // a path along the front
}

void Village(World& w) {
  w.Fill(59, 59, 67, 66, kStone);
  w.At(63, 62).decor = kWell;
  for (int c : {59, 67}) w.At(c, 59).decor = w.At(c, 66).decor = kFlowers + c % 2;  // flower beds
  House(w, 50, 52);
  House(w, 58, 52);
  House(w, 66, 52);
  House(w, 50, 66);
  House(w, 72, 56);
  // The field with its fence and a gate on the west side.
  w.Fill(75, 67, 83, 74, kField, 2);
  for (int c = 74; c <= 84; ++c) w.At(c, 66).decor = w.At(c, 75).decor = kFenceH;
  for (int r = 67; r <= 74; ++r) w.At(74, r).decor = w.At(84, r).decor = kFenceV;
  w.At(74, 70).decor = w.At(74, 71).decor = -1;
  // The sheep pen south-west of the plaza, where Elena starts shut in: fenced all round, its
  // gate (57, 67) left open on the map for the gate unit that bars it.
  w.Fill(56, 68, 58, 69, kDirt);
  for (int c = 55; c <= 59; ++c) w.At(c, 67).decor = w.At(c, 70).decor = kFenceH;
  for (int r = 68; r <= 69; ++r) w.At(55, r).decor = w.At(59, r).decor = kFenceV;
  w.At(57, 67) = Cell{kDirt + Variant(57, 67, 18, 4), -1};
  for (auto [c, r, d] : {std::array{57, 56, static_cast<int>(kCrate)},
                         {56, 56, kBarrel},
                         {65, 56, kBarrel},
                         {49, 70, kCrate},
                         {71, 59, kBarrel}}) {
    w.At(c, r).decor = d;
  }
}

void Watchtower(World& w) {
  w.Fill(97, 13, 104, 20, kStone);
  for (int q = 0; q < 4; ++q) w.At(100 + q % 2, 16 + q / 2).decor = kTower + q;
  w.At(98, 14).decor = kCrate;
}

void Scatter(World& w) {
  for (int r = 2; r < kN - 2; ++r) {
    for (int c = 2; c < kN - 2; ++c) {
      Cell& cell = w.At(c, r);
      if (cell.decor >= 0 || cell.ground >= kForest) continue;  // grass only
      const uint32_t h = demo_art::Hash(c, r, 21) % 1000;
      if (InVillage(c, r) && (h < 12 || h >= 60)) continue;  // no rocks or trees in the village
      if (h < 12)
        cell.decor = kRock + static_cast<int>(h % 2);
      else if (h < 28)
        cell.decor = kBush;
      else if (h < 60)
        cell.decor = kFlowers + static_cast<int>(h % 2);
      else if (h < 65)
        cell.decor = kStump;
      else if (h < 85)
        cell.decor = kOak + static_cast<int>(h % 3);
    }
  }
}

World MakeWorld() {
  World w;
  GrassAndForests(w);
  River(w);
  FloodedLake(w);
  Banks(w);
  Scatter(w);
  Village(w);
  Watchtower(w);
  Road(w, 58, 62, 4, 62, 31);    // west, over the bridge
  Road(w, 63, 58, 63, 20, 32);   // north from the plaza
  Road(w, 64, 20, 97, 17, 33);   // on to the watchtower
  Road(w, 68, 62, 88, 80, 34);   // east, then down to the lake shore
  Road(w, 62, 67, 62, 124, 35);  // south
  Road(w, 30, 40, 8, 40, 36);    // a track into the western woods
  return w;
}

// ---- Map objects --------------------------------------------------------------------------

struct Placed {
  const char* name;
  int col, row;       // wanted cell; moved to the nearest free walkable one
  int width, height;  // pixels
};

ordered_json ObjectLayer(World& w, int id, const char* name, const std::vector<Placed>& objects, int& nextObjectId) {
  ordered_json list = ordered_json::array();
  for (const Placed& o : objects) {
    auto [c, r] = o.width > kTile ? std::pair{o.col, o.row} : w.FreeCellNear(o.col, o.row);  // zones stay
    list.push_back({{"height", o.height},
                    {"id", nextObjectId++},
                    {"name", o.name},
                    {"rotation", 0},
                    {"type", ""},
                    {"visible", true},
                    {"width", o.width},
                    {"x", c * kTile},
                    {"y", r * kTile}});
  }
  return {{"draworder", "topdown"}, {"id", id},        {"name", name}, {"objects", list}, {"opacity", 1},
          {"type", "objectgroup"},  {"visible", true}, {"x", 0},       {"y", 0}};
}

// ---- Files --------------------------------------------------------------------------------

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

bool WriteBmp(const std::filesystem::path& path, const demo_art::Canvas& canvas) {
  CBitmapSurface surface;
  if (!surface.Create(canvas.Width(), canvas.Height())) return false;
  for (int y = 0; y < canvas.Height(); ++y) {
    uint32_t* row = surface.RowTopDown(y);
    for (int x = 0; x < canvas.Width(); ++x) row[x] = canvas.Get(x, y);
  }
  const std::vector<uint8_t> bytes = surface.EncodeBmp24();
  return WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string TilesetJson(const Tileset& t) {
  ordered_json tiles = ordered_json::array();
  for (std::size_t id = 0; id < t.walkable.size(); ++id) {
    tiles.push_back(
        {{"id", id}, {"properties", {{{"name", "walkable"}, {"type", "bool"}, {"value", bool(t.walkable[id])}}}}});
  }
  ordered_json doc = {{"columns", 10},
                      {"image", std::string(t.name) + ".bmp"},
                      {"imageheight", 320},
                      {"imagewidth", 640},
                      {"margin", 0},
                      {"name", t.name},
                      {"spacing", 0},
                      {"tilecount", t.walkable.size()},
                      {"tiledversion", "1.8.2"},
                      {"tileheight", kTile},
                      {"tiles", tiles},
                      {"tilewidth", kTile}};
  if (t.keyed) doc["transparentcolor"] = "#bf7bc7";
  doc["type"] = "tileset";
  doc["version"] = "1.8";
  return doc.dump(1) + "\n";
}

// The tile layer's values as Tiled writes them in CSV format: one map row per line.
std::string LayerRows(const std::vector<int>& gids) {
  std::string text = "[";
  for (int i = 0; i < kN * kN; ++i) {
    text += std::to_string(gids[i]);
    if (i + 1 < kN * kN) text += (i + 1) % kN == 0 ? ",\n" : ",";
  }
  return text + "]";
}

std::string FinishMap(const ordered_json& layers, int nextObjectId, int nextLayerId, const std::vector<int>& ground,
                      const std::vector<int>& overlay);

// The demo's map; a starter map (the same land, one player's place and nothing else) for a
// game of one's own.
std::string MapJson(World& w, bool starter) {
  std::vector<int> ground(kN * kN), overlay(kN * kN);
  for (int i = 0; i < kN * kN; ++i) {
    const Cell& c = w.At(i % kN, i / kN);
    ground[i] = kTerrainFirstGid + c.ground;
    overlay[i] = c.decor < 0 ? 0 : kDecorFirstGid + c.decor;
  }
  auto tileLayer = [](int id, const char* name, const char* placeholder) {
    return ordered_json{{"data", placeholder}, {"height", kN},    {"id", id},    {"name", name}, {"opacity", 1},
                        {"type", "tilelayer"}, {"visible", true}, {"width", kN}, {"x", 0},       {"y", 0}};
  };
  int nextObjectId = 1;
  ordered_json layers = ordered_json::array();
  layers.push_back(tileLayer(1, "Ground", "@GROUND@"));
  layers.push_back(tileLayer(2, "Overlays", "@OVERLAY@"));
  // Object names end in the number of the INI section they place (player_4 places
  // [player_unit_4], zone_3 is the zone a bot's unit_move_zone_number 3 names).
  if (starter) {
    layers.push_back(ObjectLayer(w, 3, "Units players", {{"player_1", 60, 61, 64, 64}}, nextObjectId));
  } else {
    layers.push_back(ObjectLayer(w, 3, "Units players",
                                 {{"player_1", 60, 61, 64, 64},
                                  {"player_2", 62, 61, 64, 64},
                                  {"player_3", 61, 63, 64, 64},
                                  {"player_4", 56, 68, 64, 64}},
                                 nextObjectId));
  }
  if (starter) return FinishMap(layers, nextObjectId, 4, ground, overlay);
  // Bots guard the roads: zone_1 holds the west road and its bridge, zone_4 the south road, the
  // marsh guard stands where the east road meets the lake, Sable walks the east road out of the
  // village.
  layers.push_back(ObjectLayer(w, 4, "Units bots",
                               {{"bot_1", 14, 30, 64, 64},
                                {"bot_2", 20, 90, 64, 64},
                                {"bot_3", 88, 80, 64, 64},
                                {"bot_4", 104, 22, 64, 64},
                                {"bot_5", 62, 100, 64, 64},
                                {"bot_6", 79, 63, 64, 64},
                                {"bot_7", 18, 37, 64, 64},
                                {"bot_8", 108, 44, 64, 64},
                                {"bot_9", 70, 67, 64, 64}},  // the sparring guard
                               nextObjectId));
  layers.push_back(ObjectLayer(w, 5, "Zones",
                               {{"zone_1", 4, 20, 20 * kTile, 24 * kTile},
                                {"zone_2", 80, 78, 20 * kTile, 12 * kTile},
                                {"zone_3", 88, 12, 24 * kTile, 36 * kTile},
                                {"zone_4", 52, 84, 20 * kTile, 36 * kTile}},
                               nextObjectId));
  layers.push_back(ObjectLayer(w, 6, "Units objects",
                               {{"object_1", 58, 68, 64, 64},
                                {"object_2", 99, 19, 64, 64},
                                {"object_3", 12, 64, 64, 64},
                                {"object_4", 82, 80, 64, 64},
                                {"object_5", 47, 98, 64, 64},
                                {"object_6", 70, 61, 64, 64},
                                {"object_7", 60, 65, 64, 64},
                                {"object_8", 66, 60, 64, 64},
                                {"object_9", 92, 38, 64, 64},
                                {"object_10", 22, 44, 64, 64}},
                               nextObjectId));
  layers.push_back(ObjectLayer(w, 7, "Units others",
                               {{"other_1", 66, 65, 64, 64},
                                {"other_2", 97, 19, 64, 64},
                                {"other_3", 99, 21, 64, 64},
                                {"other_4", 56, 57, 64, 64},
                                {"other_5", 40, 60, 64, 64},
                                {"other_6", 16, 39, 64, 64},
                                {"other_7", 64, 60, 64, 64},
                                {"other_8", 57, 67, 64, 64}},
                               nextObjectId));
  return FinishMap(layers, nextObjectId, 8, ground, overlay);
}

std::string FinishMap(const ordered_json& layers, int nextObjectId, int nextLayerId, const std::vector<int>& ground,
                      const std::vector<int>& overlay) {
  ordered_json doc = {{"compressionlevel", -1},
                      {"height", kN},
                      {"infinite", false},
                      {"layers", layers},
                      {"nextlayerid", nextLayerId},
                      {"nextobjectid", nextObjectId},
                      {"orientation", "orthogonal"},
                      {"renderorder", "right-down"},
                      {"tiledversion", "1.8.2"},
                      {"tileheight", kTile},
                      {"tilesets",
                       {{{"firstgid", kTerrainFirstGid}, {"source", "terrain.json"}},
                        {{"firstgid", kDecorFirstGid}, {"source", "decor.json"}}}},
                      {"tilewidth", kTile},
                      {"type", "map"},
                      {"version", "1.8"},
                      {"width", kN}};
  std::string text = doc.dump(1) + "\n";
  for (auto [placeholder, gids] : {std::pair{"\"@GROUND@\"", &ground}, {"\"@OVERLAY@\"", &overlay}}) {
    text.replace(text.find(placeholder), std::string(placeholder).size(), LayerRows(*gids));
  }
  return text;
}

// ---- Previews -----------------------------------------------------------------------------

// The whole map at 1/4 scale (each preview pixel averages 4 x 4 map pixels).
bool WritePreview(const std::filesystem::path& path, World& w, const Tileset& terrain, const Tileset& decor) {
  demo_art::Canvas out(kN * kTile / 4, kN * kTile / 4, 0);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      int r = 0, g = 0, b = 0;
      for (int k = 0; k < 16; ++k) {
        const int mx = x * 4 + k % 4, my = y * 4 + k / 4;
        const Cell& c = w.At(mx / kTile, my / kTile);
        const int tx = mx % kTile, ty = my % kTile;
        uint32_t px = terrain.image.Get((c.ground % 10) * kTile + tx, (c.ground / 10) * kTile + ty);
        if (c.decor >= 0) {
          const uint32_t d = decor.image.Get((c.decor % 10) * kTile + tx, (c.decor / 10) * kTile + ty);
          if (d != demo_art::kKey) px = d;
        }
        r += demo_art::R(px), g += demo_art::G(px), b += demo_art::B(px);
      }
      out.Set(x, y, demo_art::Rgb(r / 16, g / 16, b / 16));
    }
  }
  return WriteBmp(path, out);
}

// The first view of the game, read and drawn through the engine's own readers and CGameMap.
bool WriteEngineView(const std::filesystem::path& mapFolder, const std::filesystem::path& path) {
  config::GameConfig config;
  config.launcher.folders[config::kFolderMap] = mapFolder.string();
  config.settings.mapFilePath = (mapFolder / "demo_map.json").string();
  config.settings.initialViewX = 3456;
  config.settings.initialViewY = 3680;
  if (!map::ReadTiledMap(config) || !map::ReadTilesetImages(config) || !map::ReadTilesetProperties(config)) {
    return false;
  }
  std::unique_ptr<CGameMap> built = map::BuildGameMap(config);
  CBitmapSurface frame;
  frame.Create(config.launcher.windowWidth, config.launcher.windowHeight);
  built->DrawMap(frame);
  return frame.SaveFile(path.string());
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = "Projects/Demo/Map";
  std::filesystem::path preview;
  bool starter = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--preview" && i + 1 < argc)
      preview = argv[++i];
    else if (arg == "--starter")
      starter = true;
    else
      folder = arg;
  }
  std::filesystem::create_directories(folder);
  const Tileset terrain = MakeTerrain();
  const Tileset decor = MakeDecor();
  World world = MakeWorld();
  bool ok = WriteBmp(folder / "terrain.bmp", terrain.image) &&
            WriteFile(folder / "terrain.json", TilesetJson(terrain)) && WriteBmp(folder / "decor.bmp", decor.image) &&
            WriteFile(folder / "decor.json", TilesetJson(decor)) &&
            WriteFile(folder / (starter ? "starter_map.json" : "demo_map.json"), MapJson(world, starter));
  if (ok && !preview.empty()) {
    platform::Install(platform::CreateHeadlessPlatform(platform::HeadlessOptions{}));
    std::filesystem::create_directories(preview);
    ok = WritePreview(preview / "demo_map_preview.bmp", world, terrain, decor) &&
         WriteEngineView(folder, preview / "demo_view.bmp");
  }
  if (!ok) {
    std::fprintf(stderr, "demo_map_generator: could not write the map files\n");
    return 1;
  }
  std::printf("%s map written to %s\n", starter ? "starter" : "demo", folder.string().c_str());
  return 0;
}
