// A character's twelve inventory slots: adding with the pick-up's message and sound, using,
// counting. Pickups, collision events, scripts and giving all go through these, so every way an
// object changes hands follows the same caps and says the same things.
#include <algorithm>

#include "config/game_config.h"
#include "config/language.h"
#include "units/game_unit.h"
#include "units/unit_objects.h"
#include "units/unit_services.h"

namespace {

constexpr int kMaxCount = 99;

}  // namespace

bool CGameUnit::AddToInventory(int object, int count, const units::UnitWorld& world) {
  const config::ObjectDefinition* definition = units::DefinedObject(world.Config().tables, object);
  if (definition == nullptr) return false;
  const int added = count == -1 ? definition->numberOfUses : count;
  // Nothing to add: refused rather than leaving a slot that holds an object zero times.
  if (added < 1) return false;
  units::InventorySlot* holding = nullptr;
  units::InventorySlot* empty = nullptr;
  for (int slot = 1; slot <= units::kInventorySlots && holding == nullptr; ++slot) {
    units::InventorySlot& held = inventory[static_cast<std::size_t>(slot)];
    if (held.object == object) holding = &held;
    if (held.object == 0 && empty == nullptr) empty = &held;
  }
  units::UnitServices& services = world.Services();
  if (holding != nullptr) {
    if (holding->count >= kMaxCount) return false;  // silently: the pickup stays where it lies
    holding->count = std::min(holding->count + added, kMaxCount);
  } else if (empty != nullptr) {
    // The bar has room for two digits, so a new slot is capped like a held one.
    *empty = {object, std::min(added, kMaxCount)};
  } else {
    services.PostMessage(
        config::Tr(world.Config().language(), "You can't carry more objects", "No puedes portar más objetos"), 1, 0);
    Stop();
    services.PlaySound("action_ng.wav");
    return false;
  }
  services.PlaySound("pickup_object.wav");
  services.PostMessage(
      config::Format(config::Tr(world.Config().language(), "You obtained %s x%d", "Has conseguido %s x%d").c_str(),
                     definition->name.c_str(), added),
      2, object);
  services.InventoryChanged();
  return true;
}

bool CGameUnit::UseFromInventory(int object, int count, const units::UnitWorld& world) {
  // Using nothing, or a negative amount that would add, is refused.
  if (object < 1 || count < 1) return false;
  for (int slot = 1; slot <= units::kInventorySlots; ++slot) {
    units::InventorySlot& held = inventory[static_cast<std::size_t>(slot)];
    if (held.object != object) continue;
    held.count -= count;
    if (held.count < 1) held = {};
    world.Services().InventoryChanged();
    return true;
  }
  return false;
}

int CGameUnit::CountInInventory(int object) const {
  if (object < 1) return 0;
  for (int slot = 1; slot <= units::kInventorySlots; ++slot) {
    const units::InventorySlot& held = inventory[static_cast<std::size_t>(slot)];
    if (held.object == object) return held.count;
  }
  return 0;
}

int CGameUnit::ObjectInSlot(int slot) const {
  if (slot < 1 || slot > units::kInventorySlots) return 0;
  return inventory[static_cast<std::size_t>(slot)].object;
}
