// The tables the project loaders fill, indexed by the numbers the project files use. Filled on
// the main thread during start-up; read afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/bitmap_surface.h"

class CGameSprite;

namespace config {

inline constexpr int kMaxObjects = 64;      // object numbers 1..64
inline constexpr int kMaxSpriteDefs = 256;  // sprite numbers 1..256
inline constexpr int kMaxTilesets = 10;
inline constexpr uint32_t kDefaultTransparentColor = 0xBF7BC7;

struct ObjectDefinition {
  bool defined = false;
  std::string name;         // at most 31 characters
  std::string description;  // at most 127 characters
  int numberOfUses = 0;     // 1..99 when defined
  bool decreaseUses = false;
  CGameSprite* sprite = nullptr;  // owned by the engine's sprite table
  int spriteFrameWidth = 0;
  int spriteFrameHeight = 0;
  int spriteNumberOfFrames = 1;
  int spriteAnimationTime = 0;
  std::unique_ptr<CBitmapSurface> icon;  // released with the engine
};

struct FrameRange {
  int first = 0;
  int last = 0;
};

// Direction order of the frame ranges: up, down, right-up, left-up, right-down, left-down, right,
// left.
struct SpriteDefinition {
  bool defined = false;
  CGameSprite* sprite = nullptr;  // owned by the engine's sprite table
  int maleCharacter = 1;
  std::array<FrameRange, 8> frameRanges{};
  int numberOfFrames = 1;
  int frameWidth = 0;
  int frameHeight = 0;
  int animationTime = 0;
  std::array<int, 4> collisionBox{};  // left, top, right, bottom inside a frame
};

struct TilesetRecord {
  bool inUse = false;
  std::string baseName;  // the tileset file name up to its first dot, at most 66 characters
  int firstGid = 0;
  int lastGid = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  uint32_t transparentColor = kDefaultTransparentColor;
  std::vector<int> walkable;  // 0 or 1 per local tile id
};

struct MapObject {
  int number = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Object layer kinds, in the order of the map object lists.
enum MapObjectLayer : int {
  kLayerUnitsObjects = 0,  // "Units objects"
  kLayerUnitsPlayers = 1,  // "Units players"
  kLayerZones = 2,         // "Zones"
  kLayerUnitsBots = 3,     // "Units bots"
  kLayerUnitsOthers = 4,   // "Units others"
  kMapObjectLayerCount = 5,
};

struct GameTables {
  std::array<ObjectDefinition, kMaxObjects + 1> objects{};
  std::array<SpriteDefinition, kMaxSpriteDefs + 1> spriteDefs{};
  std::array<TilesetRecord, kMaxTilesets> tilesets{};
  // Ground (0) and overlay (1) tile values of the map, row by row; emptied once the map is built.
  std::array<std::vector<uint32_t>, 2> tileLayers{};
  std::array<std::vector<MapObject>, kMapObjectLayerCount> mapObjects{};
  // The sprite numbers each unit kind (1 player, 2 bot, 3 other) defined, in number order; the
  // sprite definition table itself holds one kind at a time.
  std::array<std::vector<int>, 4> spriteNumbersByKind{};
  // The sheets of the units attached to characters (projectile, effects), loaded once per path
  // and shared; owned by the engine's sprite table.
  std::map<std::string, CGameSprite*> attachedSheets;
  CGameSprite* healthKitSprite = nullptr;
  CGameSprite* ammoKitSprite = nullptr;
};

// The first record of a layer with that object number, or null.
const MapObject* FindMapObject(const GameTables& tables, int layer, int number);

}  // namespace config
