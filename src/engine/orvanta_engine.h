// The running game: owns every unit and sprite, steps the world in 10 ms steps, turns input into
// orders, keeps the HUD and draws the frame. One engine per process; its operations are static
// so that loaders, units and scripts reach them directly. Each construction rebuilds the whole
// state from nothing, and the destructor releases everything the tables own.
//
// Threads: the window thread calls OnInput and SetPaused; the game-loop thread calls Update and
// Render. Those four take care of the world lock themselves. Every other operation expects its
// caller to hold WorldLock() (loaders run before the game loop starts, where nobody else holds
// it; units run inside Update; scripts take the lock per executed line).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "units/game_geometry.h"
#include "units/unit_world.h"

class CBitmapSurface;
class CGameMap;
class CGameSprite;
class CGameUnit;
class COrvantaScript;

class COrvantaEngine {
 public:
  static constexpr int kMaxUnits = 1000;
  static constexpr int kMaxSprites = 256;

  COrvantaEngine();
  virtual ~COrvantaEngine();
  COrvantaEngine(const COrvantaEngine&) = delete;
  COrvantaEngine& operator=(const COrvantaEngine&) = delete;

  static bool Exists();

  // ---- Registration (start-up) ----------------------------------------------------------------
  // The map stays owned by the application.
  static void SetMap(CGameMap* map);
  static CGameMap* Map();
  // Takes the unit into the first free slot and returns the slot; -1, leaving the unit with the
  // caller, for a null unit, one without a valid sprite, or a full table.
  static int AddUnit(std::unique_ptr<CGameUnit>& unit);
  // The same for sprites (256 slots; a sprite whose sheet is not valid is refused).
  static int AddSprite(std::unique_ptr<CGameSprite>& sprite);
  // Appends a unit already in the unit table to the player table (load order); -1 when full or
  // null.
  static int AddPlayerUnit(CGameUnit* unit);

  static int UnitCount();
  static CGameUnit* UnitAt(int slot);  // null outside 0..count-1
  static int PlayerCount();
  static CGameUnit* PlayerAt(int index);
  static int SpriteCount();
  static const CGameSprite* SpriteAt(int slot);  // null outside 0..count-1

  // The first unit whose identifier name equals the text exactly (case-sensitive); null when
  // none or for a null text.
  static CGameUnit* FindUnitByName(const char* name);

  // The world as the units' rules see it now: map, unit and player tables, the tick and the
  // engine's services (sounds, messages, banner, scripts, action symbol, inventory bar).
  static units::UnitWorld CurrentWorld();

  // ---- Camera -----------------------------------------------------------------------------------
  // The map's scroll position; (0, 0) without a map.
  static units::Point GetCameraOrigin();
  // (left, top, left + screen width, top + screen height); all 0 without a map.
  static units::Rect GetViewRect();

  // ---- Events and scripts -----------------------------------------------------------------------
  static void SetEventUnit(CGameUnit* unit);
  static CGameUnit* EventUnit();
  // The script manager lives in a subsystem built on the engine; it installs its two entry
  // points here. RegisterScript moves the script to the manager (leaving a null pointer) and
  // returns true; without a manager, or with all its slots taken, the script stays with the
  // caller. RunScript starts the registered script of that name with the event unit as its
  // owner; the second form records the event unit first (the player of an accepted collision
  // action, the attacker of a death).
  using ScriptRegistrar = std::function<void(std::unique_ptr<COrvantaScript>&)>;
  using ScriptStarter = std::function<void(const std::string&)>;
  static void InstallScriptManager(ScriptRegistrar registrar, ScriptStarter starter);
  static bool RegisterScript(std::unique_ptr<COrvantaScript>& script);
  static void RunScript(const std::string& name);
  static void RunScript(const std::string& name, CGameUnit* eventUnit);

  // ---- Image dialog -----------------------------------------------------------------------------
  // Shows a copy of the picture centred on the window until the player clicks; a picture that is
  // not valid or smaller than 1 x 1 leaves the dialog hidden. Returns whether it is shown. (The
  // caller loads the file first, so that no file is read under the world lock.) `fileName` is
  // the name the picture came from, kept for the state dump.
  static bool ShowImageDialog(const CBitmapSurface& picture, const std::string& fileName = {});
  // Loads the file of that name from the project's Images folder and shows it; a file that cannot
  // be read leaves the dialog hidden and answers false. It reads the file under the caller's
  // lock; a caller that can load first (the script command) uses the form above.
  static bool ShowImageDialog(const std::string& fileName);
  static bool ImageDialogShown();

  // ---- Window thread ----------------------------------------------------------------------------
  // Brackets modal boxes so the world does not move behind them.
  static void SetPaused(bool paused);
  static bool IsPaused();
  // Forwarded mouse and key messages, with their Windows numbers.
  static void OnInput(uint32_t message, uint64_t wParam, int64_t lParam);

  // ---- Journal of a recorded play -------------------------------------------------------------
  // Called with the world lock held, in the order the world sees them: each forwarded message as
  // OnInput takes it, and each game-loop pass in which time moved the world (a step, the
  // one-second mark, or a timer that ran out while drawing), with the tick the pass read first.
  // Replaying both in that order on a clock that reads the same ticks gives the same world.
  struct Journal {
    std::function<void(uint32_t now, uint32_t message, uint64_t wParam, int64_t lParam)> input;
    std::function<void(uint32_t now)> pass;
  };
  static void SetJournal(Journal journal);

  // ---- Game-loop thread -------------------------------------------------------------------------
  // At most one 10 ms world step per call, paced by the tick counter.
  static void Update();
  // One frame: map, units in depth order, HUD, presentation, then the drag box over it.
  static void Render();
  // Parts of Render (caller holds the lock): the visible units by depth, and the HUD panels.
  static void DrawUnitsSorted();
  static void DrawHud();

  // ---- HUD services -----------------------------------------------------------------------------
  // Kind 1: a plain message with the info icon; kind 2: an object message with the icon of
  // object `object`. Texts are Windows-1252, at most 130 bytes (longer ones are cut). An empty
  // text, or one that finds all six slots taken, only rebuilds the panel.
  static void AddHudMessage(const std::string& text, int kind, int object);
  // Rebuilds the inventory bar from the first selected player's inventory; hides it when that
  // player holds nothing. Nothing changes without a selected player.
  static void RefreshInventoryBar();
  // The first player of the player table (load order) that is selected; null when none.
  static CGameUnit* FirstSelectedPlayer();
  // Rebuilds the tooltip of the inventory icon under the pointer.
  static void BuildObjectTooltip();
  // A player's death: builds the banner with the name and the word and, when the game settings
  // allow it, shows it (the world stands still and the frame turns grey for 6 s).
  static void ShowDeathBanner(const std::string& name, const std::string& word);
  // The icon drawn over a bot that has spotted a player.
  static const CBitmapSurface& AlertIcon();
};
