#include "config/fatal_error.h"

#include "platform/platform.h"

namespace config {
namespace {

// Hands the problem to the checker; false when none listens.
bool Tell(const ProblemListeners& listeners, ProblemKind kind, const std::string& caption, const std::string& text) {
  if (!listeners.problem) return false;
  if (!text.empty()) listeners.problem(kind, caption, text);
  return true;
}

}  // namespace

void FatalError(const ProblemListeners& listeners, const std::string& caption, const std::string& text) {
  if (Tell(listeners, ProblemKind::Error, caption, text)) return;
  auto& os = platform::Get();
  if (!text.empty()) os.ShowBox(platform::BoxKind::Error, os.HasMainWindow(), caption, text);
  os.PostQuit(kFatalExitCode);
}

bool CheckingProject(const ProblemListeners& listeners) { return static_cast<bool>(listeners.problem); }

void CheckerWarning(const ProblemListeners& listeners, const std::string& caption, const std::string& text) {
  Tell(listeners, ProblemKind::Warning, caption, text);
}

void CheckerError(const ProblemListeners& listeners, const std::string& caption, const std::string& text) {
  Tell(listeners, ProblemKind::Error, caption, text);
}

void CheckerSectionStopped(const ProblemListeners& listeners, const std::string& iniPath, const std::string& section) {
  if (listeners.stoppedSection) listeners.stoppedSection(iniPath, section);
}

}  // namespace config
