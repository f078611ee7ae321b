// The item orders: giving the hovered object, and the collision action the symbol offers.
#include "engine/engine_orders.h"

namespace engine {

void GiveObject(EngineState&) {}
void PerformOfferedAction(EngineState&) {}

}  // namespace engine
