// Built by tools/check_locks.sh with clang's lock analysis: reading the unit table needs the
// world lock, so this source builds with TL_PROBE_LOCKED and must not build without it.
#include "engine/orvanta_engine.h"

int ProbeUnitCount(COrvantaEngine& engine) {
#ifdef TL_PROBE_LOCKED
  engine::WorldLock lock(engine.Lock());
#endif
  return engine.UnitCount();
}
