// The executable's options as parsed from its command line, before anything runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/headless_platform.h"

namespace app {

struct Options {
  bool headless = false;
  platform::HeadlessOptions headlessOptions;
  std::string inputFile;
  std::string transcriptFile;
  std::string screenshotFile;
  std::string dumpFile;
  std::string checkImage;
  std::string checkImageOut;
  std::vector<std::string> hudMessages;
  std::string commandLine;
  bool help = false;
  bool version = false;
};

// Returns an error message, or nothing when the options are good. Reads no file.
std::optional<std::string> ParseOptions(int argc, char** argv, Options& options);

}  // namespace app
