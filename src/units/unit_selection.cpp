// Which units the user picks with a click or a drag box, and the move order of a right click.
#include <algorithm>

#include "units/game_unit.h"

void CGameUnit::SelectAtPoint(units::Point screenPoint, units::Point camera) {
  if (!HasValidSprite() || !visible_) return;
  units::OffsetPoint(screenPoint, camera.x, camera.y);
  selected = units::PointInRect(UnitRect(), screenPoint);
}

void CGameUnit::SelectInRect(const units::Rect& screenRect, units::Point camera) {
  if (!HasValidSprite() || !visible_) return;
  // The box may have been dragged in any direction.
  units::Rect box{std::min(screenRect.left, screenRect.right), std::min(screenRect.top, screenRect.bottom),
                  std::max(screenRect.left, screenRect.right), std::max(screenRect.top, screenRect.bottom)};
  units::OffsetRect(box, camera.x, camera.y);
  selected = units::PointInRect(box, Centre());
}

void CGameUnit::HandleMouse(const units::MouseInput& input) {
  if (!HasValidSprite() || scripted) return;
  if (input.leftClick) SelectAtPoint(input.pointer, input.camera);
  if (input.dragging) SelectInRect(input.dragBox, input.camera);
  if (input.rightClick && selected && isPlayer) {
    ClearPath();
    MoveTo({input.pointer.x + input.camera.x, input.pointer.y + input.camera.y});
  }
}

bool CGameUnit::IsOnScreen(const units::Rect& view) const {
  return HasValidSprite() && visible_ && units::RectsIntersect(UnitRect(), view);
}
