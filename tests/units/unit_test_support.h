// Sheets, units, recording services and a unit table for the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/game_config.h"

#include "units/game_sprite.h"
#include "units/game_unit.h"
#include "units/runtime_random.h"
#include "units/unit_services.h"
#include "units/unit_world.h"

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
inline std::unique_ptr<CGameUnit> MakeUnit(CGameSprite* sprite, int kind = kUnitKindMobile, int x = 0, int y = 0,
                                           units::Rect box = {}) {
  auto unit = std::make_unique<CGameUnit>();
  unit->AttachSprite(sprite, 0, kind, box);
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

// Services that write what the rules ask for, in order: "sound F", "message T kind/object",
// "banner N / W", "script N by U", "offer U", "events P>T", "bar".
class RecordingServices : public units::UnitServices {
 public:
  std::vector<std::string> log;
  void PlaySound(std::string_view file) override { log.push_back("sound " + std::string(file)); }
  void PostMessage(const std::string& text, int kind, int object) override {
    log.push_back("message " + text + " " + std::to_string(kind) + "/" + std::to_string(object));
  }
  void ShowDeathBanner(const std::string& name, const std::string& word) override {
    log.push_back("banner " + name + " / " + word);
  }
  void RunScript(const std::string& name, CGameUnit* eventUnit) override {
    log.push_back("script " + name + " by " + (eventUnit != nullptr ? eventUnit->IdentifierName() : "-"));
  }
  void SetEventUnits(CGameUnit* eventUnit, CGameUnit* eventTarget) override {
    log.push_back("events " + eventUnit->IdentifierName() + ">" + eventTarget->IdentifierName());
  }
  void OfferAction(const CGameUnit& target) override { log.push_back("offer " + target.IdentifierName()); }
  void InventoryChanged() override { log.push_back("bar"); }
  // The log without the event-unit lines, which every contact of a player writes.
  std::vector<std::string> Said() const {
    std::vector<std::string> said;
    for (const std::string& line : log) {
      if (line.rfind("events ", 0) != 0) said.push_back(line);
    }
    return said;
  }
};

// The classic linear generator, written out from its formula.
struct Lcg {
  uint32_t state;
  int Next() { return static_cast<int>(((state = state * 214013u + 2531011u) >> 16) & 0x7FFF); }
};

// Defines object `number` of the definition table.
inline void DefineObject(config::GameTables& tables, int number, const std::string& name, int uses,
                         bool decrease = true) {
  config::ObjectDefinition& object = tables.objects.at(static_cast<std::size_t>(number));
  object.defined = true;
  object.name = name;
  object.numberOfUses = uses;
  object.decreaseUses = decrease;
}

// A unit table with its players and the recording services, seen as a world at now_.
class UnitTable : public ::testing::Test {
 protected:
  // A unit as MakeUnit makes it, registered; a player joins the player table too.
  CGameUnit& Add(CGameSprite* sheet, int kind, int x, int y, units::Rect box = {}, bool player = false) {
    table_.push_back(MakeUnit(sheet, kind, x, y, box));
    table_.back()->isPlayer = player;
    if (player) players_.push_back(table_.back().get());
    return *table_.back();
  }
  units::UnitWorld World() {
    units::UnitWorld world{worldMap_, table_, now_, &services_, players_};
    world.random = &random_;
    world.config = &config_;
    return world;
  }
  void Clear() {
    table_.clear();
    players_.clear();
    services_.log.clear();
  }

  config::GameConfig config_;
  std::vector<std::unique_ptr<CGameUnit>> table_;
  std::vector<CGameUnit*> players_;
  RecordingServices services_;
  units::RuntimeRandom random_;
  const CGameMap* worldMap_ = nullptr;
  uint32_t now_ = 50000;
};

}  // namespace unittest
