// The commands that act on the world: SET on a unit property, MOVE_UNIT, SHOW, HIDE,
// SHOW_IMAGE, the inventory commands, SET_MAP_TILE, PLAY_SOUND, CHECK_POINT and
// SET_CAMERA_POSITION. The caller holds the world lock.
#pragma once

#include <string>

#include "config/launcher_settings.h"
#include "script/script_context.h"
#include "script/script_line.h"

class CBitmapSurface;
class CGameUnit;

namespace script {

void SetProperty(ScriptContext& world, const ScriptLine& line) TL_REQUIRES(world.engine.Lock());
// Any command but SET, the block commands, SLEEP and EXIT; others do nothing. The owner is the
// run's owner unit (may be null); the picture is SHOW_IMAGE's, loaded beforehand.
void RunCommand(ScriptContext& world, const ScriptLine& line, CGameUnit* owner, const CBitmapSurface* picture)
    TL_REQUIRES(world.engine.Lock());

}  // namespace script
