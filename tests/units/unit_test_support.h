// Sheets and units for the unit tests: a sheet of solid frames and a mobile unit on it.
#pragma once

#include <memory>
#include <string>

#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace unittest {

// A sheet of `columns` x `rows` frames of the given size, every pixel 0x808080.
inline std::unique_ptr<CGameSprite> MakeSheet(int frameWidth, int frameHeight, int columns, int rows) {
  auto sprite = std::make_unique<CGameSprite>();
  sprite->Sheet().Create(frameWidth * columns, frameHeight * rows);
  sprite->Sheet().Clear(0x808080);
  sprite->SetFrameSize(frameWidth, frameHeight);
  return sprite;
}

// A unit of the kind on the sprite with its frame's top-left at (x, y).
inline std::unique_ptr<CGameUnit> MakeUnit(CGameSprite* sprite, int kind = kUnitKindMobile, int x = 0, int y = 0) {
  auto unit = std::make_unique<CGameUnit>();
  unit->AttachSprite(sprite, 0, kind, {});
  unit->x = x;
  unit->y = y;
  return unit;
}

// The eight walking animations as the unit loaders add them: direction i over frames
// 3i .. 3i + 2, starting on its first frame.
inline void AddWalkAnimations(CGameUnit& unit) {
  const char* names[] = {"Up", "Down", "RightUp", "LeftUp", "RightDown", "LeftDown", "Right", "Left"};
  for (int i = 0; i < 8; ++i) unit.AddAnimation(names[i], 3 * i, 3 * i + 2, 3 * i);
}

}  // namespace unittest
