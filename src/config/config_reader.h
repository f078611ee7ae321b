// Reads the project's config.ini: the game's name and description, fonts, background music,
// initial script, Tiled map file and the map view settings.
#pragma once

#include <functional>
#include <string>

#include "config/game_config.h"

namespace config {

// Starts the background tune of the given path on a thread of its own. The audio subsystem is
// built on top of config, so start-up hands the starter in (the world's music) instead of config
// calling upward. Without a starter the path is still stored but nothing plays.
using MusicStarter = std::function<void(const std::string& musicPath)>;

// Fills the settings from <Data folder>\config.ini, renames the window after the game, registers
// the project's font files and starts the background music with the starter. Every problem is
// reported in its own error box (reading goes on, so one pass may show several); true when none
// was found.
bool ReadConfig(GameConfig& config, MusicStarter startMusic = nullptr);

}  // namespace config
