#include "engine/engine_orders.h"

#include <algorithm>
#include <cmath>

#include "units/runtime_random.h"

namespace engine {
namespace {

units::MouseInput InputOf(const EngineState& state) {
  units::MouseInput input;
  input.leftClick = state.pointer.leftClick;
  input.rightClick = state.pointer.rightClick;
  input.dragging = state.pointer.dragging;
  input.pointer = {state.pointer.pointerX, state.pointer.pointerY};
  input.dragBox = {state.pointer.dragStartX, state.pointer.dragStartY, state.pointer.dragEndX, state.pointer.dragEndY};
  input.camera = CameraOrigin(state);
  return input;
}

int BoxWidth(const CGameUnit& unit) { return unit.CollisionBox().right - unit.CollisionBox().left; }
int BoxHeight(const CGameUnit& unit) { return unit.CollisionBox().bottom - unit.CollisionBox().top; }

// The pointer marker flashes once where the order points.
void FlashPointerMarker(EngineState& state) {
  CGameUnit& marker = *state.pointerMarker;
  const uint32_t now = Now(state);
  marker.SetVisible(true, now);
  marker.opacity = 100;
  marker.SetAnimation("Default", units::kAnimPlayAndFade, now);
}

void ArrangeSelectionFormation(EngineState& state) {
  std::vector<const CGameUnit*> group(state.orders.selection.begin(),
                                      state.orders.selection.begin() + state.orders.selectionCount);
  const bool turned = (state.orderRandom.Next() & 1) != 0;
  const std::vector<units::Point> targets = FormationTargets(group, group.front()->moveTarget, turned);
  for (int k = 0; k < state.orders.selectionCount; ++k) {
    state.orders.selection[static_cast<std::size_t>(k)]->moveTarget = targets[static_cast<std::size_t>(k)];
  }
}

}  // namespace

std::vector<units::Point> FormationTargets(const std::vector<const CGameUnit*>& group, units::Point origin,
                                           bool turned) {
  const int n = static_cast<int>(group.size());
  std::vector<units::Point> targets;
  if (n == 0) return targets;
  const int columns = std::max(static_cast<int>(std::sqrt(static_cast<float>(n))), 1);
  const int rows = n / columns;
  const int outerCount = turned ? columns : rows;
  const int innerCount = turned ? rows : columns;
  // The unit whose box sizes a step; the grid never reaches past the group, but stay inside.
  auto unitAt = [&](int index) -> const CGameUnit& {
    return *group[static_cast<std::size_t>(std::clamp(index, 0, n - 1))];
  };
  int x = origin.x, y = origin.y;
  int lastStepX = 0, lastStepY = 0;
  for (int r = 0; r < outerCount; ++r) {
    x = origin.x;
    for (int c = 0; c < innerCount; ++c) {
      targets.push_back({x, y});
      lastStepX = 3 * BoxWidth(unitAt(r * columns + c));
      x += lastStepX;
    }
    lastStepY = 3 * BoxHeight(unitAt(r * columns + innerCount - 1));
    y += lastStepY;
  }
  for (int k = rows * columns; k < n; ++k) {
    x += 3 * BoxWidth(unitAt(k - 1)) - lastStepX;
    y -= lastStepY;
    targets.push_back({x, y});
  }
  return targets;
}

void RunUnitPass(EngineState& state) {
  if (state.pointer.dragging) state.orders.selectionCount = 0;
  const units::MouseInput input = InputOf(state);
  bool oneSelected = false, playerPicked = false;
  int movingCount = 0, selectedCount = 0;
  for (int i = 0; i < state.unitCount; ++i) {
    CGameUnit& unit = *state.units[static_cast<std::size_t>(i)];
    if (unit.scripted || !unit.selectable) continue;
    if (state.pointer.dragging && !unit.isPlayer) continue;
    unit.HandleMouse(input);
    if (state.pointer.leftClick) {
      // A click picks one unit: the first of the table under the pointer.
      if (oneSelected) {
        unit.selected = false;
      } else if (unit.selected) {
        oneSelected = true;
        playerPicked = unit.isPlayer;
      }
      if (oneSelected) {
        unit.labelDirty = true;
        unit.descriptionPending = true;
      }
    } else if (state.pointer.dragging && unit.selected) {
      state.orders.selection[static_cast<std::size_t>(state.orders.selectionCount++)] = &unit;
      // A box-selected unit shows its name as well, so its label must exist.
      unit.labelDirty = true;
    }
    if (unit.KindCode() == kUnitKindMobile) {
      if (unit.moving) ++movingCount;
      if (unit.selected) ++selectedCount;
    }
  }
  // The picked player's objects go on the bar (the left press hid it).
  if (playerPicked) RefreshInventoryBar(state);
  if (state.orders.selectionCount > 1) {
    state.hud.inventoryBarShown = false;
    state.hud.hoveredObject = 0;
  }
  if (state.pointer.rightClick && state.orders.selectionCount >= 2) ArrangeSelectionFormation(state);
  if (state.pointer.rightClick && movingCount >= 1 && selectedCount >= 1) FlashPointerMarker(state);
}

}  // namespace engine
