// The runs of a script: Start, the thread of one run, Stop.
#include <mutex>

#include "engine/orvanta_engine.h"
#include "engine/world_lock.h"
#include "platform/platform.h"
#include "script/orvanta_script.h"
#include "script/script_interpreter.h"
#include "script/script_unit_fields.h"

COrvantaScript::~COrvantaScript() { Stop(); }

void COrvantaScript::Start() {
  if (!loaded_ || running_.load()) return;
  // The previous run has ended and no longer takes the world lock: joining it cannot wait on
  // the lock this caller holds.
  if (thread_.joinable()) thread_.join();
  CGameUnit* owner = COrvantaEngine::EventUnit();
  if (owner != nullptr) script::FieldsOf(owner).eventCollision = true;
  currentLine_.store(0);
  running_.store(true);
  platform::Get().ScriptThreadStarted();
  thread_ = std::thread(&COrvantaScript::RunThread, this, owner);
}

void COrvantaScript::RunThread(CGameUnit* owner) {
  script::RunControl control{running_, currentLine_, owner};
  script::RunLines(lines_, control);
  {
    std::lock_guard<std::mutex> lock(WorldLock());
    if (owner != nullptr) script::FieldsOf(owner).eventCollision = false;
  }
  running_.store(false);
  platform::Get().ScriptThreadEnded();
}

void COrvantaScript::Stop() {
  RequestStop();
  if (thread_.joinable()) thread_.join();
}
