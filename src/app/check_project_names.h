// Names the game looks up while it plays and quietly does without when the project lacks them:
// the system graphics and sounds it loads by fixed names, and the units, unit properties and
// sound files a script names. A project checker warns of each.
#pragma once

#include <string>
#include <vector>

#include "engine/orvanta_engine.h"

namespace app {

// A warning: the file (or folder) as the maker sees it, and what the game does without it.
struct NameWarning {
  std::string caption;
  std::string text;  // Windows-1252, like the loaders' messages
};

// The system graphics and sounds of fixed names that the project lacks (a missing Sounds folder
// is one warning instead of one per sound).
std::vector<NameWarning> MissingFixedFiles(const COrvantaEngine& engine) TL_REQUIRES(engine.Lock());

// Each script line of the project's Scripts folder that names, as written, a unit no unit of
// the loaded project is named, a unit property the language lacks, or a sound file Sounds/
// lacks. Call it with the project loaded; `alsoUnits` are the names (as scripts write them) of
// units whose sections failed to load, which an error has already reported.
std::vector<NameWarning> UnknownScriptNames(const COrvantaEngine& engine, const std::vector<std::string>& alsoUnits)
    TL_REQUIRES(engine.Lock());

}  // namespace app
