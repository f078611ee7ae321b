// The one lock that guards the world (units, map cells, camera, inventories, HUD state, the
// dialog image and script variables) between the window thread, the game-loop thread and
// script threads. Never held across a sleep, a thread join or a modal box.
#pragma once

#include <mutex>

std::mutex& WorldLock();
