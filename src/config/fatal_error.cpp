#include "config/fatal_error.h"

#include <mutex>

#include "platform/platform.h"

namespace config {
namespace {

std::mutex gListenerMutex;
ProblemListener gListener;                // guarded by gListenerMutex
StoppedSectionListener gStoppedListener;  // guarded by gListenerMutex

// Hands the problem to the checker; false when none listens.
bool Tell(ProblemKind kind, const std::string& caption, const std::string& text) {
  std::lock_guard<std::mutex> lock(gListenerMutex);
  if (!gListener) return false;
  if (!text.empty()) gListener(kind, caption, text);
  return true;
}

}  // namespace

void FatalError(const std::string& caption, const std::string& text) {
  if (Tell(ProblemKind::Error, caption, text)) return;
  auto& os = platform::Get();
  if (!text.empty()) os.ShowBox(platform::BoxKind::Error, os.HasMainWindow(), caption, text);
  os.PostQuit(kFatalExitCode);
}

void ListenToProblems(ProblemListener listener) {
  std::lock_guard<std::mutex> lock(gListenerMutex);
  gListener = std::move(listener);
}

bool CheckingProject() {
  std::lock_guard<std::mutex> lock(gListenerMutex);
  return static_cast<bool>(gListener);
}

void CheckerWarning(const std::string& caption, const std::string& text) { Tell(ProblemKind::Warning, caption, text); }

void CheckerError(const std::string& caption, const std::string& text) { Tell(ProblemKind::Error, caption, text); }

void ListenToStoppedSections(StoppedSectionListener listener) {
  std::lock_guard<std::mutex> lock(gListenerMutex);
  gStoppedListener = std::move(listener);
}

void CheckerSectionStopped(const std::string& iniPath, const std::string& section) {
  std::lock_guard<std::mutex> lock(gListenerMutex);
  if (gStoppedListener) gStoppedListener(iniPath, section);
}

}  // namespace config
