// A template backend: what a new port must provide, each operation degrading with a clear
// message instead of crashing; see template_platform.cpp.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

std::unique_ptr<Platform> CreateTemplatePlatform();

}  // namespace platform
