// The texts of the Help menu's boxes, in the current language (Windows-1252).
#pragma once

#include <string>

#include "config/launcher_settings.h"

namespace app {

std::string GameControlsCaption(config::Language language);
std::string GameControlsText(config::Language language);
std::string AboutCaption(config::Language language);
std::string AboutText(config::Language language);

// The page that Help > "Go to Tessaloom 2D Website" opens.
inline constexpr const char* kWebsiteUrl = "https://tessaloom.org/docs/";

}  // namespace app
