// The world as JSON, for end-to-end checks of headless runs.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace app {

// The launcher's settings, the engine's state (camera, HUD, units) and the map.
nlohmann::json StateDump();
// StateDump() indented, with a final line break (--dump-state).
std::string StateDumpJson();
// StateDump() with "ms" added, on one line with its line break (--dump-every).
std::string StateDumpLine(uint32_t elapsedMs);

}  // namespace app
