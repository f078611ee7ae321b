#include "script/script_inventory.h"

#include <algorithm>

#include "audio/sound_effects.h"
#include "config/game_tables.h"
#include "config/language.h"
#include "engine/orvanta_engine.h"
#include "platform/letter_case.h"
#include "units/game_unit.h"

namespace script {
namespace {

constexpr int kFirstObject = 1;
constexpr int kLastObject = 64;

}  // namespace

std::string FoldObjectName(std::string_view name) {
  std::string folded;
  for (char c : name) {
    switch (static_cast<unsigned char>(c)) {
      case ' ': folded += '_'; break;
      case 0xE1: folded += 'a'; break;  // á
      case 0xE9: folded += 'e'; break;  // é
      case 0xED: folded += 'i'; break;  // í
      case 0xF3: folded += 'o'; break;  // ó
      case 0xFA: folded += 'u'; break;  // ú
      case 0xF1: folded += 'n'; break;  // ñ
      default: folded += c; break;
    }
  }
  return folded;
}

int FindObjectByFoldedName(std::string_view word) {
  const auto& objects = config::Tables().objects;
  for (int number = kFirstObject; number <= kLastObject && number < static_cast<int>(objects.size()); ++number) {
    const config::ObjectDefinition& object = objects[static_cast<std::size_t>(number)];
    if (!object.defined || object.numberOfUses == 0) continue;
    if (platform::EqualsNoCase(FoldObjectName(object.name), word)) return number;
  }
  return 0;
}

bool AddToInventory(CGameUnit& unit, int object, int count) {
  units::InventorySlot* holding = nullptr;
  units::InventorySlot* empty = nullptr;
  for (int slot = 1; slot <= units::kInventorySlots && holding == nullptr; ++slot) {
    units::InventorySlot& held = unit.inventory[static_cast<std::size_t>(slot)];
    if (held.object == object) holding = &held;
    if (held.object == 0 && empty == nullptr) empty = &held;
  }
  if (holding != nullptr) {
    if (holding->count >= kMaxObjectCount) return false;
    holding->count = std::min(holding->count + count, kMaxObjectCount);
  } else if (empty != nullptr) {
    *empty = {object, count};
  } else {
    COrvantaEngine::AddHudMessage(config::Tr("You can't carry more objects", "No puedes portar más objetos"), 1, 0);
    unit.Stop();
    audio::PlaySoundEffect("action_ng.wav");
    return false;
  }
  audio::PlaySoundEffect("pickup_object.wav");
  const std::string& name = config::Tables().objects[static_cast<std::size_t>(object)].name;
  COrvantaEngine::AddHudMessage(
      config::Format(config::Tr("You obtained %s x%d", "Has conseguido %s x%d").c_str(), name.c_str(), count), 2,
      object);
  return true;
}

bool UseFromInventory(CGameUnit& unit, int object, int count) {
  for (int slot = 1; slot <= units::kInventorySlots; ++slot) {
    units::InventorySlot& held = unit.inventory[static_cast<std::size_t>(slot)];
    if (held.object != object) continue;
    held.count -= count;
    if (held.count < 1) held = {};
    return true;
  }
  return false;
}

int CountInInventory(const CGameUnit& unit, int object) {
  for (int slot = 1; slot <= units::kInventorySlots; ++slot) {
    const units::InventorySlot& held = unit.inventory[static_cast<std::size_t>(slot)];
    if (held.object == object) return held.count;
  }
  return 0;
}

}  // namespace script
