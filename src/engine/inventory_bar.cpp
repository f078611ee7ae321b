// The inventory bar of the first selected player, and the tooltip of the icon under the pointer.
#include <algorithm>

#include "config/game_settings.h"
#include "config/language.h"
#include "engine/engine_state.h"
#include "engine/hud_style.h"
#include "engine/orvanta_engine.h"
#include "units/line_breaks.h"
#include "units/unit_objects.h"

namespace engine {
namespace {

constexpr int kIconSize = 32;
constexpr int kBarHeight = 48;
constexpr int kCountX = 2, kCountY = 28;
constexpr int kTooltipPadding = 5;

const CBitmapSurface* IconOf(const EngineState& state, int object) {
  const config::ObjectDefinition* definition = units::DefinedObject(state.config.tables, object);
  return definition != nullptr ? definition->icon.get() : nullptr;
}

void DrawBar(EngineState& state, const CGameUnit& player) {
  const int n = state.hud.inventoryEntryCount;
  const config::GameSettings& settings = state.config.settings;
  state.hud.inventoryBar.Create(n * kIconSize, kBarHeight);
  state.hud.inventoryBar.Clear(0);
  state.hud.inventoryBarRight = settings.inventoryBarX + n * kIconSize;
  state.hud.inventoryBarBottom = settings.inventoryBarY + kIconSize;
  for (int i = 0; i < n; ++i) {
    const int object = state.hud.inventoryEntries[static_cast<std::size_t>(i)];
    const int x = i * kIconSize;
    if (const CBitmapSurface* icon = IconOf(state, object); icon != nullptr) {
      state.hud.inventoryBar.DrawKeyedShadow(x, 0, kIconSize, kIconSize, *icon, 0, 0, hud::kIconKey, hud::kIconShadow);
    }
    const std::string count = config::Format("x%d", player.CountInInventory(object));
    state.hud.inventoryBar.DrawText(x + kCountX, kCountY, count.c_str(), hud::kWhite, 100,
                                    hud::Face(state.config.settings, 0), hud::kFpsPoints, true, false);
  }
}

void DrawTooltip(EngineState& state) {
  const std::string& face = hud::Face(state.config.settings, 0);
  const auto [nameWidth, nameHeight] =
      state.hud.objectTooltip.MeasureText(state.hud.tooltipName.c_str(), face, hud::kFpsPoints, true, false);
  const auto [textWidth, textHeight] =
      state.hud.objectTooltip.MeasureText(state.hud.tooltipDescription.c_str(), face, hud::kFpsPoints, true, false);
  state.hud.objectTooltip.Create(std::max(nameWidth, textWidth) + 2 * kTooltipPadding,
                                 textHeight + nameHeight + kTooltipPadding);
  state.hud.objectTooltip.Clear(0);
  state.hud.objectTooltip.DrawText(kTooltipPadding, 0, state.hud.tooltipDescription.c_str(), hud::kTooltipTextColor,
                                   100, face, hud::kFpsPoints, true, false);
  state.hud.objectTooltip.DrawText(kTooltipPadding, textHeight, state.hud.tooltipName.c_str(), hud::kYellow, 100, face,
                                   hud::kFpsPoints, true, false);
}

}  // namespace

CGameUnit* FirstSelectedPlayer(const EngineState& state) {
  for (int i = 0; i < state.playerCount; ++i) {
    CGameUnit* player = state.players[static_cast<std::size_t>(i)];
    if (player == nullptr) break;
    if (player->selected) return player;
  }
  return nullptr;
}

void RefreshInventoryBar(EngineState& state) {
  const CGameUnit* player = FirstSelectedPlayer(state);
  if (player == nullptr) return;
  int n = 0;
  for (int slot = 1; slot <= units::kInventorySlots; ++slot) {
    const int object = player->ObjectInSlot(slot);
    if (object != 0) state.hud.inventoryEntries[static_cast<std::size_t>(n++)] = object;
  }
  state.hud.inventoryEntryCount = n;
  if (n == 0) {
    state.hud.inventoryBarShown = false;
    state.hud.hoveredObject = 0;
    return;
  }
  DrawBar(state, *player);
  state.hud.inventoryBarShown = true;
}

void RedrawInventoryPictures(EngineState& state) {
  if (const CGameUnit* player = FirstSelectedPlayer(state); player != nullptr && state.hud.inventoryBarShown) {
    DrawBar(state, *player);
  }
  if (state.hud.hoveredObject != 0) DrawTooltip(state);
}

void BuildObjectTooltip(EngineState& state) {
  const int offset = state.pointer.pointerX - state.config.settings.inventoryBarX;
  const int entry = offset < 0 ? 0 : offset / engine::kIconSize + 1;
  const int object = entry >= 1 && entry <= state.hud.inventoryEntryCount
                         ? state.hud.inventoryEntries[static_cast<std::size_t>(entry - 1)]
                         : 0;
  if (object == state.hud.hoveredObject) return;
  state.hud.hoveredObject = object;
  state.hud.tooltipName.clear();
  state.hud.tooltipDescription.clear();
  const config::ObjectDefinition* definition = units::DefinedObject(state.config.tables, object);
  if (definition == nullptr) return;
  state.hud.tooltipName = definition->name;
  state.hud.tooltipDescription = units::WithLineBreaks(definition->description);
  DrawTooltip(state);
}

}  // namespace engine

void COrvantaEngine::RefreshInventoryBar() { engine::RefreshInventoryBar(State()); }
CGameUnit* COrvantaEngine::FirstSelectedPlayer() const { return engine::FirstSelectedPlayer(State()); }
void COrvantaEngine::BuildObjectTooltip() { engine::BuildObjectTooltip(State()); }
