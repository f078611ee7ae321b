// The small world the interpreter and saved-game fuzz targets run against: a 32 x 32 cell map
// with two tilesets, three walking players (test_unit_1..3), two inventory objects, a picture and
// a sound folder, on a backend whose clock moves one 10 ms game step with each script wait.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "config/game_config.h"
#include "engine/engine_state_json.h"
#include "engine/orvanta_engine.h"
#include "flat_bmp.h"
#include "fuzz_check.h"
#include "map/game_map.h"
#include "platform/ini.h"
#include "platform/platform.h"
#include "script/script_manager.h"
#include "script/script_state_json.h"
#include "script/script_variables.h"
#include "support/silent_platform.h"
#include "unit_bounds.h"

namespace fuzz {

namespace fs = std::filesystem;

// Waits a run may make before it is stopped: SLEEPs, of which the last may be a slice pause.
// A loop that never sleeps ends at its first pause, after kLinesPerSlice lines.
inline constexpr int kWaitsPerRun = 3;
// Calls into the backend's clock and sounds a run may make before it is stopped. The commands
// that cost most per line (HUD messages, inventory changes, bubbles, sounds) each make one, so a
// loop of them ends long before its slices do.
inline constexpr int kBackendCallsPerRun = 256;
inline constexpr uint32_t kStepMs = 10;
inline constexpr int kViewWidth = 320;
inline constexpr int kViewHeight = 240;
inline constexpr int kTile = 16;
inline constexpr int kCells = 32;

// A backend on a virtual clock with nothing to show: each script wait moves the clock one step
// and runs that step of the world, as the game loop would while the script waits. The wait or
// the call that uses up the run's allowance stops the run.
class StepPlatform final : public testing_support::SilentPlatform {
 public:
  explicit StepPlatform(std::atomic<bool>& running) : running_(running) {}
  int Waits() const { return waits_; }
  // The engine whose world moves one step with each wait (none: only the clock moves).
  void Drive(COrvantaEngine* engine) { engine_ = engine; }

  void ScriptSleep(uint32_t) override { Wait(); }
  void ScriptYield() override {
    Wait();
    running_.store(false);
  }
  void WakeScripts(bool) override {}
  uint32_t TickCount() override {
    Call();
    return now_;
  }
  void Sleep(uint32_t ms) override { now_ += ms; }
  bool BeginFrame() override { return true; }
  void PlaySoundFile(const std::string&) override { Call(); }

 private:
  void Wait() {
    now_ += kStepMs;
    if (engine_ != nullptr) engine_->Update();
    if (++waits_ >= kWaitsPerRun) running_.store(false);
  }
  void Call() {
    if (++calls_ >= kBackendCallsPerRun) running_.store(false);
  }

  std::atomic<bool>& running_;
  COrvantaEngine* engine_ = nullptr;
  uint32_t now_ = 0x00F00000;
  int waits_ = 0;
  int calls_ = 0;
};

// The files of this process's world (tileset sheets, a picture), made once and removed when the
// run ends; scripts only read them.
struct WorldFiles {
  fs::path root = fs::temp_directory_path() / ("tessaloom-fuzz-run-" + std::to_string(::getpid()));
  WorldFiles() {
    fs::create_directories(root / "Images");
    fs::create_directories(root / "Sounds");
    fuzz::SaveFlatBmp(Terrain(), 10 * kTile, 5 * kTile, 0x2060C0);
    fuzz::SaveFlatBmp(Props(), 2 * kTile, 2 * kTile, 0x80A040);
    fuzz::SaveFlatBmp(Picture(), 20, 10, 0x404040);
  }
  ~WorldFiles() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  std::string Terrain() const { return (root / "terrain.bmp").string(); }
  std::string Props() const { return (root / "props.bmp").string(); }
  std::string Picture() const { return (root / "Images" / "map.bmp").string(); }
};

inline const WorldFiles& Files() {
  static const WorldFiles files;
  return files;
}

// The tables a fresh start has, then what the commands look up: tilesets "terrain" (50 tiles,
// tile 5 blocked) and "props" (4 tiles), objects "Brass key" and "Llave de hierro n~", and the
// picture and sound folders.
inline void FillTables(config::GameConfig& config) {
  platform::ClearIniCache();
  config::LauncherSettings& launcher = config.launcher;
  launcher.windowWidth = kViewWidth;
  launcher.windowHeight = kViewHeight;
  for (std::string& folder : launcher.folders) folder = Files().root.string();
  launcher.folders[config::kFolderImages] = (Files().root / "Images").string();
  launcher.folders[config::kFolderSounds] = (Files().root / "Sounds").string();
  config::GameTables& tables = config.tables;
  tables.tilesets[0] = {
      true, "terrain", 1, 50, 10 * kTile, 5 * kTile, config::kDefaultTransparentColor, std::vector<int>(50, 1)};
  tables.tilesets[0].walkable[5] = 0;
  tables.tilesets[1] = {true, "props", 51, 54, 2 * kTile, 2 * kTile, config::kDefaultTransparentColor, {1, 0, 0, 1}};
  for (auto [number, name, uses] : {std::tuple{1, "Brass key", 3}, std::tuple{2, "Llave de hierro \xF1", 99}}) {
    config::ObjectDefinition& object = tables.objects[static_cast<std::size_t>(number)];
    object.defined = true;
    object.name = name;
    object.numberOfUses = uses;
  }
}

inline std::unique_ptr<CGameMap> MakeMap(const config::GameConfig& config) {
  auto map = std::make_unique<CGameMap>();
  map->UseConfig(&config);
  FUZZ_REQUIRE(map->Init({Files().Terrain(), Files().Props()}, kTile, kTile, kViewWidth, kViewHeight, kCells, kCells));
  std::vector<map::MapCell> cells(kCells * kCells, {1, 1, 0, 0, 0, map::kNoTileset, 0, 0});
  cells[3 * kCells + 3].walkable = 0;
  FUZZ_REQUIRE(map->SetCells(cells));
  return map;
}

// What the run must have left: every unit inside its bounds with its health, bubble and
// inventory within their limits, the camera where drawing reads only cells of the grid, and the
// variable table within its size.
inline void CheckWorld(const COrvantaScriptManager& scripts, const CGameMap& map) {
  const COrvantaEngine& engine = scripts.World().engine;
  for (int i = 0; i < engine.UnitCount(); ++i) {
    const CGameUnit& unit = *engine.UnitAt(i);
    FUZZ_REQUIRE(fuzz::InBounds(unit));
    FUZZ_REQUIRE(unit.Health() >= 0 && unit.Health() <= unit.MaxHealth());
    FUZZ_REQUIRE(unit.bubbleText.size() <= CGameUnit::kLongTextMax);
    for (const units::InventorySlot& slot : unit.inventory) {
      FUZZ_REQUIRE(slot.object >= 0 && slot.object <= config::kMaxObjects && slot.count >= 0 && slot.count <= 99);
    }
  }
  FUZZ_REQUIRE(map.CameraX() >= 0 && map.CameraX() <= map.PixelWidth() - map.ViewWidth());
  FUZZ_REQUIRE(map.CameraY() >= 0 && map.CameraY() <= map.PixelHeight() - map.ViewHeight());
  const std::vector<script::Variable>& variables = scripts.World().variables.All();
  FUZZ_REQUIRE(variables.size() <= script::kMaxVariables);
  for (const script::Variable& variable : variables) {
    FUZZ_REQUIRE(!variable.name.empty() && variable.name.size() <= script::kMaxVariableNameLength);
    FUZZ_REQUIRE(variable.text.size() <= script::kMaxVariableTextLength);
  }
  // The state dump holds whatever bytes a script gave names and texts: it must still be JSON
  // that can be written (valid UTF-8).
  (void)ScriptStateJson(&scripts).dump();
  (void)EngineStateJson(&engine).dump();
}

}  // namespace fuzz
