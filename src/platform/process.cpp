#include "platform/process.h"

namespace platform {

#ifndef _WIN32
// The Windows side is in win32_process.cpp.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + (argc > 0 ? argc : 0));
}

void PrepareConsole() {}

void UseBinaryOutput(std::FILE*) {}
#endif

}  // namespace platform
