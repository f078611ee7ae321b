// `--check-scripts PROJECT`: reads every file of a project's Scripts folder as the game would and
// lists the lines the game would drop, so game makers find their mistakes without playing.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

// A line the game would drop, or (line 0) a file that cannot be read.
struct RejectedScriptLine {
  std::string file;  // as the host names it
  int line = 0;
  std::string reason;  // UTF-8
};
// Every such line of the scripts in the folder, file by file in name order; `files` counts them.
std::vector<RejectedScriptLine> RejectedScriptLines(const std::string& scriptsFolder, std::size_t& files);
// The kept lines of those scripts that work but hold the game up (a WHILE that can go round
// without reaching a SLEEP), file by file in name order, with what is wrong in `reason`.
std::vector<RejectedScriptLine> ScriptWarnings(const std::string& scriptsFolder);

// Prints "<file>:<line>: <reason>" for each line the game would drop, then
// "<file>:<line>: warning: <reason>" for each warning, and a summary line to out; returns 1 when
// a line was dropped (or a file could not be read), otherwise 0: warnings alone do not fail. A
// missing project or Scripts folder is one line on err and returns 2.
int RunCheckScripts(const std::string& projectName, std::ostream& out, std::ostream& err);
