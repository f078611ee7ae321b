// Shared by the end-to-end tests of headless runs: what a run leaves behind, its JSON lines, and
// the transcript split by thread.
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

// The transcript lines of the music thread, or all the others, in their order.
inline std::string ThreadLines(const std::string& transcript, bool music) {
  std::string kept;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    if ((line.find(" music ") != std::string::npos) == music) kept += line + "\n";
  }
  return kept;
}

// Two runs of the same input: dump and trace byte for byte, and each thread's transcript lines
// (the music start thread writes beside the main thread at start-up, so only the interleaving
// may differ).
inline void ExpectSameRuns(const Outputs& first, const Outputs& second) {
  EXPECT_EQ(first.dump, second.dump);
  EXPECT_EQ(first.trace, second.trace);
  EXPECT_EQ(ThreadLines(first.transcript, true), ThreadLines(second.transcript, true));
  EXPECT_EQ(ThreadLines(first.transcript, false), ThreadLines(second.transcript, false));
}

}  // namespace e2e
