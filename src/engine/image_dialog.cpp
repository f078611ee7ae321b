#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"

bool COrvantaEngine::ShowImageDialog(const CBitmapSurface& picture) {
  engine::EngineState& state = engine::State();
  state.imageDialogShown = false;
  if (!picture.IsValid() || picture.GetWidth() < 1 || picture.GetHeight() < 1) return false;
  state.imageDialog.CreateCopy(picture);
  if (!state.imageDialog.IsValid()) return false;
  const config::LauncherSettings& launcher = config::Launcher();
  state.imageDialogX = (launcher.windowWidth - picture.GetWidth()) / 2;
  state.imageDialogY = (launcher.windowHeight - picture.GetHeight()) / 2;
  state.imageDialogShown = true;
  return true;
}

bool COrvantaEngine::ImageDialogShown() { return engine::HasState() && engine::State().imageDialogShown; }
