// The scripts' part of a saved game: variables, what scripts keep about units, and the runs.
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "config/saved_values.h"
#include "engine/orvanta_engine.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "script/script_manager.h"
#include "script/script_size.h"

namespace {

const char* KindName(script::VariableKind kind) {
  switch (kind) {
    case script::VariableKind::Integer: return "integer";
    case script::VariableKind::Boolean: return "boolean";
    case script::VariableKind::Text: return "text";
  }
  return "integer";
}

script::VariableKind KindNamed(const std::string& name) {
  if (name == "integer") return script::VariableKind::Integer;
  if (name == "boolean") return script::VariableKind::Boolean;
  if (name == "text") return script::VariableKind::Text;
  throw config::SaveError("a variable has an unknown kind");
}

struct HeldRun {
  std::size_t slot = 0;
  COrvantaScript::SavedRun run;
};

}  // namespace

void COrvantaScriptManager::SuspendAll() {
  const bool backend = platform::IsInstalled();
  for (bool anyRunning = true; anyRunning;) {
    for (auto& slot : slots_) {
      if (slot) slot->RequestStop();
    }
    if (backend) platform::Get().WakeScripts(true);
    for (auto& slot : slots_) {
      if (slot) slot->Suspend();
    }
    if (backend) platform::Get().WakeScripts(false);
    anyRunning = false;
    for (auto& slot : slots_) anyRunning = anyRunning || (slot && slot->IsRunning());
  }
}

void COrvantaScriptManager::SaveState(nlohmann::json& out) const {
  out = nlohmann::json::object();
  nlohmann::json variables = nlohmann::json::array();
  for (const script::Variable& variable : world_.variables.All()) {
    variables.push_back({{"name", platform::Utf8FromCp1252(variable.name)},
                         {"kind", KindName(variable.kind)},
                         {"value", variable.value},
                         {"text", platform::Utf8FromCp1252(variable.text)}});
  }
  out["variables"] = variables;
  nlohmann::json fields = nlohmann::json::array();
  for (int i = 0; i < world_.engine.UnitCount(); ++i) {
    const script::UnitScriptFields kept = world_.unitFields.Peek(world_.engine.UnitAt(i));
    if (kept.messageTime == 0 && !kept.eventCollision) continue;
    fields.push_back({{"unit", i}, {"message_time", kept.messageTime}, {"event_collision", kept.eventCollision}});
  }
  out["unit_fields"] = fields;
  nlohmann::json runs = nlohmann::json::array();
  for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
    const COrvantaScript* script = slots_[slot].get();
    if (script == nullptr || !script->HasRun()) continue;
    const COrvantaScript::SavedRun run = script->RunToSave();
    runs.push_back({{"script", platform::Utf8FromCp1252(script->Name())},
                    {"slot", slot},
                    {"next", run.position.next},
                    {"resume", run.position.resume},
                    {"since_wait", run.position.sinceWait},
                    {"waiting", run.position.waiting},
                    {"wake_tick", run.position.wakeTick},
                    {"owner", world_.engine.SlotOf(run.owner)},
                    {"current_line", run.currentLine}});
  }
  out["runs"] = runs;
}

void COrvantaScriptManager::LoadState(const nlohmann::json& in) {
  std::vector<script::Variable> variables;
  for (const auto& entry : config::SavedArray(in, "variables", script::kMaxVariables)) {
    config::SaveReader reader(entry);
    script::Variable variable;
    reader.Text("name", variable.name, script::kMaxVariableNameLength);
    variable.kind = KindNamed(config::SavedText(entry, "kind", 16));
    variable.value = static_cast<int32_t>(config::SavedNumber(entry, "value", INT32_MIN, INT32_MAX));
    reader.Text("text", variable.text, script::kMaxVariableTextLength);
    // As SET makes them: a name, once; a boolean holds 0 or 1.
    if (variable.name.empty()) throw config::SaveError("a variable has no name");
    if (variable.kind == script::VariableKind::Boolean && variable.value != 0 && variable.value != 1) {
      throw config::SaveError("a true or false variable holds another value");
    }
    for (const script::Variable& other : variables) {
      if (other.name == variable.name) throw config::SaveError("a variable is there twice");
    }
    variables.push_back(std::move(variable));
  }
  std::vector<std::pair<const CGameUnit*, script::UnitScriptFields>> fields;
  for (const auto& entry : config::SavedArray(in, "unit_fields", COrvantaEngine::kMaxUnits)) {
    const CGameUnit* unit =
        world_.engine.UnitOfSavedSlot(config::SavedInt(entry, "unit", 0, COrvantaEngine::kMaxUnits));
    script::UnitScriptFields kept;
    kept.messageTime = config::SavedInt(entry, "message_time");
    kept.eventCollision = config::SavedBool(entry, "event_collision");
    fields.emplace_back(unit, kept);
  }
  std::vector<HeldRun> held;
  for (const auto& entry : config::SavedArray(in, "runs", kMaxScripts)) {
    HeldRun run;
    run.slot = static_cast<std::size_t>(config::SavedNumber(entry, "slot", 0, kMaxScripts - 1));
    const COrvantaScript* script = slots_[run.slot].get();
    std::string name;
    config::SaveReader(entry).Text("script", name, 255);
    if (script == nullptr || script->Name() != name) throw config::SaveError("a running script is not in the game");
    for (const HeldRun& other : held) {
      if (other.slot == run.slot) throw config::SaveError("a script runs twice");
    }
    const int64_t lineCount = static_cast<int64_t>(script->LineCount());
    run.run.position.next = static_cast<std::size_t>(config::SavedNumber(entry, "next", 0, lineCount));
    const auto& resume = config::SavedArray(entry, "resume", script::kMaxResumePositions);
    for (std::size_t i = 0; i < resume.size(); ++i) {
      run.run.position.resume.push_back(static_cast<std::size_t>(config::SavedNumberAt(resume, i, 0, lineCount)));
    }
    run.run.position.sinceWait = config::SavedInt(entry, "since_wait", 0, script::kLinesPerSlice);
    run.run.position.waiting = config::SavedBool(entry, "waiting");
    run.run.position.wakeTick = config::SavedTick(entry, "wake_tick");
    run.run.owner = world_.engine.UnitOfSavedSlot(config::SavedInt(entry, "owner", -1, COrvantaEngine::kMaxUnits));
    run.run.currentLine = config::SavedInt(entry, "current_line", 0);
    held.push_back(std::move(run));
  }
  // Everything is read: from here on nothing can fail.
  world_.variables.Replace(std::move(variables));
  world_.unitFields.Clear();
  for (const auto& [unit, kept] : fields) world_.unitFields.Set(unit, kept);
  for (auto& slot : slots_) {
    if (slot) slot->Forget();
  }
  for (const HeldRun& run : held) slots_[run.slot]->Hold(run.run);
}

void COrvantaScriptManager::ResumeHeldRuns() {
  for (auto& slot : slots_) {
    if (slot) slot->ResumeHeld(world_);
  }
}
