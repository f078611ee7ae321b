// Shared by the end-to-end tests of headless runs: what a run leaves behind and its JSON lines.
#pragma once

#include <algorithm>
#include <cstdlib>
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

inline const char* const kHeadlessOutputs = "--headless --dump-state dump.json --transcript transcript.txt ";

inline Outputs ReadOutputs(const std::filesystem::path& dir) {
  return {testing_support::ReadText(dir / "dump.json"), testing_support::ReadText(dir / "trace.jsonl"),
          testing_support::ReadText(dir / "transcript.txt")};
}

// Runs the Linux program headless in the folder with the dump, trace and transcript files named
// dump.json, trace.jsonl and transcript.txt (those of an earlier run are removed first). A run
// ended by an error box exits with 1.
inline Outputs RunLinuxHeadless(const testing_support::TempDir& dir, const std::string& args, int exitCode) {
  for (const char* file : {"dump.json", "trace.jsonl", "transcript.txt"}) std::filesystem::remove(dir / file);
  auto result = testing_support::RunTessaloom(dir.path(), kHeadlessOutputs + args);
  EXPECT_EQ(result.exitCode, exitCode) << result.err;
  return ReadOutputs(dir.path());
}

// Where two outputs part: their sizes and a stretch of each from the first byte that differs.
// A dump is hundreds of kilobytes; printing both whole would bury the difference.
inline std::string WhereTheyDiffer(const std::string& onLinux, const std::string& onWindows) {
  const auto first = std::mismatch(onLinux.begin(), onLinux.end(), onWindows.begin(), onWindows.end());
  const std::size_t at = static_cast<std::size_t>(first.first - onLinux.begin());
  const std::size_t from = at < 80 ? 0 : at - 80;
  std::ostringstream text;
  text << onLinux.size() << " bytes on Linux, " << onWindows.size() << " on Windows; from byte " << from
       << "\nLinux:   " << onLinux.substr(std::min(from, onLinux.size()), 240)
       << "\nWindows: " << onWindows.substr(std::min(from, onWindows.size()), 240);
  return text.str();
}

// When the Windows build is given (see RunWindowsTessaloom), runs it on the same arguments in a
// copy of the folder (so that what it writes, screenshots with GDI text included, leaves the
// test's own files alone): the world it ends in must be the same, byte for byte, as the Linux
// build's.
inline void ExpectSameOnWindows(const testing_support::TempDir& dir, const std::string& args, int exitCode,
                                const Outputs& onLinux) {
  if (std::getenv("TL_WINDOWS_EXECUTABLE") == nullptr) return;
  const std::filesystem::path copy = dir.path().string() + "-windows";
  std::filesystem::remove_all(copy);
  std::filesystem::copy(dir.path(), copy,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
  for (const char* file : {"dump.json", "trace.jsonl", "transcript.txt"}) std::filesystem::remove(copy / file);
  const auto result = testing_support::RunWindowsTessaloom(copy, kHeadlessOutputs + args);
  if (!result) return;
  const Outputs windows = ReadOutputs(copy);
  // What the Windows program printed, and where its transcript stops, tell a crash from a box.
  const std::size_t tail = std::min<std::size_t>(windows.transcript.size(), 2000);
  EXPECT_EQ(result->exitCode, exitCode) << "Windows build: " << result->out << result->err
                                        << "\nthe end of its transcript:\n"
                                        << windows.transcript.substr(windows.transcript.size() - tail);
  std::filesystem::remove_all(copy);
  EXPECT_TRUE(onLinux.dump == windows.dump)
      << "the Windows build's dump differs: " << WhereTheyDiffer(onLinux.dump, windows.dump);
  EXPECT_TRUE(onLinux.trace == windows.trace)
      << "the Windows build's trace differs: " << WhereTheyDiffer(onLinux.trace, windows.trace);
  EXPECT_TRUE(onLinux.transcript == windows.transcript)
      << "the Windows build's transcript differs: " << WhereTheyDiffer(onLinux.transcript, windows.transcript);
}

// A headless run (see RunLinuxHeadless), checked against the Windows build when it is given.
inline Outputs RunHeadless(const testing_support::TempDir& dir, const std::string& args, int exitCode = 0) {
  Outputs onLinux = RunLinuxHeadless(dir, args, exitCode);
  ExpectSameOnWindows(dir, args, exitCode, onLinux);
  return onLinux;
}

inline std::vector<nlohmann::json> Lines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

// Runs the same headless run twice; both must leave the same dump, trace and transcript, byte
// for byte, and so must the Windows build when it is given. Returns the first run's.
inline Outputs RunTwice(const testing_support::TempDir& dir, const std::string& args, int exitCode = 0) {
  Outputs first = RunHeadless(dir, args, exitCode);
  const Outputs second = RunLinuxHeadless(dir, args, exitCode);
  EXPECT_EQ(first.dump, second.dump);
  EXPECT_EQ(first.trace, second.trace);
  EXPECT_EQ(first.transcript, second.transcript);
  return first;
}

}  // namespace e2e
