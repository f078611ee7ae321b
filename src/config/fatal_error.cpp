#include "config/fatal_error.h"

#include "platform/platform.h"

namespace config {

void FatalError(const std::string& caption, const std::string& text) {
  auto& os = platform::Get();
  if (!text.empty()) os.ShowBox(platform::BoxKind::Error, os.HasMainWindow(), caption, text);
  os.PostQuit(0);
}

}  // namespace config
