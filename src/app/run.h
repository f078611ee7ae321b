// The executable's command line: options, backend choice, and the headless extras
// (transcript, screenshot, state dump).
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"

namespace app {

// Makes the desktop backend; null when the program was built without one.
using DesktopBackendFactory = std::function<std::unique_ptr<platform::Platform>()>;

int RunFromCommandLine(int argc, char** argv, const DesktopBackendFactory& desktop);

}  // namespace app
