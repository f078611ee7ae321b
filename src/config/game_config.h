// The settings and definition tables of one game: what the launcher file, config.ini and the
// definition files say, and who hears the problems found reading them. Filled by the loaders at
// start-up, read by everything after; each world has its own.
#pragma once

#include "config/fatal_error.h"
#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"

namespace config {

struct GameConfig {
  LauncherSettings launcher;
  GameSettings settings;
  GameTables tables;
  ProblemListeners listeners;

  Language language() const { return launcher.language; }
};

}  // namespace config
