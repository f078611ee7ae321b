// The loaders of the cast, in the order the start-up runs them: the two pick-up kit sprites,
// the inventory objects and the pick-ups placed on the map (objects_units.ini), then for
// players, bots and other units in turn their sprite sheets and their units. Each loader's
// first error ends it with one box (which posts the quit) and a false result; what was created
// before the error stays registered with the engine. They fill the engine's tables, so the world
// lock counts as theirs: the start-up runs them before any other thread can take it.
#pragma once

#include "engine/orvanta_engine.h"

namespace cast {

// Unit kinds as the loaders number them.
inline constexpr int kKindPlayer = 1;
inline constexpr int kKindBot = 2;
inline constexpr int kKindOther = 3;

// The health-kit and ammo-kit sprites; true always (a missing file leaves kits that never show).
bool LoadSystemSprites(COrvantaEngine& engine) TL_REQUIRES(engine.Lock());
// object_inventory_1 .. 64 of objects_units.ini.
bool LoadObjectDefinitions(COrvantaEngine& engine) TL_REQUIRES(engine.Lock());
// object_unit_1 .. 1000 of objects_units.ini.
bool LoadUnitObjects(COrvantaEngine& engine) TL_REQUIRES(engine.Lock());
// The sprite sections of a kind (1 player, 2 bot, 3 other); clears the definition table first.
bool LoadSpriteDefinitions(COrvantaEngine& engine, int kind) TL_REQUIRES(engine.Lock());
// The unit sections of a kind, using the sprite definitions its sprite loader just read.
bool LoadUnitDefinitions(COrvantaEngine& engine, int kind) TL_REQUIRES(engine.Lock());

}  // namespace cast
