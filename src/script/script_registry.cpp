#include "script/script_registry.h"

#include <mutex>

#include "engine/orvanta_engine.h"
#include "script/orvanta_script.h"

namespace script {
namespace {

struct KeptScripts {
  std::mutex mutex;
  std::vector<std::unique_ptr<COrvantaScript>> scripts;
};

KeptScripts& Kept() {
  static KeptScripts kept;
  return kept;
}

}  // namespace

bool RegisterScript(std::unique_ptr<COrvantaScript> script) {
  if (!script) return false;
  if (COrvantaEngine::Exists() && COrvantaEngine::RegisterScript(script)) return true;
  KeptScripts& kept = Kept();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (kept.scripts.size() >= kMaxKeptScripts) return false;
  kept.scripts.push_back(std::move(script));
  return true;
}

std::vector<std::string> KeptScriptNames() {
  KeptScripts& kept = Kept();
  std::lock_guard<std::mutex> lock(kept.mutex);
  std::vector<std::string> names;
  for (const auto& script : kept.scripts) names.push_back(script->Name());
  return names;
}

void ClearKeptScripts() {
  KeptScripts& kept = Kept();
  std::lock_guard<std::mutex> lock(kept.mutex);
  kept.scripts.clear();
}

}  // namespace script
