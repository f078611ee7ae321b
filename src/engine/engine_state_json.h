// The engine's part of the state dump: camera, HUD flags, the message slots and the unit
// tables. The caller holds the engine's Lock().
#pragma once

#include <nlohmann/json.hpp>

#include "engine/orvanta_engine.h"

// {"camera": [x, y], "fps_shown", "paused", "banner_shown", "messages": [{"text", "kind",
// "object"}...], "units", "players"} with the used message slots in slot order, texts in UTF-8
// and the unit tables as units_state_json.h tells; an empty object without an engine.
nlohmann::json EngineStateJson(const COrvantaEngine* engine) TL_REQUIRES(engine->Lock());
