#include "config/launcher_settings.h"

namespace config {
namespace {
LauncherSettings gLauncher;
}

LauncherSettings& Launcher() { return gLauncher; }
void ResetLauncher() { gLauncher = LauncherSettings{}; }
bool IsEnglish() { return gLauncher.language == Language::English; }

}  // namespace config
