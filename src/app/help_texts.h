// The texts of the Help menu's boxes, in the current language (Windows-1252).
#pragma once

#include <string>

namespace app {

std::string GameControlsCaption();
std::string GameControlsText();
std::string AboutCaption();
std::string AboutText();

// The page that Help > "Go to Tessaloom 2D Website" opens.
inline constexpr const char* kWebsiteUrl = "https://tessaloom.org/docs/";

}  // namespace app
