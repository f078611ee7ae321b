// File names that project files give, joined onto a project folder. A name may step up with
// ".." but the result must stay inside the project's own folder tree; a name that leaves it
// (or an absolute one) is refused, so a project can never make the engine read outside itself.
#pragma once

#include <optional>
#include <string>

#include "config/launcher_settings.h"

namespace config {

// Folder + "\\" + name, with "." and ".." resolved, when the result still lies inside
// Projects\<project name>; nothing otherwise. Both separators count in the name.
std::optional<std::string> FileInProjectFolder(const LauncherSettings& launcher, int folder, const std::string& name);

// Folder + "\\" + name exactly as the loaders show it in their messages.
std::string JoinedPath(const LauncherSettings& launcher, int folder, const std::string& name);

}  // namespace config
