#include "units/unit_services.h"

#include "units/unit_world.h"

namespace units {

UnitServices& SilentServices() {
  static UnitServices silent;
  return silent;
}

UnitServices& UnitWorld::Services() const { return services != nullptr ? *services : SilentServices(); }

}  // namespace units
