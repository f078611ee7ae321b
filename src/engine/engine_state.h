// The engine's state, built from nothing by each construction of COrvantaEngine. Internal to
// the engine (and readable by its tests and the state dump); everything here is guarded by the
// engine's Lock() except the paused flag, which the window thread sets without the lock.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "config/game_config.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "units/contact_index.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"
#include "units/runtime_random.h"
#include "units/unit_services.h"

namespace engine {

inline constexpr int kMessageSlots = 6;
inline constexpr std::size_t kMessageTextMax = 130;
inline constexpr int kInventoryBarEntries = 12;

// One line of the message panel.
struct MessageSlot {
  bool used = false;
  std::string text;  // Windows-1252, at most kMessageTextMax bytes
  int lineWidth = 0;
  int lineHeight = 0;
  int kind = 0;    // 1 plain with the info icon, 2 object with the object's icon
  int object = 0;  // object number 1..64 for kind 2
  uint32_t expiry = 0;
  bool noted = false;  // drawn and told to the platform
};

// Where the pointer is and what the mouse is doing: the window thread writes it with each input
// message, the step and the frame read it.
struct PointerState {
  int pointerX = 0;
  int pointerY = 0;
  int dragStartX = 0, dragStartY = 0;
  int dragEndX = 0, dragEndY = 0;
  bool dragging = false;
  bool leftClick = false;
  bool rightClick = false;
  int cursorIndex = 1;
};

// The selected units, in the order they were chosen (not owned).
struct OrdersState {
  std::array<CGameUnit*, COrvantaEngine::kMaxUnits> selection{};
  int selectionCount = 0;
};

// The clock of the world step and of the game-loop pass the journal records.
struct TimingState {
  uint32_t lastStepTime = 0;
  uint32_t oneSecondMark = 0;
  // Whether this game-loop pass moved the world in time, and its first tick.
  bool passActive = false;
  bool passWritten = false;  // handed to the journal already
  uint32_t passTick = 0;
  // Added to the platform's tick counter to give the world's clock (wrapping): 0 until a saved
  // game is loaded, then whatever makes the clock read on where the save left it.
  uint32_t clockShift = 0;
};

// The panels over the map: messages, inventory bar and its tooltip, frame counter, death banner
// and image dialog, with the pictures they are drawn into.
struct HudState {
  std::array<MessageSlot, kMessageSlots> messages;
  int messageCount = 0;
  std::array<int, kInventoryBarEntries> inventoryEntries{};
  int inventoryEntryCount = 0;

  CBitmapSurface messagePanel;
  CBitmapSurface inventoryBar;
  CBitmapSurface objectTooltip;
  CBitmapSurface fpsPanel;
  CBitmapSurface imageDialog;
  CBitmapSurface deathBanner;
  CBitmapSurface infoIcon;
  CBitmapSurface alertIcon;

  bool fpsShown = false;
  uint32_t frameCount = 0;
  uint32_t lastFpsRefresh = 0;
  std::string fpsText;
  bool bannerShown = false;
  bool bannerNoted = false;  // drawn and told to the platform
  std::string bannerText;    // what the banner reads, its two lines joined by a line break
  uint32_t bannerUntil = 0;
  int bannerX = 0, bannerY = 0;
  bool imageDialogShown = false;
  bool imageDialogNoted = false;  // drawn and told to the platform
  int imageDialogX = 0, imageDialogY = 0;
  bool inventoryBarShown = false;
  int inventoryBarRight = 0, inventoryBarBottom = 0;
  int hoveredObject = 0;
  int messagePanelTop = 65;
  uint32_t actionSymbolUntil = 0;
  // What the tooltip and the image dialog show, kept for the state dump.
  std::string tooltipName;
  std::string tooltipDescription;  // backslash-n already turned into line breaks
  std::string imageDialogFile;
  // The file of the picture the dialog holds, shown or not (empty: the start picture); what a
  // saved game reads again.
  std::string imageDialogPicture;
};

struct EngineState {
  explicit EngineState(config::GameConfig& gameConfig) : config(gameConfig) {}
  EngineState(const EngineState&) = delete;
  EngineState& operator=(const EngineState&) = delete;

  // The game's settings and definition tables, owned by the world.
  config::GameConfig& config;

  // ---- Tables -------------------------------------------------------------------------------
  std::array<std::unique_ptr<CGameUnit>, COrvantaEngine::kMaxUnits> units;
  int unitCount = 0;
  std::array<CGameUnit*, COrvantaEngine::kMaxUnits> players{};  // not owned
  int playerCount = 0;
  std::array<std::unique_ptr<CGameSprite>, COrvantaEngine::kMaxSprites> sprites;
  int spriteCount = 0;

  // ---- The named parts ------------------------------------------------------------------------
  PointerState pointer;
  OrdersState orders;
  TimingState timing;
  HudState hud;

  // The frame being drawn.
  CBitmapSurface backBuffer;

  // ---- Engine-owned markers (not in the unit table) ---------------------------------------------
  // The destination marker under the pointer of a move order, and the symbol over a unit whose
  // action is offered; both hidden until used.
  std::unique_ptr<CGameSprite> pointerSprite;
  std::unique_ptr<CGameUnit> pointerMarker;
  std::unique_ptr<CGameSprite> actionSprite;
  std::unique_ptr<CGameUnit> actionSymbol;

  // ---- World --------------------------------------------------------------------------------
  CGameMap* map = nullptr;  // owned by the application
  CGameUnit* eventUnit = nullptr;
  CGameUnit* eventTarget = nullptr;
  // Where the camera may scroll when the view is limited by the players (left, top, right,
  // bottom): the players' start positions, widened as player units walk.
  std::array<int, 4> playersBox{0, 0, config::kMapPixelLimit, config::kMapPixelLimit};

  // The contact pass's broad phase, rebuilt every step.
  units::ContactIndex contacts;
  // Reused every frame by the depth sort: (depth key, unit).
  std::vector<std::pair<int, CGameUnit*>> drawList;

  // Script hand-off, installed by the script manager.
  COrvantaEngine::ScriptRegistrar registerScript;
  COrvantaEngine::ScriptStarter runScript;

  // The recorder of a play, when one listens.
  COrvantaEngine::Journal journal;
  // Set by the window thread around modal boxes, read without the lock.
  std::atomic<bool> paused{false};
  // What the units' rules ask of the engine (sounds, HUD, banner, scripts, action symbol).
  std::unique_ptr<units::UnitServices> services;
  // The generators: the world step's (the bots' decisions) and the orders' (the window thread's
  // formations); each starts as after seed 1.
  units::RuntimeRandom stepRandom;
  units::RuntimeRandom orderRandom;
};

// The filled slots of the unit table.
inline std::span<const std::unique_ptr<CGameUnit>> UnitTable(const EngineState& state) {
  return {state.units.data(), static_cast<std::size_t>(state.unitCount)};
}

// The unit's slot in the unit table; -1 for none, or for a unit outside the table (a marker).
int SlotOf(const EngineState& state, const CGameUnit* unit);
// The unit a saved game names by its slot; null for -1. Any other slot outside the table means a
// damaged save: config::SaveError.
CGameUnit* UnitOfSavedSlot(const EngineState& state, int slot);

// The tick counter of the platform, in milliseconds: what the play journal records.
uint32_t PlatformNow();
// The world's clock: the platform's tick counter moved by the shift a loaded game set, so that
// the times the world holds stay valid whatever the platform's counter reads.
uint32_t Now(const EngineState& state);

// The world as the units' rules see it now (COrvantaEngine::CurrentWorld).
units::UnitWorld WorldOf(EngineState& state);
// The camera's map point and the view rectangle (COrvantaEngine::GetCameraOrigin, GetViewRect).
units::Point CameraOrigin(const EngineState& state);
units::Rect ViewRect(const EngineState& state);
// The HUD services of COrvantaEngine of the same names.
CGameUnit* FirstSelectedPlayer(const EngineState& state);
void RefreshInventoryBar(EngineState& state);
void BuildObjectTooltip(EngineState& state);
// The services the engine gives the units of its world.
std::unique_ptr<units::UnitServices> MakeUnitServices(COrvantaEngine& engine);

// Draw the HUD's pictures again from the state they show (after a saved game is loaded): the
// message panel, the inventory bar and tooltip, the death banner's picture.
void RebuildMessagePanel(EngineState& state);
// A picture of the size, all black: how the HUD's pictures start.
inline void ClearPicture(CBitmapSurface& picture, int width, int height) {
  picture.Create(width, height);
  picture.Clear(0);
}
void RedrawInventoryPictures(EngineState& state);
void DrawBannerPicture(EngineState& state, const std::string& name, const std::string& word);

// Removes the messages whose five seconds are over (run by the HUD); true when one went.
bool ExpireMessages(EngineState& state, uint32_t now);

// Notes that time moved the world in this pass (the journal's pass line).
inline void MarkPassActive(EngineState& state, uint32_t now) {
  if (state.timing.passActive) return;
  state.timing.passActive = true;
  state.timing.passTick = now - state.timing.clockShift;  // the journal keeps the platform's ticks
}
// Hands the pass to the journal once, as soon as it is known to have done something: at the
// end of the world step, or at the end of drawing when only a timer of the drawing ran out.
void JournalPass(EngineState& state);
// Hands a forwarded message to the journal.
void JournalInput(EngineState& state, uint32_t now, uint32_t message, uint64_t wParam, int64_t lParam);

}  // namespace engine
