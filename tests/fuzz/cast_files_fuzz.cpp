// The cast loaders on any INI text: the same text read as objects_units.ini and as the sprite
// and unit file of players, bots and other units of a project whose sheets all exist. A loader
// ends on a fault of the file with its box, never a crash; and every unit it places has its
// position, frame, speed and collision box inside the unit bounds.
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "cast/cast_loaders.h"
#include "config/autoexec_reader.h"
#include "config/game_config.h"
#include "engine/orvanta_engine.h"
#include "flat_bmp.h"
#include "fuzz_check.h"
#include "platform/headless_platform.h"
#include "platform/ini.h"
#include "script/script_manager.h"
#include "unit_bounds.h"

namespace {

namespace fs = std::filesystem;

// The folder of this process that holds the project, removed when the run ends.
struct ProjectFolder {
  fs::path root = fs::temp_directory_path() / ("tessaloom-fuzz-cast-" + std::to_string(::getpid()));
  ~ProjectFolder() {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(root, ec);
  }
};

const ProjectFolder& Folder() {
  static const ProjectFolder folder;
  return folder;
}

// A project "P" in that folder, with every sheet the loaders and their seeds name (the folder is
// the current one while it is made and while an input is loaded).
void MakeProject() {
  auto sheet = [](const std::string& path, int width, int height) {
    fs::create_directories(fs::path(path).parent_path());
    fuzz::SaveFlatBmp(path, width, height, 0x336699);
  };
  for (const char* who : {"characters", "bots"}) {
    const std::string folder = std::string("Projects/P/Graphics/Sprites_") + who + "_units/";
    const std::string kind = who == std::string("bots") ? "bot" : "player";
    sheet(folder + "ball_fire_" + kind + ".bmp", 45, 15);
    sheet(folder + "ball_fire_explosion_" + kind + ".bmp", 112, 56);
    sheet(folder + "attack_sword_sprite_" + kind + ".bmp", 324, 81);
  }
  for (const char* folder : {"characters", "bots", "other"}) {
    sheet(std::string("Projects/P/Graphics/Sprites_") + folder + "_units/sheet.bmp", 256, 128);
  }
  sheet("Projects/P/Graphics/System/Respawn_fx.bmp", 567, 63);
  for (const char* name : {"health_object", "ammo_object", "icon", "thing"}) {
    sheet(std::string("Projects/P/Graphics/Sprites_objects_units/") + name + ".bmp", 32, 32);
  }
  fs::create_directories("Projects/P/Data");
  fs::create_directories("Projects/P/Scripts");
  std::ofstream("Projects/P/Scripts/open.txt") << "SLEEP 10\n";
}

void Write(const std::string& file, const std::string& text) {
  std::ofstream out("Projects/P/Data/" + file, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // libFuzzer's own paths are relative to where it was started: that folder is restored after
  // every input.
  const fs::path started = fs::current_path();
  fs::create_directories(Folder().root);
  fs::current_path(Folder().root);
  static const bool made = (MakeProject(), true);
  (void)made;
  const std::string text = fuzz::AsString(data, size);
  platform::ClearIniCache();
  platform::Install(platform::CreateHeadlessPlatform(platform::HeadlessOptions{}));
  config::GameConfig config;
  config.launcher.projectName = "P";
  // The loaders never look at the window; a small one keeps the engine's back buffer cheap.
  config.launcher.windowWidth = 320;
  config.launcher.windowHeight = 240;
  config::BuildProjectFolders(config.launcher, "P");
  for (const char* file :
       {"objects_units.ini", "player_characters_units.ini", "bots_characters_units.ini", "other_units.ini"}) {
    Write(file, text);
  }
  {
    COrvantaEngine engine(config);
    COrvantaScriptManager scripts(engine);
    scripts.ConnectToEngine();
    cast::LoadSystemSprites(engine);
    if (cast::LoadObjectDefinitions(engine)) cast::LoadUnitObjects(engine);
    for (int kind : {cast::kKindPlayer, cast::kKindBot, cast::kKindOther}) {
      if (cast::LoadSpriteDefinitions(engine, kind)) cast::LoadUnitDefinitions(engine, kind);
    }
    for (int i = 0; i < engine.UnitCount(); ++i) {
      if (const CGameUnit* unit = engine.UnitAt(i)) FUZZ_REQUIRE(fuzz::InBounds(*unit));
    }
  }
  platform::Install(nullptr);
  fs::current_path(started);
  return 0;
}
