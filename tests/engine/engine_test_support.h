// A fresh engine over a small coloured map, driven by a clock the test sets by hand, with the
// presented frames and drag boxes kept for inspection.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "config/config_recording_platform.h"
#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "gfx/bitmap_surface.h"
#include "map/game_map.h"
#include "map/map_cell.h"
#include "support/test_world.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"

namespace enginetest {

inline constexpr int kW = 640;
inline constexpr int kH = 448;
inline constexpr uint32_t kStartTick = 1000000;

// The recording backend with a hand-set clock and the last presented frame.
class ClockPlatform : public testing_support::RecordingPlatform {
 public:
  std::atomic<uint32_t> now{kStartTick};
  std::atomic<int> presented{0};

  uint32_t TickCount() override { return now.load(); }
  void PresentFrame(const uint32_t* pixels, int width, int height) override {
    std::lock_guard<std::mutex> lock(mutex_);
    frame_.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
    ++presented;
  }
  void SetDragRect(std::optional<platform::Rect> rect) override {
    std::lock_guard<std::mutex> lock(mutex_);
    drag_ = rect;
  }
  std::vector<uint32_t> Frame() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return frame_;
  }
  std::optional<platform::Rect> Drag() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return drag_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<uint32_t> frame_;
  std::optional<platform::Rect> drag_;
};

// Tile colours: every tile of the tileset is a different saturated colour, never grey.
inline uint32_t TileColor(int tile) { return 0x200000u * static_cast<uint32_t>(tile + 1) | 0x40u; }

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = std::make_unique<testing_support::ScopedCwd>(dir_.path());
    config::ResetLauncher();
    config::ResetSettings();
    config::ResetTables();
    config::Launcher().windowWidth = kW;
    config::Launcher().windowHeight = kH;
    config::Launcher().folders[config::kFolderSystem] = "Sys";
    config::Launcher().folders[config::kFolderSounds] = "Snd";
    auto backend = std::make_unique<ClockPlatform>();
    os_ = backend.get();
    platform::Install(std::move(backend));
    engine_ = std::make_unique<COrvantaEngine>();
  }
  void TearDown() override {
    engine_.reset();
    map_.reset();
    platform::Install(nullptr);
    cwd_.reset();
  }

  // A 32 x 32 cell map of 64-pixel tiles in four colours, handed to the engine.
  void UseMap(int cameraX, int cameraY) {
    CBitmapSurface tiles;
    tiles.Create(256, 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 256; ++x) tiles.SetPixel(x, y, TileColor(x / 64));
    }
    ASSERT_TRUE(tiles.SaveFile("tiles.bmp"));
    map_ = std::make_unique<CGameMap>();
    ASSERT_TRUE(map_->Init({"tiles.bmp"}, 64, 64, kW, kH, 32, 32));
    std::vector<map::MapCell> cells(32 * 32);
    for (int i = 0; i < 32 * 32; ++i) cells[static_cast<std::size_t>(i)] = {1, 1, 0, 0, i % 4, map::kNoTileset, 0, 0};
    ASSERT_TRUE(map_->SetCells(cells));
    map_->SetCameraX(cameraX);
    map_->SetCameraY(cameraY);
    COrvantaEngine::SetMap(map_.get());
  }

  // A valid sprite registered with the engine; frames of the given size on a 1-frame sheet.
  CGameSprite* MakeSprite(int frameWidth, int frameHeight) {
    auto sprite = std::make_unique<CGameSprite>();
    sprite->Sheet().Create(frameWidth, frameHeight);
    sprite->SetFrameSize(frameWidth, frameHeight);
    CGameSprite* raw = sprite.get();
    EXPECT_GE(COrvantaEngine::AddSprite(sprite), 0);
    return raw;
  }

  void Advance(uint32_t ms) { os_->now += ms; }
  void Input(uint32_t message, uint64_t wParam, int x, int y) {
    COrvantaEngine::OnInput(message, wParam, platform::MakeLParam(x, y));
  }
  void Key(uint32_t key) { COrvantaEngine::OnInput(platform::kWmKeyDown, key, 0); }
  int CameraX() const { return map_->CameraX(); }
  engine::EngineState& State() { return engine::State(); }

  testing_support::TempDir dir_;
  std::unique_ptr<testing_support::ScopedCwd> cwd_;
  ClockPlatform* os_ = nullptr;
  std::unique_ptr<CGameMap> map_;
  std::unique_ptr<COrvantaEngine> engine_;
};

}  // namespace enginetest

namespace enginetest {

// A unit that writes every hook the engine calls on it into a shared log as "<name>:<hook>".
class ProbeUnit : public CGameUnit {
 public:
  ProbeUnit(std::vector<std::string>& log, const std::string& name) : log_(log) { SetName(name); }
  void Step() override { Note("step"); }
  void ProcessContacts() override { Note("contacts"); }
  void RespondToMap() override { Note("map"); }
  void Respawn() override { Note("respawn"); }
  void BotDecisionPass() override { Note("bot"); }
  void Draw(CBitmapSurface&, int cameraX, int cameraY) override {
    Note("draw@" + std::to_string(cameraX) + "," + std::to_string(cameraY));
  }

 private:
  void Note(const std::string& hook) { log_.push_back(IdentifierName() + ":" + hook); }
  std::vector<std::string>& log_;
};

// Registers a probe unit on the sprite at (x, y) with a collision box; returns it.
inline ProbeUnit* AddProbe(std::vector<std::string>& log, const std::string& name, CGameSprite* sprite,
                           int x, int y, units::Rect box = {0, 0, 0, 0}) {
  auto unit = std::make_unique<ProbeUnit>(log, name);
  ProbeUnit* raw = unit.get();
  raw->x = x;
  raw->y = y;
  EXPECT_TRUE(raw->AttachSprite(sprite, kUnitKindMobile, box));
  std::unique_ptr<CGameUnit> owned = std::move(unit);
  EXPECT_GE(COrvantaEngine::AddUnit(owned), 0);
  return raw;
}

}  // namespace enginetest
