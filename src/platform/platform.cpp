#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
std::unique_ptr<Platform>& Slot() {
  static std::unique_ptr<Platform> backend;
  return backend;
}
}  // namespace

Platform& Get() {
  auto& backend = Slot();
  if (!backend) {
    std::fputs("tessaloom: no platform backend installed\n", stderr);
    std::abort();
  }
  return *backend;
}

void Install(std::unique_ptr<Platform> backend) { Slot() = std::move(backend); }

bool IsInstalled() { return Slot() != nullptr; }

}  // namespace platform
