// The engine's part of the state dump: camera, HUD flags and the message slots. The caller
// holds WorldLock().
#pragma once

#include <nlohmann/json.hpp>

// {"camera": [x, y], "fps_shown", "paused", "banner_shown", "messages": [{"text", "kind",
// "object"}...]} with the used message slots in slot order and texts in UTF-8; an empty object
// while no engine exists.
nlohmann::json EngineStateJson();
