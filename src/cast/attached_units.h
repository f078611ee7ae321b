// The units attached to a unit when its set-up is finished: a character's projectile, explosion
// and sword effects, and the respawn effect of every unit that respawns. Each is a unit of its
// own in the engine's table, hidden until the combat rules show it.
#pragma once

class CGameUnit;
class COrvantaEngine;

namespace cast {

// The unit's final set-up followed by its attached units. False, after the "System sprites
// error" box (which posts the quit), when a character sheet is missing; the unit keeps whatever
// was attached before.
bool FinishUnitSetup(COrvantaEngine& engine, CGameUnit& unit);

}  // namespace cast
