// The world as JSON, for end-to-end checks of headless runs.
#pragma once

#include <string>

namespace app {

std::string StateDumpJson();

}  // namespace app
