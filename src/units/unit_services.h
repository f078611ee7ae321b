// What the units' rules ask of the game around them: sounds, HUD messages, the death banner,
// event scripts, the event unit and the action symbol. The engine provides the real ones; a
// world without services (tests of movement, benchmarks) gets the silent set, which does nothing.
#pragma once

#include <string>
#include <string_view>

class CGameUnit;

namespace units {

class UnitServices {
 public:
  virtual ~UnitServices() = default;
  // A short effect from the project's Sounds folder.
  virtual void PlaySound(std::string_view file) { (void)file; }
  // A line of the message panel: kind 1 with the info icon, kind 2 with the object's icon.
  virtual void PostMessage(const std::string& text, int kind, int object) {
    (void)text;
    (void)kind;
    (void)object;
  }
  // A player's knock-out: the banner with its name and the word.
  virtual void ShowDeathBanner(const std::string& name, const std::string& word) {
    (void)name;
    (void)word;
  }
  // Starts the registered script of that name with the event unit as its owner.
  virtual void RunScript(const std::string& name, CGameUnit* eventUnit) {
    (void)name;
    (void)eventUnit;
  }
  // The player of the last contact and the unit it touched.
  virtual void SetEventUnits(CGameUnit* eventUnit, CGameUnit* eventTarget) {
    (void)eventUnit;
    (void)eventTarget;
  }
  // Shows the action symbol under the unit whose event waits for the player's action command.
  virtual void OfferAction(const CGameUnit& target) { (void)target; }
  // A character's inventory changed: the inventory bar is rebuilt.
  virtual void InventoryChanged() {}
};

// The set that does nothing.
UnitServices& SilentServices();

}  // namespace units
