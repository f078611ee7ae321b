// The run from entry to exit: start-up in its fixed order, the message loop, shutdown.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace app {

struct World;

// The program's entry once a backend is installed; returns 0 in every case.
int WinMain(World& world, const std::string& commandLine);

// Loads the whole project and starts the initial script; false when a step stopped start-up.
// The passes of the game loop are left to the caller.
bool LoadGame(World& world, const std::string& commandLine);
// LoadGame, then the game-loop thread; false when a step stopped start-up.
bool InitGame(World& world, const std::string& commandLine);
// The same loading for a project checker that listens to the loaders' problems: every step that
// can still run does, and neither music, script nor game loop starts. False when the project
// itself could not be found.
bool LoadForCheck(World& world, const std::string& commandLine);

// One pass of the game loop: update the world, draw the frame.
void GameFrame(World& world);

// The box (left, top, right, bottom) around the players' start positions; -1 each without any.
std::array<int, 4> PlayersBoundingBox(const std::vector<std::array<int, 2>>& positions);

// Teardown in order; safe whatever point start-up reached.
void ShutdownGame(World& world);

}  // namespace app
