// The world as JSON, for end-to-end checks of headless runs.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace app {

struct World;

// The launcher's settings, the engine's state (camera, HUD, units) and the map.
nlohmann::json StateDump(const World& world);
// StateDump() indented, with a final line break (--dump-state).
std::string StateDumpJson(const World& world);
// StateDump() with "ms" added, on one line with its line break (--dump-every).
std::string StateDumpLine(const World& world, uint32_t elapsedMs);

}  // namespace app
