// The running game: owns every unit and sprite, steps the world in 10 ms steps, turns input into
// orders, keeps the HUD and draws the frame. An engine is one world's core: the application
// creates it with the world's configuration and hands it by reference to the loaders and scripts
// of that world; two engines share no state. The destructor releases everything the tables own.
//
// Threads: the window thread calls OnInput and SetPaused; the game-loop thread calls Update and
// Render. Those four (and SetJournal) take care of the world lock themselves. Every other
// operation expects its caller to hold Lock(), and says so to clang's analysis (loaders run
// before the game loop starts, where nobody else holds it; units run inside Update; scripts take
// the lock per executed line).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "engine/world_lock.h"
#include "units/game_geometry.h"
#include "units/unit_world.h"

class CBitmapSurface;
class CGameMap;
class CGameSprite;
class CGameUnit;
class COrvantaScript;

namespace config {
struct GameConfig;
}
namespace engine {
struct EngineState;
}

class COrvantaEngine {
 public:
  static constexpr int kMaxUnits = 1000;
  static constexpr int kMaxSprites = 256;

  explicit COrvantaEngine(config::GameConfig& config);
  virtual ~COrvantaEngine();
  COrvantaEngine(const COrvantaEngine&) = delete;
  COrvantaEngine& operator=(const COrvantaEngine&) = delete;

  // The world lock: guards the world (units, map cells, camera, inventories, HUD state, the
  // dialog image and script variables) between the window thread, the game-loop thread and
  // script threads. Never held across a sleep, a thread join or a modal box.
  engine::WorldMutex& Lock() const TL_RETURN_CAPABILITY(lock_) { return lock_; }
  // The engine's tables and HUD (the engine's own files, its tests and the state dump).
  engine::EngineState& State() TL_REQUIRES(lock_) { return *state_; }
  const engine::EngineState& State() const TL_REQUIRES(lock_) { return *state_; }
  // The game's settings and definition tables the engine reads.
  config::GameConfig& Config() const;

  // ---- Registration (start-up) ----------------------------------------------------------------
  // The map stays owned by the application.
  void SetMap(CGameMap* map) TL_REQUIRES(lock_);
  CGameMap* Map() const TL_REQUIRES(lock_);
  // Takes the unit into the first free slot and returns the slot; -1, leaving the unit with the
  // caller, for a null unit, one without a valid sprite, or a full table.
  int AddUnit(std::unique_ptr<CGameUnit>& unit) TL_REQUIRES(lock_);
  // The same for sprites (256 slots; a sprite whose sheet is not valid is refused).
  int AddSprite(std::unique_ptr<CGameSprite>& sprite) TL_REQUIRES(lock_);
  // Appends a unit already in the unit table to the player table (load order); -1 when full or
  // null.
  int AddPlayerUnit(CGameUnit* unit) TL_REQUIRES(lock_);

  int UnitCount() const TL_REQUIRES(lock_);
  CGameUnit* UnitAt(int slot) const TL_REQUIRES(lock_);        // null outside 0..count-1
  int SlotOf(const CGameUnit* unit) const TL_REQUIRES(lock_);  // -1 for none or one outside the table
  // The unit a saved game names by its slot (see engine::UnitOfSavedSlot).
  CGameUnit* UnitOfSavedSlot(int slot) const TL_REQUIRES(lock_);
  int PlayerCount() const TL_REQUIRES(lock_);
  CGameUnit* PlayerAt(int index) const TL_REQUIRES(lock_);
  int SpriteCount() const TL_REQUIRES(lock_);
  const CGameSprite* SpriteAt(int slot) const TL_REQUIRES(lock_);  // null outside 0..count-1

  // The first unit whose identifier name equals the text exactly (case-sensitive); null when
  // none or for a null text.
  CGameUnit* FindUnitByName(const char* name) const TL_REQUIRES(lock_);

  // The world as the units' rules see it now: map, unit and player tables, the tick and the
  // engine's services (sounds, messages, banner, scripts, action symbol, inventory bar).
  units::UnitWorld CurrentWorld() TL_REQUIRES(lock_);

  // ---- Camera -----------------------------------------------------------------------------------
  // The map's scroll position; (0, 0) without a map.
  units::Point GetCameraOrigin() const TL_REQUIRES(lock_);
  // (left, top, left + screen width, top + screen height); all 0 without a map.
  units::Rect GetViewRect() const TL_REQUIRES(lock_);

  // ---- Events and scripts -----------------------------------------------------------------------
  void SetEventUnit(CGameUnit* unit) TL_REQUIRES(lock_);
  CGameUnit* EventUnit() const TL_REQUIRES(lock_);
  // The script manager lives in a subsystem built on the engine; it installs its two entry
  // points here. RegisterScript moves the script to the manager (leaving a null pointer) and
  // returns true; without a manager, or with all its slots taken, the script stays with the
  // caller. RunScript starts the registered script of that name with the event unit as its
  // owner; the second form records the event unit first (the player of an accepted collision
  // action, the attacker of a death).
  using ScriptRegistrar = std::function<void(std::unique_ptr<COrvantaScript>&)>;
  using ScriptStarter = std::function<void(const std::string&)>;
  void InstallScriptManager(ScriptRegistrar registrar, ScriptStarter starter) TL_REQUIRES(lock_);
  bool RegisterScript(std::unique_ptr<COrvantaScript>& script) TL_REQUIRES(lock_);
  void RunScript(const std::string& name) TL_REQUIRES(lock_);
  void RunScript(const std::string& name, CGameUnit* eventUnit) TL_REQUIRES(lock_);

  // ---- Image dialog -----------------------------------------------------------------------------
  // Shows a copy of the picture centred on the window until the player clicks; a picture that is
  // not valid or smaller than 1 x 1 leaves the dialog hidden. Returns whether it is shown. (The
  // caller loads the file first, so that no file is read under the world lock.) `fileName` is
  // the name the picture came from, kept for the state dump.
  bool ShowImageDialog(const CBitmapSurface& picture, const std::string& fileName = {}) TL_REQUIRES(lock_);
  // Loads the file of that name from the project's Images folder and shows it; a file that cannot
  // be read leaves the dialog hidden and answers false. It reads the file under the caller's
  // lock; a caller that can load first (the script command) uses the form above.
  bool ShowImageDialog(const std::string& fileName) TL_REQUIRES(lock_);
  bool ImageDialogShown() const TL_REQUIRES(lock_);
  // Reads a picture of the project's Images folder for the dialog; an empty name reads nothing.
  static void LoadDialogPicture(const config::GameConfig& config, const std::string& fileName, CBitmapSurface& picture);

  // ---- Window thread ----------------------------------------------------------------------------
  // Brackets modal boxes so the world does not move behind them.
  void SetPaused(bool paused);
  bool IsPaused() const;
  // Forwarded mouse and key messages, with their Windows numbers.
  void OnInput(uint32_t message, uint64_t wParam, int64_t lParam) TL_EXCLUDES(lock_);

  // ---- Journal of a recorded play -------------------------------------------------------------
  // Called with the world lock held, in the order the world sees them: each forwarded message as
  // OnInput takes it, and each game-loop pass in which time moved the world (a step, the
  // one-second mark, or a timer that ran out while drawing), with the tick the pass read first.
  // Replaying both in that order on a clock that reads the same ticks gives the same world.
  struct Journal {
    std::function<void(uint32_t now, uint32_t message, uint64_t wParam, int64_t lParam)> input;
    std::function<void(uint32_t now)> pass;
  };
  void SetJournal(Journal journal) TL_EXCLUDES(lock_);

  // ---- Game-loop thread -------------------------------------------------------------------------
  // At most one 10 ms world step per call, paced by the tick counter.
  void Update() TL_EXCLUDES(lock_);
  // One frame: map, units in depth order, HUD, presentation, then the drag box over it.
  void Render() TL_EXCLUDES(lock_);
  // Parts of Render (caller holds the lock): the visible units by depth, and the HUD panels.
  void DrawUnitsSorted() TL_REQUIRES(lock_);
  void DrawHud() TL_REQUIRES(lock_);

  // ---- HUD services -----------------------------------------------------------------------------
  // Kind 1: a plain message with the info icon; kind 2: an object message with the icon of
  // object `object`. Texts are Windows-1252, at most 130 bytes (longer ones are cut). An empty
  // text, or one that finds all six slots taken, only rebuilds the panel.
  void AddHudMessage(const std::string& text, int kind, int object) TL_REQUIRES(lock_);
  // Rebuilds the inventory bar from the first selected player's inventory; hides it when that
  // player holds nothing. Nothing changes without a selected player.
  void RefreshInventoryBar() TL_REQUIRES(lock_);
  // The first player of the player table (load order) that is selected; null when none.
  CGameUnit* FirstSelectedPlayer() const TL_REQUIRES(lock_);
  // Rebuilds the tooltip of the inventory icon under the pointer.
  void BuildObjectTooltip() TL_REQUIRES(lock_);
  // A player's death: builds the banner with the name and the word and, when the game settings
  // allow it, shows it (the world stands still and the frame turns grey for 6 s).
  void ShowDeathBanner(const std::string& name, const std::string& word) TL_REQUIRES(lock_);
  // The icon drawn over a bot that has spotted a player.
  const CBitmapSurface& AlertIcon() const TL_REQUIRES(lock_);

  // ---- Saved games (engine_save.cpp) ------------------------------------------------------------
  // The world's clock: the platform's tick counter, moved on by a loaded game to read on from
  // the time of its save.
  uint32_t Now() const TL_REQUIRES(lock_);
  // Moves the world's clock so that it reads `tick` now.
  void SetWorldClock(uint32_t tick) TL_REQUIRES(lock_);
  // The engine's part of a saved game: the clock, every unit and marker, selection, pointer, HUD,
  // generators, players' box, event units and the map. LoadState checks the cast first (the same
  // units in the same slots) and throws config::SaveError on anything out of place; a refusal
  // may leave part of the state loaded, so its caller puts back a save of its own first.
  void SaveState(nlohmann::json& out) TL_REQUIRES(lock_);
  void LoadState(const nlohmann::json& in) TL_REQUIRES(lock_);

 private:
  std::unique_ptr<engine::EngineState> state_;
  mutable engine::WorldMutex lock_;
};
