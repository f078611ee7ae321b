// The object definitions as the units' rules read them: only the defined objects 1..64 exist,
// any other number (from a script, a damaged file, a hovered icon gone stale) has no name and
// can be neither held nor given.
#pragma once

#include <string>

#include "config/game_tables.h"

namespace units {

inline const config::ObjectDefinition* DefinedObject(const config::GameTables& tables, int object) {
  if (object < 1 || object > config::kMaxObjects) return nullptr;
  const config::ObjectDefinition& definition = tables.objects[static_cast<std::size_t>(object)];
  return definition.defined ? &definition : nullptr;
}

// The object's name; empty for a number that names no defined object.
inline std::string ObjectName(const config::GameTables& tables, int object) {
  const config::ObjectDefinition* definition = DefinedObject(tables, object);
  return definition != nullptr ? definition->name : std::string();
}

}  // namespace units
