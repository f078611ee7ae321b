// COrvantaScriptManager: every script of the game (256 slots), started by name. One manager
// for the process, installed into the engine as its RegisterScript / RunScript hand-off.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "script/orvanta_script.h"

class COrvantaScriptManager {
 public:
  static constexpr std::size_t kMaxScripts = 256;

  COrvantaScriptManager() = default;
  // Stops every run and destroys every script.
  virtual ~COrvantaScriptManager();
  COrvantaScriptManager(const COrvantaScriptManager&) = delete;
  COrvantaScriptManager& operator=(const COrvantaScriptManager&) = delete;

  // Takes the script into the first empty slot and returns true; a null script, or one that
  // finds all 256 slots taken, stays with the caller (false).
  bool AddScript(std::unique_ptr<COrvantaScript>& script);
  // Starts the first registered script of exactly that name; nothing when none. The caller
  // holds WorldLock() (the start reads the event unit).
  void RunScript(const std::string& name);
  // Stops the script of a valid occupied slot and destroys it. The caller must not hold
  // WorldLock().
  void RemoveScript(std::size_t slot);
  // Ends every run after its line in progress, cutting SLEEPs short, and waits for every script
  // thread (shutdown). The scripts stay registered. The caller must not hold WorldLock().
  void StopAll();

  std::size_t Count() const { return count_; }
  // Null for an empty slot or one out of range.
  const COrvantaScript* At(std::size_t slot) const;

 private:
  std::array<std::unique_ptr<COrvantaScript>, kMaxScripts> slots_;
  std::size_t count_ = 0;
};

namespace script {

// The process's manager, created on first use.
COrvantaScriptManager& Manager();
// Makes the engine that exists now hand its RegisterScript and RunScript to the manager.
void ConnectToEngine();
// Shutdown and tests: stops and destroys every script, forgets the variables and what scripts
// kept about units. The caller must not hold WorldLock().
void ResetScripts();

}  // namespace script
