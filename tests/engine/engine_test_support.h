// A fresh engine over a small one-coloured map, driven by a clock the test sets by hand, and a
// unit that logs the hooks the engine calls.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "map/game_map.h"
#include "platform/platform.h"
#include "support/silent_platform.h"
#include "support/test_world.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace enginetest {

inline constexpr int kW = 640;
inline constexpr int kH = 448;

// Only the clock, the count of presented frames, the sounds and the texts shown do anything.
class ClockPlatform final : public testing_support::SilentPlatform {
 public:
  std::atomic<uint32_t> now{1000000};
  std::atomic<int> presented{0};
  std::vector<std::string> sounds;  // effects played, as paths
  std::vector<std::string> shown;   // texts drawn, as "<kind> <unit>: <text>"

  uint32_t TickCount() override { return now; }
  void PresentFrame(const uint32_t*, int, int) override { ++presented; }
  void PresentFrameAt(const uint32_t*, int, int, int, int) override { ++presented; }
  void PlaySoundFile(const std::string& path) override { sounds.push_back(path); }
  void NoteShown(platform::ShownText kind, const std::string& unit, const std::string& text) override {
    static const char* kKinds[] = {"hud", "bubble", "name", "banner", "image"};
    shown.push_back(std::string(kKinds[static_cast<int>(kind)]) + " " + unit + ": " + text);
  }
};

// A unit that writes the hooks of later rules and its draws into a shared log as
// "<name>:<hook>".
class ProbeUnit : public CGameUnit {
 public:
  ProbeUnit(std::vector<std::string>& log, const std::string& name) : log_(log) { SetName(name); }
  void ProcessContacts(const units::UnitWorld&) override { Log("contacts"); }
  void RespondToMap(const units::UnitWorld&) override { Log("map"); }
  void Respawn(const units::UnitWorld&) override { Log("respawn"); }
  void BotDecisionPass(const units::UnitWorld&) override { log_.push_back(IdentifierName() + ":bot"); }
  void Draw(CBitmapSurface&, const units::DrawContext&) override { log_.push_back(IdentifierName() + ":draw"); }

 private:
  // The per-step hooks log only while the unit walks, so that quiet units keep logs short.
  void Log(const char* hook) {
    if (moving) log_.push_back(IdentifierName() + ":" + hook + "@" + std::to_string(x));
  }
  std::vector<std::string>& log_;
};

// The test world with the clock backend in place of the headless one and a fresh engine.
class EngineTest : public testing_support::HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    config_.launcher.windowWidth = kW;
    config_.launcher.windowHeight = kH;
    auto backend = std::make_unique<ClockPlatform>();
    os_ = backend.get();
    platform::Install(std::move(backend));
    engine_ = std::make_unique<COrvantaEngine>(config_);
  }
  void TearDown() override {
    engine_.reset();
    map_.reset();
    HeadlessWorld::TearDown();
  }

  // A 32 x 32 cell map of 64-pixel tiles in one colour that is not grey, handed to the engine.
  void UseMap(int cameraX, int cameraY) {
    CBitmapSurface tile;
    tile.Create(64, 64);
    tile.Clear(0x2060C0);
    ASSERT_TRUE(tile.SaveFile("tile.bmp"));
    map_ = std::make_unique<CGameMap>();
    map_->UseConfig(&config_);
    ASSERT_TRUE(map_->Init({"tile.bmp"}, 64, 64, kW, kH, 32, 32));
    ASSERT_TRUE(map_->SetCells(std::vector<map::MapCell>(32 * 32, {1, 1, 0, 0, 0, map::kNoTileset, 0, 0})));
    map_->SetCameraX(cameraX);
    map_->SetCameraY(cameraY);
    engine_->SetMap(map_.get());
  }

  // Registers the unit at (x, y) with a collision box on a fresh 32 x 48 sprite.
  template <class Unit>
  Unit* Register(std::unique_ptr<Unit> unit, int x, int y, units::Rect box) {
    auto sprite = std::make_unique<CGameSprite>();
    sprite->Sheet().Create(32, 48);
    sprite->SetFrameSize(32, 48);
    Unit* raw = unit.get();
    raw->x = x;
    raw->y = y;
    EXPECT_TRUE(raw->AttachSprite(sprite.get(), 0, kUnitKindMobile, box));
    EXPECT_GE(engine_->AddSprite(sprite), 0);
    std::unique_ptr<CGameUnit> owned = std::move(unit);
    EXPECT_GE(engine_->AddUnit(owned), 0);
    return raw;
  }
  ProbeUnit* AddProbe(const std::string& name, int x, int y, units::Rect box = {0, 0, 0, 0}) {
    return Register(std::make_unique<ProbeUnit>(log_, name), x, y, box);
  }
  // A selectable walker with the lower 32 x 32 of its frame as box; a player joins the player table.
  ProbeUnit* AddSelectable(const std::string& name, int x, int y, bool player) {
    ProbeUnit* unit = AddProbe(name, x, y, {0, 16, 32, 48});
    unit->selectable = true;
    unit->isPlayer = player;
    unit->SetSpeed(4, 4);
    if (player) engine_->AddPlayerUnit(unit);
    return unit;
  }

  void Advance(uint32_t ms) { os_->now += ms; }
  void Input(uint32_t message, uint64_t wParam, int x, int y) {
    engine_->OnInput(message, wParam, platform::MakeLParam(x, y));
  }
  // One step (10 ms later) and one frame.
  void Pass() {
    Advance(10);
    engine_->Update();
    engine_->Render();
  }
  int CameraX() const { return map_->CameraX(); }
  engine::EngineState& State() { return engine_->State(); }

  ClockPlatform* os_ = nullptr;
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
  std::vector<std::string> log_;
};

}  // namespace enginetest
