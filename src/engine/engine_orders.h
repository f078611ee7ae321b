// The player's orders that reach the units: the unit pass of every input message (selection by
// click or drag box, move orders, the pointer marker), the formation of a group move, and the
// orders of the keys and the middle button.
// Internal to the engine; the caller holds WorldLock().
#pragma once

#include <vector>

#include "engine/engine_state.h"

namespace engine {

// Runs the units through the input state of the message just handled.
void RunUnitPass(EngineState& state);

// 'Z': every selected, living player that can fire shoots at the world point, in player-table
// order. 'X': the same with the sword (engine_fight_orders.cpp).
void FireSelected(EngineState& state, units::Point mapPoint);
void SwordSelected(EngineState& state);
// 'M': the one selected player hands a piece of the hovered object to the player within its
// reach. The middle button: the offered collision action (engine_item_orders.cpp).
void GiveObject(EngineState& state);
void PerformOfferedAction(EngineState& state);

// The move targets of a group sent to one point: a grid of columns = floor(sqrt(n)) by
// rows = n / columns cells 3 collision boxes apart from the origin, laid out rows by columns or,
// `turned`, columns by rows; the units beyond the grid stand in a column just right of it.
std::vector<units::Point> FormationTargets(const std::vector<const CGameUnit*>& group, units::Point origin,
                                           bool turned);

}  // namespace engine
