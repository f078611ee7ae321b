#include "script/script_tests.h"

#include <optional>
#include <string>

#include "engine/orvanta_engine.h"
#include "script/script_unit_properties.h"
#include "script/script_values.h"
#include "script/script_variables.h"

namespace script {
namespace {

TestResult FromBool(bool value) { return value ? TestResult::True : TestResult::False; }

// The flag of a dotted right operand: that unit's flag when it has the same property as the
// left side, false otherwise; nothing when the unit is missing.
std::optional<bool> DottedFlag(const ScriptContext& world, const ScriptLine& line, UnitProperty leftProperty)
    TL_REQUIRES(world.engine.Lock()) {
  const CGameUnit* unit = world.engine.FindUnitByName(std::string(line.rightUnitName()).c_str());
  if (unit == nullptr) return std::nullopt;
  if (line.rightProperty != leftProperty) return false;
  return ReadUnitFlag(*unit, line.rightProperty, world.unitFields);
}

TestResult UnitTest(const ScriptContext& world, const ScriptLine& line) TL_REQUIRES(world.engine.Lock()) {
  const CGameUnit* unit = world.engine.FindUnitByName(std::string(line.leftUnitName()).c_str());
  if (unit == nullptr || line.op != CompareOperator::Equal) return TestResult::NoBranch;
  const std::optional<bool> left = ReadUnitFlag(*unit, line.leftProperty, world.unitFields);
  if (!left) return TestResult::NoBranch;
  const std::optional<bool> right =
      line.rightDotted ? DottedFlag(world, line, line.leftProperty) : ReadBoolean(line.value());
  if (!right) return TestResult::NoBranch;
  return FromBool(*left == *right);
}

bool Compare(int32_t left, CompareOperator op, int32_t right) {
  switch (op) {
    case CompareOperator::Equal: return left == right;
    case CompareOperator::NotEqual: return left != right;
    case CompareOperator::Greater: return left > right;
    case CompareOperator::GreaterOrEqual: return left >= right;
    case CompareOperator::Less: return left < right;
    case CompareOperator::LessOrEqual: return left <= right;
    case CompareOperator::Unknown: break;
  }
  return false;
}

// The right side of an integer test: a number, or an integer variable of that name; TRUE,
// FALSE, dotted operands and other words give 0.
int32_t RightInteger(const ScriptContext& world, const ScriptLine& line) TL_REQUIRES(world.engine.Lock()) {
  if (line.rightDotted || ReadBoolean(line.value())) return 0;
  if (const Variable* named = world.variables.Find(line.value());
      named != nullptr && named->kind == VariableKind::Integer) {
    return named->value;
  }
  return ReadNumber(line.value());  // a word that is not a number reads 0
}

// The right side of a boolean test; nothing when it names neither a flag nor a true/false
// variable.
std::optional<bool> RightBoolean(const ScriptContext& world, const ScriptLine& line) TL_REQUIRES(world.engine.Lock()) {
  if (line.rightDotted) {
    const CGameUnit* unit = world.engine.FindUnitByName(std::string(line.rightUnitName()).c_str());
    return unit == nullptr ? std::nullopt : ReadUnitFlag(*unit, line.rightProperty, world.unitFields);
  }
  if (auto flag = ReadBoolean(line.value())) return flag;
  if (const Variable* named = world.variables.Find(line.value());
      named != nullptr && named->kind == VariableKind::Boolean) {
    return named->value != 0;
  }
  return std::nullopt;
}

}  // namespace

TestResult EvaluateTest(const ScriptContext& world, const ScriptLine& line) {
  if (line.leftDotted) return UnitTest(world, line);
  const Variable* variable = world.variables.Find(line.argument());
  if (variable == nullptr) return TestResult::NoBranch;
  switch (variable->kind) {
    case VariableKind::Integer: return FromBool(Compare(variable->value, line.op, RightInteger(world, line)));
    case VariableKind::Boolean: {
      // The operator is not examined: a boolean test is equality.
      const std::optional<bool> right = RightBoolean(world, line);
      return right ? FromBool((variable->value != 0) == *right) : TestResult::False;
    }
    case VariableKind::Text: break;
  }
  return TestResult::NoBranch;
}

}  // namespace script
