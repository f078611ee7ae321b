// Where loaded scripts go until the game starts them by name. The loaders call RegisterScript
// only; when the engine has a script manager installed the script goes there, otherwise it is
// kept here (at most kMaxKeptScripts, in registration order) so nothing a project loads is lost.
#pragma once

#include <memory>
#include <string>
#include <vector>

class COrvantaScript;

namespace script {

inline constexpr std::size_t kMaxKeptScripts = 256;

// Takes the script. False when it was null or the table here is full (the script is dropped).
bool RegisterScript(std::unique_ptr<COrvantaScript> script);

// The names of the scripts kept here, in registration order.
std::vector<std::string> KeptScriptNames();

// Releases every script kept here (shutdown, tests).
void ClearKeptScripts();

}  // namespace script
