#include "app/definitions_state_json.h"

#include "config/game_tables.h"
#include "platform/text_encoding.h"

namespace app {

nlohmann::json DefinitionsJson(const config::GameTables& tables) {
  nlohmann::json objects = nlohmann::json::array();
  for (int number = 1; number <= config::kMaxObjects; ++number) {
    const config::ObjectDefinition& object = tables.objects[static_cast<std::size_t>(number)];
    if (!object.defined) continue;
    objects.push_back({{"number", number},
                       {"name", platform::Utf8FromCp1252(object.name)},
                       {"description", platform::Utf8FromCp1252(object.description)},
                       {"uses", object.numberOfUses},
                       {"decrease_uses", object.decreaseUses},
                       {"has_sprite", object.sprite != nullptr}});
  }
  const auto& numbers = tables.spriteNumbersByKind;
  return {{"inventory_objects", objects},
          {"sprites", {{"player", numbers[1]}, {"bot", numbers[2]}, {"other", numbers[3]}}}};
}

}  // namespace app
