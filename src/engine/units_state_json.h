// The unit and player tables as JSON for the state dump. The caller holds the world lock.
#pragma once

#include <cstdint>
#include <functional>

#include <nlohmann/json.hpp>

class CGameUnit;
namespace engine {
struct EngineState;
}

// The unit table slot of a unit; -1 for null or a unit outside the table.
using SlotOfUnit = std::function<int(const CGameUnit*)>;

// One unit: {"index", "name", "id_name", "kind_code", "kind" (1 player, 2 bot, 3 other,
// 4 unit-object, 0 anything else), "sprite" (its sprite definition number), "male", "player",
// "bot", "x", "y", "spawn_x", "spawn_y", "w", "h", "visible", "alive", "selected", "selectable",
// "health", "max_health", "ammo", "speed", "speed_y", "moving", "blocked", "dest": [x, y],
// "path": [[x, y]...], "path_index", "animation", "frame", "opacity", "respawn_ms",
// "respawn_enabled", "zone": [l, t, r, b], "move_type", "autouse", "object", "description",
// "collision_box": [l, t, r, b], "scripted", "inventory": [[object, count]...]} with texts in
// UTF-8 and the inventory slots 1..12 in order; "respawn_due" (tick, 0 = none), "projectile":
// {"flying", "x", "y"} of its fire ball (flying false and 0, 0 without one), "owner" (slot of the
// shooter of a projectile, -1 otherwise), "event": {"process", "yes_times", "object", "uses"};
// for bots only, "bot_brain": {"state" ("static", "wander" or "chase"), "alert_target" (slot, -1
// none), "chase_until" (tick, 0 none), "stuck_passes", "zone": [l, t, r, b], "chase_target"
// (slot, -1 none), "alert_icon_until" (tick, 0 none)}.
// `now` is the tick of the last world step, so that a dump taken later (at a desktop run's end)
// reads the same as the world left it.
nlohmann::json UnitJson(const CGameUnit& unit, int index, const SlotOfUnit& slotOf, uint32_t now);

// {"units": [...] in table order, "players": [unit table index of each player, in load order]}.
nlohmann::json UnitTablesJson(const engine::EngineState& state);
