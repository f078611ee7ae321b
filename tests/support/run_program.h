// Runs the built tessaloom executable in a folder and collects what it printed.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
// `args` is passed to the shell as written: quote what needs it.
inline ProgramResult RunTessaloom(const std::filesystem::path& folder, const std::string& args) {
  auto out = folder / "stdout.txt";
  auto err = folder / "stderr.txt";
  std::string command = "cd '" + folder.string() + "' && '" + std::string(TL_EXECUTABLE) + "' " + args +
                        " > '" + out.string() + "' 2> '" + err.string() + "' < /dev/null";
  int status = std::system(command.c_str());
  ProgramResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}
#endif

}  // namespace testing_support
