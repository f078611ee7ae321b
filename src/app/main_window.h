// The game window: its creation with the menus, and the window procedure that forwards input to
// the engine and answers the menus with the quit, help and about boxes.
#pragma once

#include <cstdint>
#include <string>

#include "config/launcher_settings.h"

namespace app {

struct World;

inline constexpr const char* kWindowTitle = "Tessaloom 2D v1.1d";

enum MenuId : int {
  kMenuQuit = 500,
  kMenuSaveGame = 501,
  kMenuLoadGame = 502,
  kMenuAboutGame = 520,
  kMenuGameControls = 521,
  kMenuAboutEngine = 522,
  kMenuWebsite = 533,
};

bool CreateMainWindow(config::Language language, const std::string& title, int width, int height);

// Returns 0 for every message it handles.
int64_t WindowProcedure(World& world, uint32_t message, uint64_t wParam, int64_t lParam);

// Pauses the world, asks "Quit game ?", posts the quit unless the answer is No, unpauses.
void QuitConfirmation(World& world);

}  // namespace app
