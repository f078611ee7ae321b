// Straight-line walking toward a target or along waypoints, in eight directions, with the
// direction animations; and the players bounding box that walking players widen.
#include <cmath>
#include <cstdlib>
#include <limits>

#include "config/game_settings.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"
#include "units/players_box.h"

namespace units {

void WidenPlayersBox(std::array<int, 4>& box, Point position, int margin) {
  auto widen = [margin](int value, int& low, int& high) {
    if (value > high - margin) high = value + margin;
    if (value < low + margin) low = std::max(value - margin, 0);
  };
  widen(position.x, box[0], box[2]);
  widen(position.y, box[1], box[3]);
}

}  // namespace units

namespace {

// The cosine of 45 degrees in single precision: a diagonal step covers this share of the speed
// on each axis.
const float kDiagonal = static_cast<float>(std::cos(std::acos(-1.0) / 4.0));

int DiagonalPart(int speed) { return static_cast<int>(static_cast<float>(speed) * kDiagonal); }

// a + b, held at the ends of int instead of overflowing.
int SaturatedAdd(int a, int b) {
  const int64_t sum = int64_t{a} + b;
  if (sum > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (sum < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(sum);
}

struct Heading {
  units::Direction direction;
  units::Point velocity;
};

// The first matching row: straight along an axis when the other offset is zero, else the
// diagonal of the quadrant.
Heading ChooseHeading(int64_t dx, int64_t dy, units::Point speed) {
  using units::Direction;
  const int sx = speed.x, sy = speed.y;
  const int kx = DiagonalPart(sx), ky = DiagonalPart(sy);
  if (dy == 0) return dx <= 0 ? Heading{Direction::Left, {-sx, 0}} : Heading{Direction::Right, {sx, 0}};
  if (dx == 0) return dy <= 0 ? Heading{Direction::Up, {0, -sy}} : Heading{Direction::Down, {0, sy}};
  if (dx > 0 && dy > 0) return {Direction::RightDown, {kx, ky}};
  if (dx < 0 && dy < 0) return {Direction::LeftUp, {-kx, -ky}};
  if (dx < 0) return {Direction::LeftDown, {-kx, ky}};
  return {Direction::RightUp, {kx, -ky}};
}

}  // namespace

bool CGameUnit::CanMove() const { return kindCode_ == kUnitKindMobile && HasValidSprite(); }

void CGameUnit::MoveTo(units::Point target) {
  if (!CanMove()) return;
  moveTarget = units::ClampPoint(target);
  moving = true;
}

void CGameUnit::Resume() {
  if (CanMove()) moving = true;
}

void CGameUnit::Stop() {
  if (!CanMove() || !moving) return;
  ClearPath();
  moving = false;
  ShowStartFrame();
}

void CGameUnit::StepBack() {
  if (!CanMove() || !moving) return;
  x = SaturatedAdd(x, -velocity.x);
  y = SaturatedAdd(y, -velocity.y);
}

void CGameUnit::StepForward() {
  if (!CanMove() || !moving) return;
  x = SaturatedAdd(x, velocity.x);
  y = SaturatedAdd(y, velocity.y);
}

void CGameUnit::SetPath(const std::vector<units::Point>& points) {
  // A path without points has nowhere to go: the unit carries on as it was.
  if (!CanMove() || points.empty()) return;
  waypoints_ = points;
  pathIndex_ = 0;
  hasPath_ = true;
  MoveTo(waypoints_.front());
}

std::vector<units::Point> CGameUnit::GetPath() const {
  if (!HasValidSprite() || !hasPath_) return {};
  return waypoints_;
}

void CGameUnit::ClearPath() {
  waypoints_.clear();
  pathIndex_ = 0;
  hasPath_ = false;
}

units::Point CGameUnit::Destination() const {
  if (hasPath_ && !waypoints_.empty()) return waypoints_.back();
  return moveTarget;
}

void CGameUnit::Update(uint32_t now) {
  if (!HasValidSprite() || blocked) return;
  if (moving) MovementStep();
  AnimationStep(now);
}

void CGameUnit::MovementStep() {
  const units::Point centre = Centre();
  const int64_t dx = int64_t{moveTarget.x} - centre.x;
  const int64_t dy = int64_t{moveTarget.y} - centre.y;
  const int64_t distanceX = std::llabs(dx), distanceY = std::llabs(dy);
  if (distanceX <= speed_.x && distanceY <= speed_.y) {
    Arrive();
  } else {
    const Heading heading = ChooseHeading(dx, dy, speed_);
    direction_ = heading.direction;
    velocity = heading.velocity;
    // Within one step of the target on an axis, the centre snaps onto the target's line.
    if (distanceX >= speed_.x) {
      x = SaturatedAdd(x, velocity.x);
      y = distanceY >= speed_.y ? SaturatedAdd(y, velocity.y) : SaturatedAdd(moveTarget.y, -FrameHeight() / 2);
    } else {
      x = SaturatedAdd(moveTarget.x, -FrameWidth() / 2);
      y = SaturatedAdd(y, velocity.y);
    }
    const int index = WalkingAnimation(direction_);
    if (index >= 0 && index != anim_.index) {
      anim_.index = index;
      StartAnimation(units::kAnimLoop);
    }
  }
  if (isPlayer && playersBox != nullptr) units::WidenPlayersBox(*playersBox, Position(), kPlayersBoxMargin);
}

void CGameUnit::Arrive() {
  if (hasPath_ && ++pathIndex_ < waypoints_.size()) {
    MoveTo(waypoints_[pathIndex_]);
    return;
  }
  ClearPath();
  moving = false;
  ShowStartFrame();
}
