// The executable's command line: options, backend choice, and the headless extras
// (transcript, screenshot, state dump).
#pragma once

namespace app {

int RunFromCommandLine(int argc, char** argv);

}  // namespace app
