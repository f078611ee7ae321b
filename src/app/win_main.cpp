#include "app/win_main.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <mutex>
#include <vector>

#include "app/main_window.h"
#include "app/save_game.h"
#include "app/window_icon.h"
#include "app/world.h"
#include "audio/music.h"
#include "cast/cast_loaders.h"
#include "config/autoexec_reader.h"
#include "config/config_reader.h"
#include "config/fatal_error.h"
#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "config/project_path.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "map/game_map.h"
#include "map/map_builder.h"
#include "map/tiled_readers.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "script/orvanta_script.h"
#include "script/script_manager.h"
#include "script/script_size.h"
#include "units/game_unit.h"

namespace app {
namespace {

constexpr const char* kInitialScriptName = "init_script";

void GameLoopThread(World& world) {
  while (world.running.load() != 0) GameFrame(world);
}

void ClearObjectDefinitions(World& world) {
  for (auto& object : world.config.tables.objects) {
    object.defined = false;
    object.numberOfUses = 0;
    object.sprite = nullptr;
  }
  world.config.tables.attachedSheets.clear();
}

// Sprites then units of each unit kind in turn: the sprite definition table holds one kind at a
// time, and each unit loader reads what its kind's sprite loader has just filled.
bool LoadCharactersAndOtherUnits(COrvantaEngine& engine, bool checking) TL_REQUIRES(engine.Lock()) {
  for (int kind : {cast::kKindPlayer, cast::kKindBot, cast::kKindOther}) {
    if (!cast::LoadSpriteDefinitions(engine, kind) && !checking) return false;
    if (!cast::LoadUnitDefinitions(engine, kind) && !checking) return false;
  }
  return true;
}

// The start positions of the player units, in load order.
std::vector<std::array<int, 2>> PlayerStartPositions(const COrvantaEngine& engine) TL_REQUIRES(engine.Lock()) {
  std::vector<std::array<int, 2>> positions;
  for (int i = 0; i < engine.PlayerCount(); ++i) {
    const CGameUnit* unit = engine.PlayerAt(i);
    positions.push_back({unit->x, unit->y});
  }
  return positions;
}

void SetInventoryBarOrigin(World& world) {
  const auto& launcher = world.config.launcher;
  auto& settings = world.config.settings;
  settings.inventoryBarX = launcher.windowWidth - 680;
  settings.inventoryBarY = launcher.windowHeight - 130;
}

// The script of config.ini's initial_script, registered as "init_script" (a game loaded from a
// save resumes its run, if it had one, instead of starting it).
void RegisterInitialScript(COrvantaEngine& engine) {
  const config::GameConfig& config = engine.Config();
  const std::string& path = config.settings.initialScriptPath;
  if (path.empty()) return;
  auto initial = std::make_unique<COrvantaScript>();
  initial->Load(kInitialScriptName, path);  // a script that fails to load simply never runs
  if (initial->TooLarge()) {
    script::ShowScriptTooLarge(config.language(), config::JoinedPath(config.launcher, config::kFolderScripts,
                                                                     path.substr(path.rfind('\\') + 1)));
  }
  engine::WorldLock lock(engine.Lock());
  engine.RegisterScript(initial);
}

void StartInitialScript(COrvantaEngine& engine) {
  engine::WorldLock lock(engine.Lock());
  engine.RunScript(kInitialScriptName);
}

// The box names only the file; someone who started the program from another folder also needs
// to know where it looked and where it expects to be run from.
void TellWhereToRunFrom() {
  std::cerr << "tessaloom: Projects/autoexec.ini was looked for in " << platform::CurrentFolder()
            << " and is not there; run the program from the folder that holds Projects/\n";
}

void StartGameLoop(World& world) {
  platform::Get().GameLoopStarting();
  world.running = 1;
  world.gameLoop = std::thread(GameLoopThread, std::ref(world));
}

}  // namespace

std::array<int, 4> PlayersBoundingBox(const std::vector<std::array<int, 2>>& positions) {
  std::array<int, 4> box{-1, -1, -1, -1};  // left, top, right, bottom; -1 while unset
  for (const auto& [x, y] : positions) {
    if (box[0] == -1) box[0] = x;
    if (box[2] == -1) box[2] = x;
    if (box[1] == -1) box[1] = y;
    if (box[3] == -1) box[3] = y;
    box[0] = std::min(box[0], x);
    box[2] = std::max(box[2], x);
    box[1] = std::min(box[1], y);
    box[3] = std::max(box[3], y);
  }
  return box;
}

int WinMain(World& world, const std::string& commandLine) {
  auto& os = platform::Get();
  platform::Message message;
  if (!config::ReadAutoexec(world.config, commandLine, true)) {
    if (!platform::FileExists(config::kAutoexecPath)) TellWhereToRunFrom();
    // Only the quit the box posted is waiting; taking it ends the run as any quit does.
    while (os.GetMessage(message)) {
    }
    return os.QuitCode();
  }
  if (!CreateMainWindow(world.config.language(), kWindowTitle, config::kDefaultWindowWidth,
                        config::kDefaultWindowHeight)) {
    ShutdownGame(world);
    return config::kFatalExitCode;
  }
  os.SetWindowIcon(WindowIconPixels(), kWindowIconSize, kWindowIconSize);
  InitGame(world, commandLine);  // a failure inside has already posted the quit where it must
  while (os.GetMessage(message)) WindowProcedure(world, message.id, message.wParam, message.lParam);
  ShutdownGame(world);
  return os.QuitCode();
}

namespace {

// A checker names a missing project once, instead of every file it would have held.
bool ProjectFolderExists(const World& world) {
  const std::string data = world.config.launcher.Folder(config::kFolderData);
  const std::string project = data.substr(0, data.find_last_of('\\'));
  if (platform::FileExists(project)) return true;
  config::FatalError(world.config.listeners,
                     config::Tr(world.config.language(), "Project not found", "Proyecto no encontrado"),
                     config::Format(config::Tr(world.config.language(), "There is no project folder '%s'.",
                                               "No existe la carpeta de proyecto '%s'.")
                                        .c_str(),
                                    project.c_str()));
  return false;
}

// The loading steps of start-up in their order. A checker goes on past a failed step where the
// later ones can still read something.
bool LoadProject(World& world, const std::string& commandLine, bool checking) {
  ClearObjectDefinitions(world);
  if (!config::ReadAutoexec(world.config, commandLine, false)) return false;
  if (checking && !ProjectFolderExists(world)) return false;
  config::MusicStarter startMusic;
  if (!checking) startMusic = [&world](const std::string& path) { world.music.Start(path); };
  if (!config::ReadConfig(world.config, startMusic) && !checking) return false;
  SetInventoryBarOrigin(world);
  // The engine exists before any loader, which register sprites and units with it.
  world.engine = std::make_unique<COrvantaEngine>(world.config);
  COrvantaEngine& engine = *world.engine;
  // Nobody else can take the world lock before the initial script and the game loop start: the
  // loaders act as its holder.
  engine.Lock().AssumeHeld();
  world.scripts = std::make_unique<COrvantaScriptManager>(engine);
  world.scripts->ConnectToEngine();
  if (!map::ReadTiledMap(world.config) && !checking) return false;
  if (!map::ReadTilesetImages(world.config) && !checking) return false;
  if (!map::ReadTilesetProperties(world.config) && !checking) return false;
  cast::LoadSystemSprites(engine);
  if (!cast::LoadObjectDefinitions(engine) && !checking) return false;
  cast::LoadUnitObjects(engine);  // a failure has posted the quit; the other loaders still run
  if (!LoadCharactersAndOtherUnits(engine, checking)) return false;
  world.map = map::BuildGameMap(world.config);
  engine.SetMap(world.map.get());
  return true;
}

}  // namespace

bool LoadGame(World& world, const std::string& commandLine) {
  if (!LoadProject(world, commandLine, false)) return false;
  if (world.config.settings.viewLimitsByPlayers) {
    engine::WorldLock lock(world.engine->Lock());
    world.engine->State().playersBox = PlayersBoundingBox(PlayerStartPositions(*world.engine));
  }
  if (world.afterLoading) world.afterLoading(world);
  RegisterInitialScript(*world.engine);
  // A save holds the runs of every script, the initial one included; a refused save starts the
  // game from the beginning.
  if (!world.loadAtStart.empty() && StartFromSave(world, world.loadAtStart)) return true;
  StartInitialScript(*world.engine);
  return true;
}

bool InitGame(World& world, const std::string& commandLine) {
  if (!LoadGame(world, commandLine)) return false;
  StartGameLoop(world);
  return true;
}

bool LoadForCheck(World& world, const std::string& commandLine) { return LoadProject(world, commandLine, true); }

void GameFrame(World& world) {
  auto& os = platform::Get();
  if (!os.BeginFrame()) return;
  world.engine->Update();
  world.engine->Render();
  os.EndFrame();
  if (world.afterFrame) world.afterFrame(world);
}

void ShutdownGame(World& world) {
  if (world.beforeShutdown) world.beforeShutdown(world);
  if (world.running.load() != 0) {
    world.running = 0;
    platform::Get().GameLoopStopping();
    if (world.gameLoop.joinable()) world.gameLoop.join();
  }
  // Script threads act on units and the map: they end (after the line in progress, any SLEEP
  // cut short) before either goes away.
  if (world.scripts) world.scripts->Reset();
  world.music.Shutdown();
  world.ReleaseGame();
  world.config.tables.attachedSheets.clear();  // their sprites went with the engine
}

}  // namespace app
