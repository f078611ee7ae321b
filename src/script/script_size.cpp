#include "script/script_size.h"

#include "config/language.h"
#include "platform/platform.h"

namespace script {

std::string TooLargeReason() {
  return config::Format("too large: a script may hold at most %d lines and %zu bytes", kMaxScriptLines,
                        kMaxScriptBytes);
}

void ShowScriptTooLarge(config::Language language, const std::string& shownPath) {
  auto& os = platform::Get();
  os.ShowBox(
      platform::BoxKind::Error, os.HasMainWindow(), config::Tr(language, "Script too large", "Script demasiado grande"),
      config::Format(
          config::Tr(language, "Script file '%s' is too large: a script may hold at most %d lines and %zu bytes.",
                     "El fichero de script '%s' es demasiado grande: un script puede tener como "
                     "máximo %d líneas y %zu bytes.")
              .c_str(),
          shownPath.c_str(), kMaxScriptLines, kMaxScriptBytes));
}

}  // namespace script
