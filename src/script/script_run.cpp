// The runs of a script: Start, the thread of one run, Stop.
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
  // The previous run has ended and no longer takes the world lock: joining it cannot wait on
  // the lock this caller holds.
  if (thread_.joinable()) thread_.join();
  CGameUnit* owner = world.engine.EventUnit();
  if (owner != nullptr) world.unitFields.Of(owner).eventCollision = true;
  currentLine_.store(0);
  running_.store(true);
  platform::Get().ScriptThreadStarted();
  thread_ = std::thread(&COrvantaScript::RunThread, this, std::ref(world), owner);
}

void COrvantaScript::RunThread(script::ScriptContext& world, CGameUnit* owner) {
  platform::Get().ScriptThreadBegins();
  script::RunControl control{world, running_, currentLine_, owner};
  script::RunLines(lines_, control);
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
