#include "engine/orvanta_engine.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "map/game_map.h"
#include "platform/platform.h"

namespace engine {
namespace {

// The transparent key and the shadow key of the engine's own sprites and icons.
constexpr uint32_t kEngineKey = 0xBF7BC7;
constexpr uint32_t kEngineShadow = 0x5F3D63;

// Every picture the engine owns, in its empty start state; the icons may be missing from a
// project, in which case they stay invalid and are never drawn.
void CreatePictures(EngineState& state) {
  const config::LauncherSettings& launcher = state.config.launcher;
  state.backBuffer.Create(launcher.windowWidth, launcher.windowHeight);
  state.backBuffer.Clear(0);
  const struct {
    CBitmapSurface* surface;
    int width, height;
  } panels[] = {{&state.hud.messagePanel, 400, 12}, {&state.hud.inventoryBar, 384, 48},
                {&state.hud.objectTooltip, 1, 1},   {&state.hud.fpsPanel, 80, 22},
                {&state.hud.imageDialog, 1, 1},     {&state.hud.deathBanner, 1, 1}};
  for (const auto& panel : panels) ClearPicture(*panel.surface, panel.width, panel.height);
  state.hud.infoIcon.LoadFile(launcher.Folder(config::kFolderSystem) + "\\info_icon.bmp");
  state.hud.alertIcon.LoadFile(launcher.Folder(config::kFolderSpritesBots) + "\\alert_bot.bmp");
}

// A hidden effect unit on an engine sprite, looping "Default" over its frames once shown. A
// sheet missing from the project leaves a unit without sprite, which does nothing.
void CreateMarker(const config::LauncherSettings& launcher, std::unique_ptr<CGameSprite>& sprite,
                  std::unique_ptr<CGameUnit>& marker, const std::string& file, int frameWidth, int frameHeight,
                  int frameMs, int lastFrame) {
  sprite = std::make_unique<CGameSprite>();
  sprite->Load(launcher.Folder(config::kFolderSystem) + "\\" + file, frameWidth, frameHeight, kEngineKey,
               kEngineShadow);
  marker = std::make_unique<CGameUnit>();
  marker->AttachSprite(sprite.get(), 0, kUnitKindEffect, {});
  marker->SetVisible(false, 0);
  marker->SetAnimationTime(frameMs);
  marker->AddAnimation("Default", 0, lastFrame, 0);
}

void CreateMarkers(EngineState& state) {
  CreateMarker(state.config.launcher, state.pointerSprite, state.pointerMarker, "pointer.bmp", 92, 91, 80, 7);
  CreateMarker(state.config.launcher, state.actionSprite, state.actionSymbol, "action_symbol.bmp", 52, 74, 200, 1);
  state.actionSymbol->opacity = 50;
}

// The object icons of the definition tables are released with the engine.
void ReleaseObjectIcons(config::GameTables& tables) {
  auto& objects = tables.objects;
  for (int i = 1; i <= config::kMaxObjects; ++i) {
    config::ObjectDefinition& object = objects[static_cast<std::size_t>(i)];
    object.icon.reset();
  }
}

// Moves the item into the first free slot of a table without holes and returns the slot; -1,
// leaving the item with the caller, when the table is full.
template <typename Item, std::size_t N>
int TakeIntoTable(std::array<std::unique_ptr<Item>, N>& table, int& count, std::unique_ptr<Item>& item) {
  if (count >= static_cast<int>(N)) return -1;
  const int slot = count++;
  table[static_cast<std::size_t>(slot)] = std::move(item);
  return slot;
}

}  // namespace

void JournalPass(EngineState& state) {
  if (!state.timing.passActive || state.timing.passWritten) return;
  state.timing.passWritten = true;
  if (state.journal.pass) state.journal.pass(state.timing.passTick);
}

void JournalInput(EngineState& state, uint32_t now, uint32_t message, uint64_t wParam, int64_t lParam) {
  if (state.journal.input) state.journal.input(now, message, wParam, lParam);
}
uint32_t PlatformNow() { return platform::Get().TickCount(); }
uint32_t Now(const EngineState& state) { return PlatformNow() + state.timing.clockShift; }

int SlotOf(const EngineState& state, const CGameUnit* unit) {
  if (unit == nullptr) return -1;
  for (int i = 0; i < state.unitCount; ++i) {
    if (state.units[static_cast<std::size_t>(i)].get() == unit) return i;
  }
  return -1;
}

}  // namespace engine

COrvantaEngine::COrvantaEngine(config::GameConfig& config) : state_(std::make_unique<engine::EngineState>(config)) {
  engine::CreatePictures(*state_);
  engine::CreateMarkers(*state_);
  state_->services = engine::MakeUnitServices(*this);
  platform::Get().UseArrowCursor();
}

COrvantaEngine::~COrvantaEngine() {
  engine::EngineState& state = *state_;
  // Units first: they point at the sprites.
  for (int i = 0; i < state.unitCount; ++i) state.units[static_cast<std::size_t>(i)].reset();
  state.unitCount = 0;
  for (int i = 0; i < state.spriteCount; ++i) state.sprites[static_cast<std::size_t>(i)].reset();
  state.spriteCount = 0;
  engine::ReleaseObjectIcons(state.config.tables);
}

void COrvantaEngine::SetMap(CGameMap* map) { State().map = map; }
CGameMap* COrvantaEngine::Map() const { return State().map; }

int COrvantaEngine::AddUnit(std::unique_ptr<CGameUnit>& unit) {
  engine::EngineState& state = State();
  if (!unit || !unit->HasValidSprite()) return -1;
  return engine::TakeIntoTable(state.units, state.unitCount, unit);
}

int COrvantaEngine::AddSprite(std::unique_ptr<CGameSprite>& sprite) {
  engine::EngineState& state = State();
  if (!sprite || !sprite->IsValid()) return -1;
  return engine::TakeIntoTable(state.sprites, state.spriteCount, sprite);
}

int COrvantaEngine::AddPlayerUnit(CGameUnit* unit) {
  engine::EngineState& state = State();
  if (unit == nullptr || state.playerCount >= kMaxUnits) return -1;
  const int index = state.playerCount++;
  state.players[static_cast<std::size_t>(index)] = unit;
  // The view follows the players: each widens the players' box as it walks.
  if (state.config.settings.viewLimitsByPlayers) unit->playersBox = &state.playersBox;
  return index;
}

int COrvantaEngine::UnitCount() const { return State().unitCount; }
CGameUnit* COrvantaEngine::UnitAt(int slot) const {
  const engine::EngineState& state = State();
  return slot >= 0 && slot < state.unitCount ? state.units[static_cast<std::size_t>(slot)].get() : nullptr;
}
int COrvantaEngine::SlotOf(const CGameUnit* unit) const { return engine::SlotOf(State(), unit); }
CGameUnit* COrvantaEngine::UnitOfSavedSlot(int slot) const { return engine::UnitOfSavedSlot(State(), slot); }
int COrvantaEngine::PlayerCount() const { return State().playerCount; }
CGameUnit* COrvantaEngine::PlayerAt(int index) const {
  const engine::EngineState& state = State();
  return index >= 0 && index < state.playerCount ? state.players[static_cast<std::size_t>(index)] : nullptr;
}
int COrvantaEngine::SpriteCount() const { return State().spriteCount; }
const CGameSprite* COrvantaEngine::SpriteAt(int slot) const {
  const engine::EngineState& state = State();
  return slot >= 0 && slot < state.spriteCount ? state.sprites[static_cast<std::size_t>(slot)].get() : nullptr;
}

CGameUnit* COrvantaEngine::FindUnitByName(const char* name) const {
  if (name == nullptr) return nullptr;
  const engine::EngineState& state = State();
  for (int i = 0; i < state.unitCount; ++i) {
    CGameUnit* unit = state.units[static_cast<std::size_t>(i)].get();
    if (unit->IdentifierName() == name) return unit;
  }
  return nullptr;
}

namespace engine {

units::Point CameraOrigin(const EngineState& state) {
  if (state.map == nullptr) return {};
  return {state.map->CameraX(), state.map->CameraY()};
}

units::Rect ViewRect(const EngineState& state) {
  if (state.map == nullptr) return {};
  const units::Point origin = CameraOrigin(state);
  const config::LauncherSettings& launcher = state.config.launcher;
  return {origin.x, origin.y, origin.x + launcher.windowWidth, origin.y + launcher.windowHeight};
}

}  // namespace engine

units::Point COrvantaEngine::GetCameraOrigin() const { return engine::CameraOrigin(State()); }
units::Rect COrvantaEngine::GetViewRect() const { return engine::ViewRect(State()); }

void COrvantaEngine::SetEventUnit(CGameUnit* unit) { State().eventUnit = unit; }
CGameUnit* COrvantaEngine::EventUnit() const { return State().eventUnit; }

void COrvantaEngine::InstallScriptManager(ScriptRegistrar registrar, ScriptStarter starter) {
  State().registerScript = std::move(registrar);
  State().runScript = std::move(starter);
}

bool COrvantaEngine::RegisterScript(std::unique_ptr<COrvantaScript>& script) {
  engine::EngineState& state = State();
  if (!script || !state.registerScript) return false;
  state.registerScript(script);
  return script == nullptr;  // a full manager leaves it with the caller
}

void COrvantaEngine::RunScript(const std::string& name) {
  engine::EngineState& state = State();
  if (state.runScript) state.runScript(name);
}

void COrvantaEngine::RunScript(const std::string& name, CGameUnit* eventUnit) {
  SetEventUnit(eventUnit);
  RunScript(name);
}

void COrvantaEngine::SetJournal(Journal journal) {
  engine::WorldLock lock(Lock());
  State().journal = std::move(journal);
}

void COrvantaEngine::SetPaused(bool paused) { state_->paused = paused; }
config::GameConfig& COrvantaEngine::Config() const { return state_->config; }

bool COrvantaEngine::IsPaused() const { return state_->paused; }

const CBitmapSurface& COrvantaEngine::AlertIcon() const { return State().hud.alertIcon; }
