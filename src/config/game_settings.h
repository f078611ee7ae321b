// The settings of the project's config.ini, and the start-up values derived from them.
#pragma once

#include <array>
#include <string>

#include "config/map_bounds.h"

namespace config {

struct GameSettings {
  std::string gameName;         // at most 127 characters
  std::string gameDescription;  // at most 4095 characters
  std::string musicPath;        // Sounds folder + "\" + file
  std::array<std::string, 3> fontNames{"Courier New", "Courier New", "Courier New"};
  std::string initialScriptPath;
  std::string mapFilePath;  // at most 63 characters
  int initialViewX = 1;
  int initialViewY = 1;
  std::array<int, 4> viewLimits{0, 0, kMapPixelLimit, kMapPixelLimit};  // left, top, right, bottom
  bool viewLimitsByPlayers = false;
  bool showMessageWhenPlayersDie = true;
  // Top-left of the inventory bar: (window width - 680, window height - 130).
  int inventoryBarX = 0;
  int inventoryBarY = 0;
};

}  // namespace config
