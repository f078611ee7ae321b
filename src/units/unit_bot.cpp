// The bots' once-a-second decision.
#include "units/game_unit.h"

void CGameUnit::BotDecisionPass(const units::UnitWorld&) {}
