// Shared by the end-to-end tests of headless runs: what a run leaves behind and its JSON lines.
#pragma once

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/test_world.h"

namespace e2e {

struct Outputs {
  std::string dump, trace, transcript;
};

// Runs the program headless in the folder with the dump, trace and transcript files named
// dump.json, trace.jsonl and transcript.txt.
inline Outputs RunHeadless(const testing_support::TempDir& dir, const std::string& args) {
  auto result = testing_support::RunTessaloom(dir.path(),
                                              "--headless --dump-state dump.json --transcript transcript.txt " + args);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return {testing_support::ReadText(dir / "dump.json"), testing_support::ReadText(dir / "trace.jsonl"),
          testing_support::ReadText(dir / "transcript.txt")};
}

inline std::vector<nlohmann::json> Lines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

// Two runs of the same input give the same dump, trace and transcript, byte for byte.
inline void ExpectSameRuns(const Outputs& first, const Outputs& second) {
  EXPECT_EQ(first.dump, second.dump);
  EXPECT_EQ(first.trace, second.trace);
  EXPECT_EQ(first.transcript, second.transcript);
}

}  // namespace e2e
