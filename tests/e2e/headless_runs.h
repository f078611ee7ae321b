// Shared by the end-to-end tests of headless runs: what a run leaves behind and its JSON lines.
#pragma once

#include <filesystem>
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
// dump.json, trace.jsonl and transcript.txt (those of an earlier run are removed first). A run
// ended by an error box exits with 1.
inline Outputs RunHeadless(const testing_support::TempDir& dir, const std::string& args, int exitCode = 0) {
  for (const char* file : {"dump.json", "trace.jsonl", "transcript.txt"}) std::filesystem::remove(dir / file);
  auto result = testing_support::RunTessaloom(dir.path(),
                                              "--headless --dump-state dump.json --transcript transcript.txt " + args);
  EXPECT_EQ(result.exitCode, exitCode) << result.err;
  return {testing_support::ReadText(dir / "dump.json"), testing_support::ReadText(dir / "trace.jsonl"),
          testing_support::ReadText(dir / "transcript.txt")};
}

inline std::vector<nlohmann::json> Lines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

// Runs the same headless run twice; both must leave the same dump, trace and transcript, byte
// for byte. Returns the first run's.
inline Outputs RunTwice(const testing_support::TempDir& dir, const std::string& args, int exitCode = 0) {
  Outputs first = RunHeadless(dir, args, exitCode);
  const Outputs second = RunHeadless(dir, args, exitCode);
  EXPECT_EQ(first.dump, second.dump);
  EXPECT_EQ(first.trace, second.trace);
  EXPECT_EQ(first.transcript, second.transcript);
  return first;
}

}  // namespace e2e
