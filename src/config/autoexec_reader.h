// Reads Projects\autoexec.ini: the language, and (second call) drawing threads, project name,
// project folders and window size.
#pragma once

#include <string>

#include "config/game_config.h"

namespace config {

// The path of the launcher file, relative to the current directory.
inline constexpr const char* kAutoexecPath = "Projects\\autoexec.ini";

// A non-empty command line names the project (cut to 31 characters, taken literally).
// Returns false when an error was reported.
bool ReadAutoexec(GameConfig& config, const std::string& commandLine, bool languageOnly);

// Builds the eleven project folders for a project name.
void BuildProjectFolders(LauncherSettings& launcher, const std::string& projectName);

// Applies an app_window_size value: falls back to 1280 x 832 below 640 x 480, otherwise clamps
// to the screen, rounds down to whole 64-pixel tiles and centres the window.
void ApplyWindowSize(LauncherSettings& launcher, const std::string& value);

}  // namespace config
