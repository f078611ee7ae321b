// The variables shared by every script: created by their first SET, kinds fixed from then on,
// kept across runs and across scripts for the whole game. Guarded by the world lock: every
// caller holds it (script lines take it; the state dump takes it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace script {

inline constexpr std::size_t kMaxVariables = 256;
inline constexpr std::size_t kMaxVariableNameLength = 255;
inline constexpr std::size_t kMaxVariableTextLength = 1023;

enum class VariableKind { Integer, Boolean, Text };

struct Variable {
  std::string name;  // case-sensitive
  VariableKind kind = VariableKind::Integer;
  int32_t value = 0;  // integers; booleans as 0 or 1
  std::string text;   // text variables
};

// How a numeric SET changes an integer variable.
enum class NumberChange { Assign, Add, Subtract };

class VariableTable {
 public:
  // Null when no variable has that exact name.
  const Variable* Find(std::string_view name) const;

  // The three updates of SET. A new variable takes the update's kind (a new one set with +5 or
  // -5 holds 5); an existing one of another kind keeps its value; with the table full a new
  // name is refused. Each returns whether the variable now holds the update.
  bool SetNumber(std::string_view name, NumberChange change, int32_t number);
  bool SetBoolean(std::string_view name, bool value);
  bool SetText(std::string_view name, std::string_view text);

  // In creation order.
  const std::vector<Variable>& All() const { return variables_; }
  void Clear() { variables_.clear(); }
  // The whole table at once, as a saved game had it.
  void Replace(std::vector<Variable> variables) { variables_ = std::move(variables); }

 private:
  Variable* FindOrCreate(std::string_view name, VariableKind kind, bool& created);

  std::vector<Variable> variables_;
};

}  // namespace script
