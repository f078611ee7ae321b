#include "config/game_settings.h"

namespace config {

GameSettings& Settings() {
  static GameSettings settings;
  return settings;
}

void ResetSettings() { Settings() = GameSettings{}; }

}  // namespace config
