// Shared by the end-to-end tests of headless runs: what a run leaves behind, its JSON lines and its saves.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
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

// The tests read dumps, trace lines and saves with .at(): a key or an index a diverging run lacks
// then fails the test with its name, where the const operator[] would read past the end and crash.
inline std::vector<nlohmann::json> Lines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

// The unit whose `key` is `name` in a list of units; none fails the test, an empty object standing in.
inline const nlohmann::json& Unit(const nlohmann::json& units, const std::string& name, const char* key = "id_name") {
  for (const nlohmann::json& unit : units) {
    if (unit.contains(key) && unit.at(key) == name) return unit;
  }
  ADD_FAILURE() << "no unit whose " << key << " is " << name;
  static const nlohmann::json none = nlohmann::json::object();
  return none;
}

// The file names of the sounds a transcript played, in order.
inline std::vector<std::string> Sounds(const std::string& transcript) {
  std::vector<std::string> sounds;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    // "<ms> sound Projects\Demo\Sounds\<file>"
    if (line.find(" sound ") != std::string::npos) sounds.push_back(line.substr(line.rfind('\\') + 1));
  }
  return sounds;
}

// A box dragged round the three players on the plaza of the demo (Elena is shut in the pen), in
// window pixels under the starting camera at (3456, 3680).
inline const std::string kBoxRoundThePlaza = "100 ldown 350 190\n120 move 500 300\n140 move 700 470\n160 lup 700 470\n";

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

// ---- Saved games: a run that saves with F5, resumed from its save ----------------------------

inline const char* const kSave = "saves/quicksave.tsav";
inline std::string ReadSaveText(const testing_support::TempDir& dir) { return testing_support::ReadText(dir / kSave); }

// The input with "<ms> key <key>" put in its place by time (after the events of that time).
inline std::string WithKey(const std::string& input, int ms, const std::string& key) {
  std::istringstream in(input);
  std::string out;
  bool placed = false;
  for (std::string line; std::getline(in, line);) {
    if (!placed && std::stoi(line) > ms) {
      out += std::to_string(ms) + " key " + key + "\n";
      placed = true;
    }
    out += line + "\n";
  }
  if (!placed) out += std::to_string(ms) + " key " + key + "\n";
  return out;
}

// The transcript lines, or the periodic dump lines, after the time.
inline std::string LinesAfter(const std::string& transcript, int ms) {
  std::istringstream in(transcript);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (std::stoll(line) > ms) out += line + "\n";
  }
  return out;
}
inline std::string TraceAfter(const std::string& trace, int ms) {
  std::string out;
  for (const nlohmann::json& line : Lines(trace)) {
    if (line.at("ms").get<int>() > ms) out += line.dump() + "\n";
  }
  return out;
}

// The body of a save file: the JSON after its two header lines.
inline nlohmann::json SaveBody(const std::string& file) {
  const std::size_t body = file.find('\n', file.find('\n') + 1) + 1;
  return nlohmann::json::parse(file.substr(body));
}

struct Resumed {
  Outputs run;            // the run that saved
  nlohmann::json engine;  // the world it saved
};

// Runs the scenario saving at `saveAt` (each run twice), then from that save: both must end alike.
// Returns the saving run, and the saved world so that each test can check the moment was the
// awkward one it wants.
inline Resumed ExpectResumedRunEndsAlike(const testing_support::TempDir& dir, const std::string& input, int saveAt,
                                         const std::string& args) {
  dir.Write("input.txt", WithKey(input, saveAt, "F5"));
  std::filesystem::remove_all(dir / "saves");
  const std::string common = "--input input.txt --save-dir saves --dump-every 100 trace.jsonl " + args;
  Outputs original = RunTwice(dir, common);
  const std::string save = ReadSaveText(dir);
  const Outputs resumed = RunTwice(dir, "--load " + std::string(kSave) + " " + common);
  // The key is taken at the first pass at or after its time; the save holds that pass's time.
  const int savedAt = SaveBody(save).at("clock").at("elapsed");
  EXPECT_GE(savedAt, saveAt);
  EXPECT_EQ(original.dump, resumed.dump) << "saved at " << savedAt;
  EXPECT_EQ(LinesAfter(original.transcript, savedAt), LinesAfter(resumed.transcript, savedAt)) << savedAt;
  EXPECT_EQ(TraceAfter(original.trace, savedAt), TraceAfter(resumed.trace, savedAt)) << savedAt;
  EXPECT_EQ(resumed.transcript.find(" box "), std::string::npos) << resumed.transcript;
  EXPECT_EQ(save, ReadSaveText(dir)) << "a resumed run does not save again";
  return {std::move(original), SaveBody(save).at("engine")};
}

// The unit of that name in a saved world.
inline const nlohmann::json& SavedUnit(const nlohmann::json& engine, const std::string& name) {
  return Unit(engine.at("units"), name, "name");
}

}  // namespace e2e
