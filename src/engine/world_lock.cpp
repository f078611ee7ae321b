#include "engine/world_lock.h"

std::mutex& WorldLock() {
  static std::mutex lock;
  return lock;
}
