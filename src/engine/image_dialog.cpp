// The image dialog: a picture from the project shown in the middle of the window until the
// player clicks.
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"

bool COrvantaEngine::ShowImageDialog(const CBitmapSurface& picture, const std::string& fileName) {
  engine::EngineState& state = State();
  state.hud.imageDialogShown = false;
  state.hud.imageDialogFile.clear();
  if (!picture.IsValid() || picture.GetWidth() < 1 || picture.GetHeight() < 1) return false;
  state.hud.imageDialog.CreateCopy(picture);
  if (!state.hud.imageDialog.IsValid()) return false;
  state.hud.imageDialogPicture = fileName;
  const config::LauncherSettings& launcher = state.config.launcher;
  state.hud.imageDialogX = (launcher.windowWidth - picture.GetWidth()) / 2;
  state.hud.imageDialogY = (launcher.windowHeight - picture.GetHeight()) / 2;
  state.hud.imageDialogFile = fileName;
  state.hud.imageDialogShown = true;
  state.hud.imageDialogNoted = false;
  return true;
}

void COrvantaEngine::LoadDialogPicture(const config::GameConfig& config, const std::string& fileName,
                                       CBitmapSurface& picture) {
  if (!fileName.empty()) picture.LoadFile(config.launcher.Folder(config::kFolderImages) + "\\" + fileName);
}

bool COrvantaEngine::ShowImageDialog(const std::string& fileName) {
  CBitmapSurface picture;
  LoadDialogPicture(Config(), fileName, picture);
  return ShowImageDialog(picture, fileName);
}

bool COrvantaEngine::ImageDialogShown() const { return State().hud.imageDialogShown; }
