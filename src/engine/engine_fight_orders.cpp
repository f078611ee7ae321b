// The fight keys: fire at the pointer and the sword blow of the selected players.
#include "engine/engine_orders.h"

namespace engine {

void FireSelected(EngineState&, units::Point) {}
void SwordSelected(EngineState&) {}

}  // namespace engine
