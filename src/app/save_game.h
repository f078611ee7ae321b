// Saving and loading the running game: the quick-save slot, the keys and menu items that use
// it, and a start from a save. A save holds everything the next passes depend on; loading one
// replaces the running world in place, or refuses with a box and leaves it untouched.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "app/save_file.h"

namespace app {

struct World;

// The quick-save slot's file.
inline constexpr const char* kQuickSaveFile = "quicksave.tsav";

// The folder of saves: the world's saveFolder, else <data folder>/tessaloom/<project>.
std::string SaveFolder(const World& world);
std::string QuickSavePath(const World& world);
// Which game this is: the project's name and the fingerprint of its files.
SaveIdentity IdentityOf(World& world);

// The whole world as a save body (clock, engine, scripts). The caller holds the world lock.
nlohmann::json SaveBody(World& world);

// Save game (key and menu): writes the slot, then tells the player on the HUD; a box when the
// file cannot be written.
void SaveGameToSlot(World& world);
// Load game (key and menu): a HUD message when there is no save; a box with the reason when the
// save is refused, the running game going on untouched.
void LoadGameFromSlot(World& world);
// Loads the file into a world that has just loaded its project (no script runs yet) and resumes
// the clock where the save was made; false, after a box with the reason, when it was refused.
bool StartFromSave(World& world, const std::string& path);

}  // namespace app
