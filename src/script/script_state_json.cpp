#include "script/script_state_json.h"

#include "platform/text_encoding.h"
#include "script/script_manager.h"
#include "script/script_variables.h"

nlohmann::json ScriptStateJson(const COrvantaScriptManager* manager) {
  nlohmann::json variables = nlohmann::json::object();
  nlohmann::json scripts = nlohmann::json::array();
  if (manager == nullptr) return {{"variables", variables}, {"scripts", scripts}};
  for (const script::Variable& variable : manager->World().variables.All()) {
    const std::string name = platform::Utf8FromCp1252(variable.name);
    switch (variable.kind) {
      case script::VariableKind::Integer: variables[name] = variable.value; break;
      case script::VariableKind::Boolean: variables[name] = variable.value != 0; break;
      case script::VariableKind::Text: variables[name] = platform::Utf8FromCp1252(variable.text); break;
    }
  }
  for (std::size_t slot = 0; slot < COrvantaScriptManager::kMaxScripts; ++slot) {
    const COrvantaScript* entry = manager->At(slot);
    if (entry == nullptr) continue;
    scripts.push_back({{"name", platform::Utf8FromCp1252(entry->Name())},
                       {"running", entry->IsRunning()},
                       {"line", entry->CurrentLine()}});
  }
  return {{"variables", variables}, {"scripts", scripts}};
}
