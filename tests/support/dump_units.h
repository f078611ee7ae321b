// Finding units in a state dump by name, for end-to-end tests.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace testing_support {

// The entry of the unit with that identifier name; null when the dump has none.
inline nlohmann::json UnitNamed(const nlohmann::json& units, const std::string& idName) {
  for (const auto& unit : units) {
    if (unit["id_name"] == idName) return unit;
  }
  return nullptr;
}

}  // namespace testing_support
