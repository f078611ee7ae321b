// How every loader reports a problem that ends the run, and how a project checker listens
// instead.
#pragma once

#include <functional>
#include <string>

namespace config {

// The process's exit code after a problem that ended the run; a normal quit gives 0.
inline constexpr int kFatalExitCode = 1;

// What a checker hears: a problem that would stop the game (error), or something the game
// accepts silently that a game maker would want to know (warning, posted with CheckerWarning).
enum class ProblemKind { Error, Warning };
using ProblemListener = std::function<void(ProblemKind kind, const std::string& caption, const std::string& text)>;
// A loader gave up on a section of an INI file (the path as the loaders name it), so the keys
// after the one that failed were never read and say nothing.
using StoppedSectionListener = std::function<void(const std::string& iniPath, const std::string& section)>;

// Who hears one game's loading problems. Both empty in a game: problems go to boxes. A project
// checker sets them for the loading it watches and empties them after.
struct ProblemListeners {
  ProblemListener problem;
  StoppedSectionListener stoppedSection;
};

// Shows a modal error box (owned by the main window once it exists) unless the text is empty,
// then posts the quit request with kFatalExitCode. The caller goes on to return its own failure.
// While a checker listens, the problem goes to it instead: no box, no quit.
void FatalError(const ProblemListeners& listeners, const std::string& caption, const std::string& text);

// True while a checker listens: the loaders go on past a failing section to find the next.
bool CheckingProject(const ProblemListeners& listeners);
// Heard only by a checker; nothing happens in a game.
void CheckerWarning(const ProblemListeners& listeners, const std::string& caption, const std::string& text);
// Heard only by a checker, as an error: what the game takes without a word but cannot work with.
void CheckerError(const ProblemListeners& listeners, const std::string& caption, const std::string& text);
// Heard only by a checker.
void CheckerSectionStopped(const ProblemListeners& listeners, const std::string& iniPath, const std::string& section);

}  // namespace config
