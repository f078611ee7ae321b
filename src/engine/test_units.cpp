#include "engine/test_units.h"

#include <array>
#include <charconv>
#include <memory>

#include "engine/orvanta_engine.h"
#include "units/game_geometry.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace engine {
namespace {

constexpr int kFrameSize = 32;
constexpr int kFramesPerDirection = 2;
constexpr uint32_t kKey = 0xBF7BC7;
constexpr uint32_t kShadow = 0x0C0905;

constexpr std::array<uint32_t, units::kDirectionCount> kColours = {0xE04040, 0x40E040, 0x4040E0, 0xE0E040,
                                                                   0xE040E0, 0x40E0E0, 0xE0A040, 0xA0A0E0};

// One row per direction, in the loaders' order of the walking animations: a disc of the direction's colour on the key
// colour, with a shadow under it; the second frame of a row is a shade darker so the walk shows.
std::unique_ptr<CGameSprite> MakeSheet() {
  auto sprite = std::make_unique<CGameSprite>();
  CBitmapSurface& sheet = sprite->Sheet();
  sheet.Create(kFrameSize * kFramesPerDirection, kFrameSize * units::kDirectionCount);
  sheet.Clear(kKey);
  for (int row = 0; row < units::kDirectionCount; ++row) {
    for (int column = 0; column < kFramesPerDirection; ++column) {
      const uint32_t colour = kColours[static_cast<std::size_t>(row)] - 0x202020u * static_cast<uint32_t>(column);
      for (int y = 0; y < kFrameSize; ++y) {
        for (int x = 0; x < kFrameSize; ++x) {
          const int dx = x - kFrameSize / 2, dy = y - kFrameSize / 2;
          const int px = column * kFrameSize + x, py = row * kFrameSize + y;
          if (dx * dx + dy * dy < 12 * 12) {
            sheet.SetPixel(px, py, colour);
          } else if (y >= 26 && y <= 29 && dx * dx < 100) {
            sheet.SetPixel(px, py, kShadow);
          }
        }
      }
    }
  }
  sprite->SetFrameSize(kFrameSize, kFrameSize);
  sprite->SetColors(kKey, kShadow);
  return sprite;
}

bool ParseInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto [next, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && next == end && !text.empty();
}

}  // namespace

std::optional<TestUnitPlacement> ParseTestUnit(const std::string& text) {
  std::vector<int> numbers;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    const std::size_t comma = std::min(text.find(',', begin), text.size());
    int value = 0;
    if (!ParseInt(text.substr(begin, comma - begin), value)) return std::nullopt;
    numbers.push_back(value);
    begin = comma + 1;
  }
  if (numbers.size() != 4 && numbers.size() != 5) return std::nullopt;
  TestUnitPlacement placement{{numbers[0], numbers[1]}, {numbers[2], numbers[3]}};
  if (numbers.size() == 5) placement.speed = numbers[4];
  return placement;
}

void AddTestUnits(COrvantaEngine& engine, const std::vector<TestUnitPlacement>& placements) {
  if (placements.empty()) return;
  auto owned = MakeSheet();
  CGameSprite* sprite = owned.get();
  if (engine.AddSprite(owned) < 0) return;
  int number = 0;
  for (const TestUnitPlacement& placement : placements) {
    auto unit = std::make_unique<CGameUnit>();
    CGameUnit* raw = unit.get();
    raw->AttachSprite(sprite, 0, kUnitKindMobile, {4, 4, kFrameSize - 4, kFrameSize - 4});
    raw->SetName("test unit " + std::to_string(++number));
    raw->SetPosition(placement.position);
    raw->SetSpawnPosition(placement.position);
    raw->selectable = raw->savedSelectable = true;
    raw->SetHealth(100);
    raw->SetMaxHealth(100);
    raw->SetAnimationTime(100);
    for (int row = 0; row < units::kDirectionCount; ++row) {
      const int first = row * kFramesPerDirection;
      raw->AddAnimation(units::DirectionName(units::kAnimationOrder[static_cast<std::size_t>(row)]), first,
                        first + kFramesPerDirection - 1, first);
    }
    raw->SetSpeed(placement.speed, placement.speed);
    raw->isPlayer = true;
    raw->respawnEnabled = true;
    raw->respawnTime = 5000;
    raw->FinalSetup();
    if (engine.AddUnit(unit) < 0) return;
    engine.AddPlayerUnit(raw);
    raw->MoveTo(placement.target);
  }
}

}  // namespace engine
