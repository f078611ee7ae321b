#include "app/save_game.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>

#include "app/world.h"
#include "config/launcher_settings.h"
#include "config/saved_values.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/saved_files.h"
#include "platform/text_encoding.h"
#include "script/script_manager.h"

namespace app {
namespace {

// The project's own folder (a project path): the one that holds its data folder.
std::string ProjectFolder(const World& world) {
  const std::string data = world.config.launcher.Folder(config::kFolderData);
  return data.substr(0, data.find_last_of('\\'));
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every file of the project, by name and contents; saves kept inside it are left out, so that a
// save folder there does not change what it checks.
std::string ProjectFingerprint(const World& world) {
  const std::string folder = ProjectFolder(world);
  const std::string root = platform::ToHostPath(folder);
  std::string summary;
  for (const std::string& name : platform::ListFilesUnder(folder)) {
    if (EndsWith(name, ".tsav") || EndsWith(name, ".tsav.tmp")) continue;
    const std::optional<std::string> bytes = platform::ReadHostFile(root + "/" + name, std::size_t{1} << 30);
    summary += name;
    summary += '\0';
    summary += bytes ? HashText(*bytes) : std::string("unreadable");
    summary += '\n';
  }
  return HashText(summary);
}

void ShowSaveBox(World& world, const std::string& caption, const std::string& text) {
  const bool paused = world.engine->IsPaused();
  world.engine->SetPaused(true);
  platform::Get().ShowBox(platform::BoxKind::Error, true, caption, text);
  world.engine->SetPaused(paused);
}

std::string LoadCaption(const World& world) {
  return config::Tr(world.config.language(), "Load game", "Cargar partida");
}

// Puts the body into the world: the engine's part, then the scripts' (their runs held, not yet
// running). Throws on anything out of place.
void ApplyBody(World& world, const nlohmann::json& body) TL_REQUIRES(world.engine->Lock()) {
  world.engine->LoadState(config::SavedMember(body, "engine"));
  world.scripts->Lock().AssumeHeld();  // the scripts act on this world's engine
  world.scripts->LoadState(config::SavedMember(body, "scripts"));
}

// Loads a checked save into the world, in place. Script runs are suspended first and resumed
// from the loaded state; a body that turns out wrong half-way gives way to the world as it was.
// False with the reason when the body was refused.
bool LoadBody(World& world, const nlohmann::json& body, bool resumeClock, std::string& reason) {
  COrvantaEngine& engine = *world.engine;
  const bool paused = engine.IsPaused();
  engine.SetPaused(true);
  world.scripts->SuspendAll();
  bool loaded = false;
  {
    engine::WorldLock lock(world.engine->Lock());
    const nlohmann::json before = SaveBody(world);
    platform::Platform::ClockPosition clock;
    uint32_t tick = 0;
    try {
      const auto& saved = config::SavedMember(body, "clock");
      clock = {config::SavedTick(saved, "elapsed"), config::SavedNumber(saved, "passes", 0, INT64_MAX)};
      tick = config::SavedTick(config::SavedMember(body, "engine"), "tick");
      ApplyBody(world, body);
      loaded = true;
    } catch (const std::exception& error) {
      reason = config::Format(config::Tr(world.config.language(), "The saved game cannot be read: %s.",
                                         "No se puede leer la partida guardada: %s.")
                                  .c_str(),
                              error.what());
      ApplyBody(world, before);
    }
    if (loaded && resumeClock) {
      platform::Get().ResumeClock(clock);
      world.engine->SetWorldClock(tick);
    }
    world.scripts->Lock().AssumeHeld();
    world.scripts->ResumeHeldRuns();
  }
  engine.SetPaused(paused);
  return loaded;
}

// Reads, checks and loads the save file; false after a box with the reason.
bool LoadFile(World& world, const std::string& path, bool resumeClock) {
  const config::Language language = world.config.language();
  const std::optional<std::string> bytes = platform::ReadHostFile(path, kMaxSaveBytes);
  SaveRefusal refusal;
  std::optional<nlohmann::json> body;
  if (!bytes) {
    refusal.reason = config::Format(
        config::Tr(language, "The saved game '%s' cannot be read.", "No se puede leer la partida guardada '%s'.")
            .c_str(),
        platform::Cp1252FromUtf8(path).c_str());
  } else {
    body = ReadSaveFile(*bytes, IdentityOf(world), language, refusal);
  }
  if (body && LoadBody(world, *body, resumeClock, refusal.reason)) return true;
  ShowSaveBox(world, LoadCaption(world), refusal.reason);
  return false;
}

}  // namespace

std::string SaveFolder(const World& world) {
  if (!world.saveFolder.empty()) return world.saveFolder;
  const std::string data = platform::UserDataFolder();
  if (data.empty()) return {};
  return data + "/tessaloom/" + platform::Utf8FromCp1252(world.config.launcher.projectName);
}

std::string QuickSavePath(const World& world) { return SaveFolder(world) + "/" + kQuickSaveFile; }

SaveIdentity IdentityOf(World& world) {
  if (world.fingerprint.empty()) world.fingerprint = ProjectFingerprint(world);
  return {platform::Utf8FromCp1252(world.config.launcher.projectName), world.fingerprint};
}

nlohmann::json SaveBody(World& world) {
  nlohmann::json body = nlohmann::json::object();
  platform::Platform::ClockPosition clock;
  const bool virtualClock = platform::Get().VirtualClock(clock);
  body["clock"] = {{"virtual", virtualClock}, {"elapsed", clock.elapsedMs}, {"passes", clock.passes}};
  world.engine->Lock().AssumeHeld();  // the caller holds it
  world.engine->SaveState(body["engine"]);
  world.scripts->Lock().AssumeHeld();  // the same lock: the scripts act on this world's engine
  world.scripts->SaveState(body["scripts"]);
  return body;
}

void SaveGameToSlot(World& world) {
  if (!world.engine || !world.scripts) return;
  const config::Language language = world.config.language();
  const SaveIdentity identity = IdentityOf(world);
  COrvantaEngine& engine = *world.engine;
  std::string bytes;
  std::array<engine::MessageSlot, engine::kMessageSlots> messagesBefore;
  {
    engine::WorldLock lock(engine.Lock());
    // The message is part of the saved world: a loaded game shows it for the rest of its life.
    messagesBefore = engine.State().hud.messages;
    engine.AddHudMessage(config::Tr(language, "Game saved", "Partida guardada"), 1, 0);
    bytes = SaveFileBytes(identity, SaveBody(world));
  }
  const std::string folder = SaveFolder(world);
  if (!folder.empty() && platform::MakeFolders(folder) && platform::ReplaceFileWith(QuickSavePath(world), bytes)) {
    return;
  }
  {
    engine::WorldLock lock(engine.Lock());
    engine.State().hud.messages = messagesBefore;
    engine::RebuildMessagePanel(engine.State());
  }
  ShowSaveBox(world, config::Tr(language, "Save game", "Guardar partida"),
              config::Format(
                  config::Tr(language, "The game could not be saved in '%s'.", "No se pudo guardar la partida en '%s'.")
                      .c_str(),
                  platform::Cp1252FromUtf8(folder).c_str()));
}

void LoadGameFromSlot(World& world) {
  if (!world.engine || !world.scripts) return;
  const std::string path = QuickSavePath(world);
  if (SaveFolder(world).empty() || !platform::FileExists(path)) {
    engine::WorldLock lock(world.engine->Lock());
    world.engine->AddHudMessage(
        config::Tr(world.config.language(), "There is no saved game", "No hay ninguna partida guardada"), 1, 0);
    return;
  }
  LoadFile(world, path, false);
}

bool StartFromSave(World& world, const std::string& path) {
  if (!world.engine || !world.scripts) return false;
  return LoadFile(world, path, true);
}

}  // namespace app
