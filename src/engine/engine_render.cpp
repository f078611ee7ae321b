// One frame: the map, the units in depth order and the HUD into the back buffer, the
// presentation, and the drag box over the presented picture.
#include <algorithm>
#include <mutex>
#include <optional>
#include <tuple>

#include "config/game_settings.h"
#include "config/language.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/hud_style.h"
#include "engine/orvanta_engine.h"
#include "map/game_map.h"
#include "platform/platform.h"

namespace engine {
namespace {

void DrawMapLayer(EngineState& state) {
  if (state.config.launcher.multiThreadDrawing) {
    state.map->DrawMapTwoThreads(state.backBuffer);
  } else {
    state.map->DrawMap(state.backBuffer);
  }
}

// Blends a whole panel onto the back buffer.
void BlendPanel(EngineState& state, const CBitmapSurface& panel, int x, int y, int opacity) {
  state.backBuffer.DrawBlended(x, y, panel.GetWidth(), panel.GetHeight(), panel, 0, 0, opacity);
}

// Counts the frame; once a second (measured from the last refresh shown) refreshes the FPS
// figure while it is shown and runs the message expiry pass. While the figure is hidden its
// count and time run on, so the pass runs every frame and the first figure after 'F' covers
// every frame since the last refresh.
void CountFrame(EngineState& state, uint32_t now) {
  ++state.hud.frameCount;
  if (now - state.hud.lastFpsRefresh < hud::kFpsRefreshMs) return;
  if (state.hud.fpsShown) {
    state.hud.lastFpsRefresh = now;
    state.hud.fpsText = config::Format("FPS: %d", static_cast<int>(state.hud.frameCount));
    state.hud.frameCount = 0;
    state.hud.fpsPanel.Clear(0);
    state.hud.fpsPanel.DrawText(5, 0, state.hud.fpsText.c_str(), hud::kWhite, 100, hud::Face(state.config.settings, 0),
                                hud::kFpsPoints, true, false);
    MarkPassActive(state, now);
  }
  if (ExpireMessages(state, now)) MarkPassActive(state, now);
}

// Tells the platform of a text the first time it is drawn.
void NoteOnce(bool& noted, platform::ShownText kind, const std::string& unit, const std::string& text) {
  if (noted) return;
  noted = true;
  platform::Get().NoteShown(kind, unit, text);
}

// How a transcript names a unit: its identifier name, or its table index when it has none.
std::string UnitWord(const EngineState& state, const CGameUnit& unit) {
  if (!unit.IdentifierName().empty()) return unit.IdentifierName();
  std::string word = "#";
  for (int i = 0; i < state.unitCount; ++i) {
    if (state.units[static_cast<std::size_t>(i)].get() == &unit) word += std::to_string(i);
  }
  return word;
}

void DrawDeathBanner(EngineState& state, uint32_t now) {
  if (!state.hud.bannerShown) return;
  BlendPanel(state, state.hud.deathBanner, state.hud.bannerX, state.hud.bannerY, hud::kBannerOpacity);
  NoteOnce(state.hud.bannerNoted, platform::ShownText::Banner, {}, state.hud.bannerText);
  if (now > state.hud.bannerUntil) {
    state.hud.bannerShown = false;
    MarkPassActive(state, now);
  }
}

// The bar at its origin; the pointer resting on it (edges included) picks the hovered object,
// whose tooltip stands on the bar's top edge.
void DrawInventoryBar(EngineState& state) {
  if (!state.hud.inventoryBarShown) return;
  const config::GameSettings& settings = state.config.settings;
  BlendPanel(state, state.hud.inventoryBar, settings.inventoryBarX, settings.inventoryBarY, hud::kPanelOpacity);
  const bool overBar =
      state.pointer.pointerX >= settings.inventoryBarX && state.pointer.pointerX <= state.hud.inventoryBarRight &&
      state.pointer.pointerY >= settings.inventoryBarY && state.pointer.pointerY <= state.hud.inventoryBarBottom;
  if (overBar) {
    BuildObjectTooltip(state);
  } else {
    state.hud.hoveredObject = 0;
  }
  if (state.hud.hoveredObject == 0) return;
  BlendPanel(state, state.hud.objectTooltip, settings.inventoryBarX,
             settings.inventoryBarY - state.hud.objectTooltip.GetHeight(), hud::kPanelOpacity);
}

units::DrawContext DrawContextNow(const EngineState& state) {
  units::DrawContext context{
      CameraOrigin(state), ViewRect(state), Now(state), &state.hud.alertIcon, hud::Face(state.config.settings, 0), {}};
  context.shown = [&state](const CGameUnit& unit, units::UnitText kind, const std::string& text) {
    platform::Get().NoteShown(kind == units::UnitText::Bubble ? platform::ShownText::Bubble : platform::ShownText::Name,
                              UnitWord(state, unit), text);
  };
  return context;
}

// The move order's marker and the offered action's symbol lie under the units; the symbol goes
// away with its offer when its time is up.
void DrawMarkers(EngineState& state) {
  const units::DrawContext context = DrawContextNow(state);
  if (state.pointerMarker->IsVisible()) state.pointerMarker->Draw(state.backBuffer, context);
  if (!state.actionSymbol->IsVisible()) return;
  state.actionSymbol->Draw(state.backBuffer, context);
  if (context.now >= state.hud.actionSymbolUntil) {
    MarkPassActive(state, context.now);
    state.actionSymbol->SetVisible(false, context.now);
    state.hud.actionSymbolUntil = 0;
    state.eventUnit = nullptr;
    state.eventTarget = nullptr;
  }
}

// What drawing a unit may change as its timers run out: bars, bubbles, the alert icon.
auto DrawTimers(const CGameUnit& unit) {
  return std::make_tuple(unit.barsShown, unit.bubbleShown, unit.descriptionShown, unit.descriptionPending,
                         unit.dialogAnswer, unit.messageUntil, unit.alertIconUntil);
}

std::optional<platform::Rect> DragBox(const EngineState& state) {
  if (!state.pointer.dragging) return std::nullopt;
  return platform::Rect{state.pointer.dragStartX, state.pointer.dragStartY, state.pointer.dragEndX,
                        state.pointer.dragEndY};
}

}  // namespace
}  // namespace engine

void COrvantaEngine::DrawUnitsSorted() {
  engine::EngineState& state = State();
  const units::Rect view = GetViewRect();
  auto& list = state.drawList;
  list.clear();
  for (int i = 0; i < state.unitCount; ++i) {
    CGameUnit* unit = state.units[static_cast<std::size_t>(i)].get();
    if (!unit->HasValidSprite() || !unit->IsVisible()) continue;
    if (!units::RectsIntersect(unit->UnitRect(), view)) continue;
    list.emplace_back(unit->DepthKey(), unit);
  }
  // Stable, so that units of equal depth keep their table order from frame to frame.
  std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  const units::DrawContext context = engine::DrawContextNow(state);
  for (const auto& entry : list) {
    const auto before = engine::DrawTimers(*entry.second);
    entry.second->Draw(state.backBuffer, context);
    if (engine::DrawTimers(*entry.second) != before) engine::MarkPassActive(state, context.now);
  }
}

void COrvantaEngine::DrawHud() {
  engine::EngineState& state = State();
  const uint32_t now = engine::Now(state);
  engine::CountFrame(state, now);
  if (state.hud.fpsShown) {
    engine::BlendPanel(state, state.hud.fpsPanel, engine::hud::kFpsX, engine::hud::kFpsY, engine::hud::kPanelOpacity);
  }
  if (state.hud.messageCount != 0) {
    engine::BlendPanel(state, state.hud.messagePanel, engine::hud::kMessagePanelX, state.hud.messagePanelTop,
                       engine::hud::kPanelOpacity);
    // Oldest first, as the panel lists them.
    for (engine::MessageSlot& slot : state.hud.messages) {
      if (slot.used) engine::NoteOnce(slot.noted, platform::ShownText::HudMessage, {}, slot.text);
    }
  }
  engine::DrawInventoryBar(state);
  if (state.hud.imageDialogShown) {
    engine::BlendPanel(state, state.hud.imageDialog, state.hud.imageDialogX, state.hud.imageDialogY,
                       engine::hud::kImageDialogOpacity);
    engine::NoteOnce(state.hud.imageDialogNoted, platform::ShownText::ImageDialog, {}, state.hud.imageDialogFile);
  }
  engine::DrawDeathBanner(state, now);
}

void COrvantaEngine::Render() {
  std::optional<platform::Rect> dragBox;
  engine::EngineState* drawn = nullptr;
  {
    engine::WorldLock lock(Lock());
    engine::EngineState& state = State();
    if (state.map == nullptr) {  // no map: the window is left untouched
      engine::JournalPass(state);
      return;
    }
    engine::DrawMapLayer(state);
    engine::DrawMarkers(state);
    DrawUnitsSorted();
    DrawHud();
    if (state.hud.bannerShown) state.backBuffer.Grayscale();
    dragBox = engine::DragBox(state);
    drawn = &state;
    engine::JournalPass(state);
  }
  // The back buffer belongs to this thread alone, so it is presented without the world lock;
  // the state lives until the game loop has ended.
  drawn->backBuffer.Present();
  platform::Get().SetDragRect(dragBox);
}
