// The native Windows desktop backend (window, menus, input, presentation, boxes, MCI audio);
// see win32_platform.cpp.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

// The calling thread becomes the main (window) thread. Never null: when the window cannot be
// created CreateMainWindow says so, and without a sound device every audio operation fails.
std::unique_ptr<Platform> CreateWin32Platform();

}  // namespace platform
