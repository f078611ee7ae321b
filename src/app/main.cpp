#include <string>
#include <vector>

#include "app/run.h"
#include "platform/process.h"

#if defined(TL_HAVE_SDL)
#include "platform/sdl_platform.h"
#elif defined(TL_HAVE_WIN32)
#include "platform/win32_platform.h"
#endif

int main(int argc, char** argv) {
  platform::PrepareConsole();
  platform::PrepareMemory();
  // The arguments as UTF-8 (on Windows from the wide command line, so that any file name
  // survives), handed on in argv's form.
  std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  const int count = static_cast<int>(arguments.size());
#if defined(TL_HAVE_SDL)
  return app::RunFromCommandLine(count, pointers.data(), platform::CreateSdlPlatform);
#elif defined(TL_HAVE_WIN32)
  return app::RunFromCommandLine(count, pointers.data(), platform::CreateWin32Platform);
#else
  return app::RunFromCommandLine(count, pointers.data(), nullptr);
#endif
}
