// The executable's options as parsed from its command line, before anything runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/test_units.h"
#include "platform/headless_platform.h"

namespace app {

// The stand-in units of --test-unit (an engine-layer testing aid).
using engine::AddTestUnits;
using engine::ParseTestUnit;
using engine::TestUnitPlacement;

struct Options {
  bool headless = false;
  platform::HeadlessOptions headlessOptions;
  std::string inputFile;
  std::string transcriptFile;
  std::string screenshotFile;
  std::string dumpFile;
  std::string recordFile;
  std::string saveFolder;  // --save-dir: the folder of saved games
  std::string loadFile;    // --load: a saved game to start from
  uint32_t dumpEveryMs = 0;
  std::string dumpEveryFile;
  std::vector<TestUnitPlacement> testUnits;
  std::string checkImage;
  std::string checkImageOut;
  bool checkScripts = false;
  bool checkProject = false;
  bool jsonFormat = false;
  std::vector<std::string> hudMessages;
  std::string commandLine;
  bool help = false;
  bool version = false;
};

// Returns an error message, or nothing when the options are good. Reads no file.
std::optional<std::string> ParseOptions(int argc, char** argv, Options& options);

}  // namespace app
