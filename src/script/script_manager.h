// COrvantaScriptManager: every script of one game (256 slots), started by name, with the world
// they run against (the engine, the variables, what scripts keep about units). Connected to its
// engine as the engine's RegisterScript / RunScript hand-off.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "script/orvanta_script.h"
#include "script/script_context.h"

class COrvantaScriptManager {
 public:
  static constexpr std::size_t kMaxScripts = 256;

  explicit COrvantaScriptManager(COrvantaEngine& engine) : world_(engine) {}
  // Stops every run and destroys every script.
  virtual ~COrvantaScriptManager();
  COrvantaScriptManager(const COrvantaScriptManager&) = delete;
  COrvantaScriptManager& operator=(const COrvantaScriptManager&) = delete;

  // Takes the script into the first empty slot and returns true; a null script, or one that
  // finds all 256 slots taken, stays with the caller (false).
  bool AddScript(std::unique_ptr<COrvantaScript>& script);
  // Starts the first registered script of exactly that name; nothing when none. The caller
  // holds the world lock (the start reads the event unit).
  void RunScript(const std::string& name) TL_REQUIRES(world_.engine.Lock());
  // Stops the script of a valid occupied slot and destroys it. The caller must not hold the
  // world lock.
  void RemoveScript(std::size_t slot);
  // Ends every run after its line in progress, cutting SLEEPs short, and waits for every script
  // thread (shutdown). The scripts stay registered. The caller must not hold the world lock.
  void StopAll();
  // Makes the engine hand its RegisterScript and RunScript to this manager.
  void ConnectToEngine() TL_EXCLUDES(world_.engine.Lock());
  // Stops and destroys every script, forgets the variables and what scripts kept about units.
  // The caller must not hold the world lock.
  void Reset();

  // ---- Saved games (script_save.cpp) --------------------------------------------------------
  // Stops every run as StopAll does, but holds each run a stop cut short where it was, so that a
  // save taken now keeps it (again and again until no run is left: a stopped line may have
  // started another script). The caller must not hold the world lock.
  void SuspendAll();
  // The scripts' part of a saved game: the variables, what scripts keep about units (by slot)
  // and every run in progress or held. The caller holds the world lock.
  void SaveState(nlohmann::json& out) const TL_REQUIRES(world_.engine.Lock());
  // Checks the whole part first (config::SaveError, changing nothing), then takes the variables
  // and unit fields and holds the saved runs in their scripts (nothing runs yet).
  void LoadState(const nlohmann::json& in) TL_REQUIRES(world_.engine.Lock());
  // Starts every held run (after the rest of the world has loaded).
  void ResumeHeldRuns() TL_REQUIRES(world_.engine.Lock());

  // The lock of the engine the scripts act on (one world, one lock).
  engine::WorldMutex& Lock() const TL_RETURN_CAPABILITY(world_.engine.Lock()) { return world_.engine.Lock(); }

  script::ScriptContext& World() { return world_; }
  const script::ScriptContext& World() const { return world_; }

  std::size_t Count() const { return count_; }
  // Null for an empty slot or one out of range.
  const COrvantaScript* At(std::size_t slot) const;

 private:
  script::ScriptContext world_;
  std::array<std::unique_ptr<COrvantaScript>, kMaxScripts> slots_;
  std::size_t count_ = 0;
};
