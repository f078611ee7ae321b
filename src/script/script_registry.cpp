#include "script/script_registry.h"

#include "script/script_manager.h"

bool RegisterScript(std::unique_ptr<COrvantaScript> script) { return script::Manager().AddScript(script); }
