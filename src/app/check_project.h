// `--check [PROJECT]`: loads a project the way the game does, without a window, and lists every
// problem at once instead of stopping at the first box: what would stop the game (errors, with
// the box's own caption and text) and what the game accepts silently that a maker would want to
// know (warnings: skipped sections, unknown keys, names that match only when case is ignored,
// script lines the game drops, sheets that do not cut into whole frames, map objects and
// sections that do not meet, Tiled settings the game ignores).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace app {

struct ProjectProblem {
  bool error = false;
  std::string caption;  // UTF-8
  std::string text;     // UTF-8, lines joined by " / "
};

// Everything the check finds, errors before warnings, each in the order it was met.
std::vector<ProjectProblem> CheckProject(const std::string& commandLine);

// Prints the problems (nothing for a clean project), as lines or as one JSON object; returns 0
// when clean or with warnings only, 1 with an error.
int RunCheckProject(const std::string& commandLine, bool json, std::ostream& out);

}  // namespace app
