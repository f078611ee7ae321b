// Pickups and collision events: what a player's touch does to kits, objects and event units.
#include <algorithm>

#include "config/game_config.h"
#include "config/language.h"
#include "units/game_unit.h"
#include "units/unit_objects.h"
#include "units/unit_services.h"

namespace {

constexpr int kKitHealth = 50;
constexpr int kKitAmmo = 25;
constexpr int kKitCap = 100;
constexpr int kUnlimitedTimes = 999;  // yes times from here up never run out
constexpr uint32_t kHideAfterMs = 2000;
constexpr uint32_t kBubbleMsPerCharacter = 150;

// The event unit says its text in a bubble that stays 150 ms per character.
void Say(CGameUnit& unit, const std::string& text, const units::UnitWorld& world) {
  if (text.empty()) return;
  unit.SetBubbleText(text, world.Config().settings.fontNames[0]);
  unit.ShowBubble(true, static_cast<uint32_t>(unit.bubbleText.size()) * kBubbleMsPerCharacter, world.now);
}

// "... %s x%d" with the object's name and the count.
std::string ObjectMessage(const units::UnitWorld& world, const char* english, const char* spanish, int object,
                          int count) {
  const config::GameConfig& config = world.Config();
  return config::Format(config::Tr(config.language(), english, spanish).c_str(),
                        units::ObjectName(config.tables, object).c_str(), count);
}

}  // namespace

void CGameUnit::TakePickup(CGameUnit& pickup, const units::UnitWorld& world) {
  units::UnitServices& services = world.Services();
  switch (pickup.autouseType) {
    case 1:
      pickup.SetVisible(false, world.now);
      SetHealth(std::min(health_ + kKitHealth, kKitCap));
      services.PostMessage(config::Tr(world.Config().language(), "You obtained health +50", "Has conseguido salud +50"),
                           1, 0);
      services.PlaySound("health_kit1.wav");
      break;
    case 2:
      pickup.SetVisible(false, world.now);
      SetAmmo(std::min(ammo_ + kKitAmmo, kKitCap));
      services.PostMessage(
          config::Tr(world.Config().language(), "You obtained ammo +25", "Has conseguido munición +25"), 1, 0);
      services.PlaySound("ammo_kit1.wav");
      break;
    case 3:
      // A refused pick-up leaves the object lying where it is.
      if (AddToInventory(pickup.objectNumber, -1, world)) pickup.SetVisible(false, world.now);
      break;
    default: break;
  }
}

void CGameUnit::MeetEventUnit(CGameUnit& other, const units::UnitWorld& world) {
  units::UnitServices& services = world.Services();
  services.SetEventUnits(this, &other);
  if (other.eventProcess == 0 || scripted) return;
  Stop();
  if (other.eventButtonAction != 0) {
    services.PlaySound("action_alert.wav");
    services.OfferAction(other);
  } else {
    other.PerformAction(*this, world);
  }
}

bool CGameUnit::PerformAction(CGameUnit& player, const units::UnitWorld& world) {
  if (eventProcess == 0 || yesTimes == 0) return false;
  // A unit hidden or killed since the offer (or a player knocked out meanwhile) acts no more.
  if (!visible_ || !alive || !player.alive) return false;
  units::UnitServices& services = world.Services();
  dialogAnswer = 0;
  // 0: nothing required; 1: the object is missing; 2: the object is there.
  int steps = 0;
  if (eventObject != 0 && eventUsesObject > 0) {
    steps = player.CountInInventory(eventObject) >= eventUsesObject ? 2 : 1;
    if (steps == 1) {
      services.PostMessage(ObjectMessage(world, "You need %s x%d", "Necesitas %s x%d", eventObject, eventUsesObject), 1,
                           eventObject);
      Say(*this, noMessage, world);
    }
  }
  if (steps == 2) {
    const config::ObjectDefinition* definition = units::DefinedObject(world.Config().tables, eventObject);
    if (definition != nullptr && definition->decreaseUses) player.UseFromInventory(eventObject, eventUsesObject, world);
    services.PostMessage(ObjectMessage(world, "You have used %s x%d", "Has usado %s x%d", eventObject, eventUsesObject),
                         2, eventObject);
  }
  const bool success = steps != 1;
  if (success) {
    Say(*this, yesMessage, world);
    if (!collisionYesScript.empty()) services.RunScript(collisionYesScript, &player);
    if (yesTimes < kUnlimitedTimes) yesTimes = std::max(yesTimes - 1, 0);
    dialogAnswer = 1;
    if (yesTimes == 0) {
      eventProcess = 0;
      if (eventHideUnit != 0) expiry = world.now + kHideAfterMs;
      if (!finalDescription.empty()) description = finalDescription;
    }
  }
  selected = false;
  services.PlaySound(success ? "action_ok.wav" : "action_ng.wav");
  return success;
}
