#include "platform/platform.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {
std::unique_ptr<Platform>& Slot() {
  static std::unique_ptr<Platform> backend;
  return backend;
}
// Script waits on the real clock, shared by the backends that keep real time.
struct RealTimeScriptWaits {
  std::mutex mutex;
  std::condition_variable woken;
  bool wake = false;

  void WaitFor(std::chrono::microseconds duration) {
    std::unique_lock<std::mutex> lock(mutex);
    woken.wait_for(lock, duration, [&] { return wake; });
  }
};

RealTimeScriptWaits& ScriptWaits() {
  static RealTimeScriptWaits waits;
  return waits;
}

// A script that never sleeps pauses this long now and then, so that the game-loop and window
// threads, which wait for the world lock the script takes line by line, get their turn.
constexpr std::chrono::microseconds kScriptYieldPause{200};
}  // namespace

void Platform::ScriptSleep(uint32_t ms) { ScriptWaits().WaitFor(std::chrono::milliseconds(ms)); }

void Platform::ScriptYield() { ScriptWaits().WaitFor(kScriptYieldPause); }

void Platform::WakeScripts(bool wake) {
  RealTimeScriptWaits& waits = ScriptWaits();
  std::lock_guard<std::mutex> lock(waits.mutex);
  waits.wake = wake;
  waits.woken.notify_all();
}

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
