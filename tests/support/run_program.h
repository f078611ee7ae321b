// Runs the built tessaloom executable in a folder and collects what it printed.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace testing_support {

struct ProgramResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

#ifndef _WIN32
// Runs `program` (a command line prefix, already quoted) in the folder; `args` is passed to the
// shell as written: quote what needs it.
inline ProgramResult RunInFolder(const std::filesystem::path& folder, const std::string& program,
                                 const std::string& args) {
  auto out = folder / "stdout.txt";
  auto err = folder / "stderr.txt";
  std::string command = "cd '" + folder.string() + "' && " + program + " " + args + " > '" + out.string() + "' 2> '" +
                        err.string() + "' < /dev/null";
  int status = std::system(command.c_str());
  ProgramResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}

inline ProgramResult RunTessaloom(const std::filesystem::path& folder, const std::string& args) {
  std::string program = "'";
  program.append(TL_EXECUTABLE).append("'");
  return RunInFolder(folder, program, args);
}

// The Windows build of the program, run under Wine, when TL_WINDOWS_EXECUTABLE names it (and
// TL_WINE the Wine loader, by default wine64 from the PATH); nothing otherwise.
inline std::optional<ProgramResult> RunWindowsTessaloom(const std::filesystem::path& folder, const std::string& args) {
  const char* exe = std::getenv("TL_WINDOWS_EXECUTABLE");
  if (exe == nullptr || *exe == '\0') return std::nullopt;
  const char* wine = std::getenv("TL_WINE");
  const std::string loader = (wine != nullptr && *wine != '\0') ? wine : "wine64";
  return RunInFolder(folder, "WINEDEBUG=-all '" + loader + "' '" + exe + "'", args);
}
#endif

}  // namespace testing_support
