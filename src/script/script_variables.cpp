#include "script/script_variables.h"

namespace script {

const Variable* VariableTable::Find(std::string_view name) const {
  for (const Variable& variable : variables_) {
    if (variable.name == name) return &variable;
  }
  return nullptr;
}

Variable* VariableTable::FindOrCreate(std::string_view name, VariableKind kind, bool& created) {
  created = false;
  name = name.substr(0, kMaxVariableNameLength);
  for (Variable& variable : variables_) {
    if (variable.name == name) return &variable;
  }
  if (variables_.size() >= kMaxVariables) return nullptr;
  created = true;
  Variable& variable = variables_.emplace_back();
  variable.name = std::string(name);
  variable.kind = kind;
  return &variable;
}

bool VariableTable::SetNumber(std::string_view name, NumberChange change, int32_t number) {
  bool created = false;
  Variable* variable = FindOrCreate(name, VariableKind::Integer, created);
  if (variable == nullptr || variable->kind != VariableKind::Integer) return false;
  // Wrapping arithmetic: a script that counts past the int32 range must not be undefined.
  const auto current = static_cast<uint32_t>(variable->value);
  const auto operand = static_cast<uint32_t>(number);
  if (created || change == NumberChange::Assign) {
    variable->value = number;
  } else if (change == NumberChange::Add) {
    variable->value = static_cast<int32_t>(current + operand);
  } else {
    variable->value = static_cast<int32_t>(current - operand);
  }
  return true;
}

bool VariableTable::SetBoolean(std::string_view name, bool value) {
  bool created = false;
  Variable* variable = FindOrCreate(name, VariableKind::Boolean, created);
  if (variable == nullptr || variable->kind != VariableKind::Boolean) return false;
  variable->value = value ? 1 : 0;
  return true;
}

bool VariableTable::SetText(std::string_view name, std::string_view text) {
  bool created = false;
  Variable* variable = FindOrCreate(name, VariableKind::Text, created);
  if (variable == nullptr || variable->kind != VariableKind::Text) return false;
  variable->text = std::string(text.substr(0, kMaxVariableTextLength));
  return true;
}

}  // namespace script
