// A unit's animations: named frame ranges of its sheet, the one being played, and the five play
// modes stepped on the engine's tick.
#include <algorithm>

#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace {

// The opacity of a fading animation at the current frame: 100 - trunc(current / range * 100) in
// single precision, never below 0. A range of one frame has nothing to fade through and counts
// as faded out at once.
int FadeOpacity(int current, int first, int last) {
  if (last <= first) return 0;
  const float fraction = static_cast<float>(current) / static_cast<float>(last - first);
  const float percent = std::min(fraction * 100.0f, 1000.0f);
  return std::max(100 - static_cast<int>(percent), 0);
}

}  // namespace

void CGameUnit::AddAnimation(std::string_view name, int first, int last, int start) {
  if (!HasValidSprite()) return;
  units::Animation record;
  record.name = std::string(name.substr(0, units::kAnimationNameMax));
  record.first = units::Magnitude(first);
  record.last = units::Magnitude(last);
  // Clamped into the range; with first > last the first frame wins.
  record.start = std::max(std::min(units::Magnitude(start), record.last), record.first);
  animations_.push_back(std::move(record));
}

int CGameUnit::FindAnimation(std::string_view name) const {
  if (!HasValidSprite()) return -1;
  for (std::size_t i = 0; i < animations_.size(); ++i) {
    if (name.starts_with(animations_[i].name)) return static_cast<int>(i);
  }
  return -1;
}

int CGameUnit::WalkingAnimation(units::Direction direction) {
  if (!HasValidSprite()) return -1;
  if (walkingAnimationsFor_ != animations_.size()) {
    for (int d = 0; d < units::kDirectionCount; ++d) {
      walkingAnimations_[static_cast<std::size_t>(d)] = FindAnimation(units::DirectionName(units::Direction(d)));
    }
    walkingAnimationsFor_ = animations_.size();
  }
  return walkingAnimations_[static_cast<std::size_t>(direction)];
}

void CGameUnit::SetAnimation(std::string_view name, int mode, uint32_t now) {
  if (HasValidSprite()) ShowAnimation(FindAnimation(name), mode, now);
}

void CGameUnit::ShowAnimation(int index, int mode, uint32_t now) {
  anim_.lastTick = now;
  if (index < 0) return;
  anim_.index = index;
  StartAnimation(mode);
}

void CGameUnit::StartAnimation(int mode) {
  if (!HasValidSprite() || anim_.index < 0) return;
  const units::Animation& record = animations_[static_cast<std::size_t>(anim_.index)];
  anim_.first = record.first;
  // A range written backwards plays its first frame alone.
  anim_.last = std::max(record.last, record.first);
  anim_.start = record.start;
  anim_.frame = record.first;
  anim_.mode = mode;
}

void CGameUnit::SetAnimationTime(int ms) {
  if (HasValidSprite()) anim_.time = units::Magnitude(ms);
}

void CGameUnit::ShowStartFrame() {
  if (anim_.index < 0) return;
  const int start = animations_[static_cast<std::size_t>(anim_.index)].start;
  anim_.first = anim_.last = anim_.start = anim_.frame = start;
  anim_.mode = units::kAnimHold;
}

std::string_view CGameUnit::AnimationName() const {
  if (anim_.index < 0) return {};
  return animations_[static_cast<std::size_t>(anim_.index)].name;
}

void CGameUnit::AnimationStep(uint32_t now) {
  if (!HasValidSprite()) return;
  if (now - anim_.lastTick <= static_cast<uint32_t>(anim_.time)) return;
  anim_.lastTick = now;
  int& frame = anim_.frame;
  const int first = anim_.first;
  const int last = anim_.last;
  switch (anim_.mode) {
    case units::kAnimPlayOnce: frame = frame < last ? frame + 1 : last; break;
    case units::kAnimPlayAndFade:
      if (!visible_) break;
      frame = frame < last ? frame + 1 : last;
      opacity = FadeOpacity(frame, first, last);
      if (opacity < 1) SetVisible(false, now);
      break;
    case units::kAnimLoop: {
      const int64_t length = int64_t{last} - first + 1;
      const int64_t offset = ((int64_t{frame} - first + 1) % length + length) % length;
      frame = static_cast<int>(first + offset);
      break;
    }
    case units::kAnimPlayOnceHide:
      if (!visible_) break;
      if (frame >= last) {
        frame = first;
        SetVisible(false, now);
      } else {
        ++frame;
      }
      break;
    default:  // hold, and modes no rule knows
      break;
  }
}
