#include "units/unit_services.h"

#include "units/unit_world.h"

#include "config/game_config.h"

namespace units {

UnitServices& SilentServices() {
  static UnitServices silent;
  return silent;
}

UnitServices& UnitWorld::Services() const { return services != nullptr ? *services : SilentServices(); }

const config::GameConfig& UnitWorld::Config() const {
  static const config::GameConfig kStartValues;  // never changed
  return config != nullptr ? *config : kStartValues;
}

}  // namespace units
