// The bounds on a script file: a larger file is refused whole, by the game (with a box) and by
// --check-scripts, so that one script's memory and load time stay bounded.
#pragma once

#include <cstddef>
#include <string>

#include "config/launcher_settings.h"

namespace script {

inline constexpr std::size_t kMaxScriptBytes = 4 * 1024 * 1024;
inline constexpr int kMaxScriptLines = 200000;

// Why a script is refused as too large, in English for --check-scripts: "too large: ...".
std::string TooLargeReason();
// The error box saying that the file (its project path, as shown to the game maker) is too large.
void ShowScriptTooLarge(config::Language language, const std::string& shownPath);

}  // namespace script
