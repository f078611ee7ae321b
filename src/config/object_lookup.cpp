#include "config/object_lookup.h"

#include <string>

#include "config/game_tables.h"
#include "platform/letter_case.h"

namespace config {

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    switch (static_cast<unsigned char>(c)) {
      case ' ': c = '_'; break;
      case 0xE1: c = 'a'; break;
      case 0xE9: c = 'e'; break;
      case 0xED: c = 'i'; break;
      case 0xF3: c = 'o'; break;
      case 0xFA: c = 'u'; break;
      case 0xF1: c = 'n'; break;
      default: break;
    }
  }
  return folded;
}

int FindObjectByName(const GameTables& tables, std::string_view name, bool fold) {
  const auto& objects = tables.objects;
  for (int number = 1; number <= kMaxObjects; ++number) {
    const ObjectDefinition& object = objects[static_cast<std::size_t>(number)];
    if (!object.defined || object.numberOfUses == 0) continue;
    const std::string candidate = fold ? FoldedName(object.name) : object.name;
    if (platform::EqualsNoCase(candidate, name)) return number;
  }
  return 0;
}

}  // namespace config
