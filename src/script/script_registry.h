// The hand-off of loaded scripts to the script manager, for the loaders.
#pragma once

#include <memory>

#include "script/orvanta_script.h"

namespace script {

// Gives the script to the manager, which owns it from then on; false (the script is dropped)
// when it is null or all 256 slots are taken.
bool RegisterScript(std::unique_ptr<COrvantaScript> script);

}  // namespace script
