// The runs of a script: Start, the thread of one run, Stop, and what a saved game keeps of a run.
#include <functional>
#include <mutex>

#include "engine/orvanta_engine.h"
#include "platform/platform.h"
#include "script/orvanta_script.h"
#include "script/script_context.h"
#include "script/script_interpreter.h"

COrvantaScript::~COrvantaScript() { Stop(); }

void COrvantaScript::Start(script::ScriptContext& world) {
  if (!loaded_ || running_.load()) return;
  held_.store(false);
  position_ = script::RunPosition{};
  currentLine_.store(0);
  StartThread(world, world.engine.EventUnit(), 0);
}

void COrvantaScript::StartThread(script::ScriptContext& world, CGameUnit* owner, uint32_t firstWaitMs) {
  // The previous run has ended and no longer takes the world lock: joining it cannot wait on
  // the lock this caller holds.
  if (thread_.joinable()) thread_.join();
  owner_ = owner;
  if (owner != nullptr) world.unitFields.Of(owner).eventCollision = true;
  stoppedEarly_.store(false);
  running_.store(true);
  platform::Get().ScriptThreadStarted();
  thread_ = std::thread(&COrvantaScript::RunThread, this, std::ref(world), owner, firstWaitMs);
}

void COrvantaScript::RunThread(script::ScriptContext& world, CGameUnit* owner, uint32_t firstWaitMs) {
  platform::Get().ScriptThreadBegins();
  script::RunControl control{world, running_, currentLine_, owner, position_, firstWaitMs};
  const script::RunEnd end = script::RunLines(lines_, control);
  stoppedEarly_.store(end == script::RunEnd::Stopped);
  {
    engine::WorldLock lock(world.engine.Lock());
    if (owner != nullptr) world.unitFields.Of(owner).eventCollision = false;
  }
  running_.store(false);
  platform::Get().ScriptThreadEnded();
}

void COrvantaScript::Stop() {
  RequestStop();
  if (thread_.joinable()) thread_.join();
}

void COrvantaScript::Suspend() {
  // The stop may already have been asked for (the running flag is cleared then): whether a run
  // was cut short is what its thread says when it ends.
  const bool hadThread = thread_.joinable();
  Stop();
  if (hadThread && stoppedEarly_.load()) held_.store(true);
}

COrvantaScript::SavedRun COrvantaScript::RunToSave() const { return SavedRun{position_, owner_, currentLine_.load()}; }

void COrvantaScript::Hold(const SavedRun& run) {
  position_ = run.position;
  owner_ = run.owner;
  currentLine_.store(run.currentLine);
  held_.store(true);
}

void COrvantaScript::ResumeHeld(script::ScriptContext& world) {
  if (!held_.load() || !loaded_ || running_.load()) return;
  held_.store(false);
  uint32_t firstWaitMs = 0;
  if (position_.waiting) {
    const uint32_t now = world.engine.Now();
    // A wake tick already passed (a save made between the wake and the next line) waits no more.
    const int32_t left = static_cast<int32_t>(position_.wakeTick - now);
    firstWaitMs = left > 0 ? static_cast<uint32_t>(left) : 0;
  }
  StartThread(world, owner_, firstWaitMs);
}
