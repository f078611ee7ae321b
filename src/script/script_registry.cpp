#include "script/script_registry.h"

#include "script/script_manager.h"

namespace script {

bool RegisterScript(std::unique_ptr<COrvantaScript> script) { return Manager().AddScript(script); }

}  // namespace script
