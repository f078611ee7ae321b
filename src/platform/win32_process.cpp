// The Windows command line in UTF-8, and the console of a program built for the window subsystem.
// windows.h first: shellapi.h builds on it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <memory>

#include "platform/process.h"
#include "platform/win32_wide.h"

namespace platform {
namespace {

// True when a standard handle leads nowhere yet: no handle, or one that is no file, pipe or
// console.
bool GoesNowhere(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle == nullptr || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN;
}

}  // namespace

std::vector<std::string> ArgumentsOfCommandLine(const std::wstring& commandLine) {
  int count = 0;
  struct LocalFreer {
    void operator()(LPWSTR* p) const { LocalFree(p); }
  };
  std::unique_ptr<LPWSTR, LocalFreer> arguments(CommandLineToArgvW(commandLine.c_str(), &count));
  std::vector<std::string> result;
  if (!arguments) return result;
  for (int i = 0; i < count; ++i) result.push_back(win32::Utf8FromWide(arguments.get()[i]));
  return result;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments = ArgumentsOfCommandLine(GetCommandLineW());
  // Should the system refuse, argv still beats nothing.
  if (arguments.empty()) arguments.assign(argv, argv + (argc > 0 ? argc : 0));
  return arguments;
}

void PrepareConsole() {
  const bool output = GoesNowhere(STD_OUTPUT_HANDLE);
  const bool error = GoesNowhere(STD_ERROR_HANDLE);
  // The console of whoever started the program (cmd, PowerShell); none when double-clicked.
  if ((output || error) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (output) std::freopen("CONOUT$", "w", stdout);
    if (error) std::freopen("CONOUT$", "w", stderr);
  }
  UseBinaryOutput(stdout);
  UseBinaryOutput(stderr);
}

void UseBinaryOutput(std::FILE* stream) {
  std::fflush(stream);
  _setmode(_fileno(stream), _O_BINARY);
}

}  // namespace platform
