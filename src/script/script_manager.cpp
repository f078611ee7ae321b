#include "script/script_manager.h"

#include <mutex>

#include "engine/orvanta_engine.h"
#include "platform/platform.h"

COrvantaScriptManager::~COrvantaScriptManager() {
  StopAll();
  for (auto& slot : slots_) slot.reset();
  count_ = 0;
}

bool COrvantaScriptManager::AddScript(std::unique_ptr<COrvantaScript>& script) {
  if (!script) return false;
  for (auto& slot : slots_) {
    if (slot) continue;
    slot = std::move(script);
    ++count_;
    return true;
  }
  return false;
}

void COrvantaScriptManager::RunScript(const std::string& name) {
  for (auto& slot : slots_) {
    if (slot && slot->Name() == name) {
      slot->Start(world_);
      return;
    }
  }
}

void COrvantaScriptManager::RemoveScript(std::size_t slot) {
  if (slot >= slots_.size() || !slots_[slot]) return;
  slots_[slot].reset();  // the destructor stops the run and waits for its thread
  --count_;
}

void COrvantaScriptManager::StopAll() {
  // Every run is told to end before any wait is cut short, so no woken script runs another line.
  for (auto& slot : slots_) {
    if (slot) slot->RequestStop();
  }
  const bool backend = platform::IsInstalled();
  if (backend) platform::Get().WakeScripts(true);
  for (auto& slot : slots_) {
    if (slot) slot->Stop();
  }
  if (backend) platform::Get().WakeScripts(false);
}

const COrvantaScript* COrvantaScriptManager::At(std::size_t slot) const {
  return slot < slots_.size() ? slots_[slot].get() : nullptr;
}

void COrvantaScriptManager::ConnectToEngine() {
  engine::WorldLock lock(world_.engine.Lock());
  // The engine calls both while it holds the world lock.
  world_.engine.InstallScriptManager([this](std::unique_ptr<COrvantaScript>& script) { AddScript(script); },
                                     [this](const std::string& name)
                                         TL_REQUIRES(world_.engine.Lock()) { RunScript(name); });
}

void COrvantaScriptManager::Reset() {
  StopAll();
  for (std::size_t slot = 0; slot < kMaxScripts; ++slot) RemoveScript(slot);
  engine::WorldLock lock(world_.engine.Lock());
  world_.variables.Clear();
  world_.unitFields.Clear();
}
