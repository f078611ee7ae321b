// The SDL2 desktop backend (window, input, presentation, boxes, audio); see sdl_platform.cpp.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

// Starts SDL's video and audio subsystems on the calling thread, which becomes the main
// (window) thread. Never null: without a display the window cannot be created, and without a
// sound device every audio operation fails quietly.
std::unique_ptr<Platform> CreateSdlPlatform();

}  // namespace platform
