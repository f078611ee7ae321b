// The player's orders: click and drag selection, move orders with the pointer marker and the
// formation of a group, the fight keys, other keys and the wheel. A dragged squad's walk into
// formation, the marker's place and the same result on every run are pinned end to end.
#include <gtest/gtest.h>

#include "engine/engine_orders.h"
#include "engine/engine_state_json.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

using platform::kMkLButton;

class EngineOrders : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // The engine's pointer sheet: 8 frames of 92 x 91, so the marker has a size to centre.
    config_.launcher.folders[config::kFolderSystem] = "system";
    std::filesystem::create_directories("system");
    CBitmapSurface sheet;
    sheet.Create(92 * 8, 91);
    ASSERT_TRUE(sheet.SaveFile("system/pointer.bmp"));
    engine_.reset();
    engine_ = std::make_unique<COrvantaEngine>(config_);
    UseMap(64, 0);
  }
  void RightClick(int x, int y) {
    Input(platform::kWmRButtonDown, 0, x, y);
    Input(platform::kWmRButtonUp, 0, x, y);
  }
};

TEST_F(EngineOrders, AClickSelectsOnlyTheEarlierOfTwoOverlappingUnits) {
  ProbeUnit* first = AddSelectable("first", 200, 100, false);
  ProbeUnit* second = AddSelectable("second", 210, 110, true);
  ProbeUnit* later = AddSelectable("later", 600, 300, true);
  second->selected = later->selected = true;
  Input(platform::kWmLButtonDown, 0, 150, 120);  // + camera (64, 0): in both frames
  EXPECT_TRUE(first->selected && !second->selected && !later->selected);
  // From the picked unit on, every unit visited is asked for its label and description.
  EXPECT_TRUE(later->labelDirty && first->descriptionPending);

  State().hud.inventoryBarShown = true;
  Input(platform::kWmLButtonDown, 0, 10, 400);  // empty ground
  EXPECT_FALSE(first->selected || State().hud.inventoryBarShown);
}

TEST_F(EngineOrders, ADragSelectsPlayersByTheirCentreInTheOrderedCameraMovedBox) {
  AddSelectable("inside", 164, 100, true);                        // centre (180, 124)
  AddSelectable("edge", 248, 176, true);                          // centre (264, 200): on the corner
  ProbeUnit* bot = AddSelectable("bot", 180, 120, false);         // inside, but not a player
  ProbeUnit* outside = AddSelectable("outside", 300, 100, true);  // centre (316, 124)
  AddSelectable("hidden", 180, 120, true)->SetVisible(false, 0);
  // Dragged up and left: window (200, 200) to (100, 50) is map (164, 50) .. (264, 200). The
  // press is a click of its own; the flags set after it meet the drag.
  Input(platform::kWmLButtonDown, kMkLButton, 200, 200);
  bot->selected = outside->selected = State().units[4]->selected = true;
  Input(platform::kWmMouseMove, kMkLButton, 100, 50);
  Input(platform::kWmLButtonUp, 0, 100, 50);
  EXPECT_TRUE(bot->selected) << "other units keep their flags";
  EXPECT_EQ(EngineStateJson(engine_.get())["selection"], nlohmann::json::array({0, 1, 4})) << "invisible ones too";
}

TEST_F(EngineOrders, OneSelectedPlayerIsSentWithoutFormationAndTheMarkerFlashesThere) {
  ProbeUnit* player = AddSelectable("player", 200, 100, true);
  ProbeUnit* other = AddSelectable("other", 300, 100, false);
  Input(platform::kWmLButtonDown, 0, 150, 120);
  other->selected = true;  // selected, but not a player: not sent
  RightClick(500, 300);
  EXPECT_EQ(player->moveTarget, (units::Point{564, 300}));
  EXPECT_TRUE(player->moving && !other->moving);
  const CGameUnit& marker = *State().pointerMarker;
  EXPECT_TRUE(marker.IsVisible());
  EXPECT_EQ(marker.AnimationState().mode, units::kAnimPlayAndFade);
  // Nobody selected: the marker moves to the new point but stays hidden.
  Input(platform::kWmLButtonDown, 0, 10, 400);
  RightClick(100, 100);
  EXPECT_FALSE(marker.IsVisible());
  EXPECT_EQ(marker.Position(), (units::Point{164 - 46, 100 - 45}));
}

TEST(Formation, GridsOfBothLayoutsWithTheUnitsBeyondTheGridBesideIt) {
  // Boxes 20 x 30: steps of 60 across and 90 down.
  auto sheet = std::make_unique<CGameSprite>();
  sheet->Sheet().Create(32, 48);
  sheet->SetFrameSize(32, 48);
  std::vector<CGameUnit> owned(5);
  std::vector<const CGameUnit*> group;
  for (CGameUnit& unit : owned) {
    unit.AttachSprite(sheet.get(), 0, kUnitKindMobile, {0, 0, 20, 30});
    group.push_back(&unit);
  }
  using P = units::Point;
  const struct {
    int n;
    bool turned;
    P at;
    std::vector<P> targets;
  } cases[] = {
      {2, false, {0, 0}, {{0, 0}, {0, 90}}},
      {2, true, {0, 0}, {{0, 0}, {60, 0}}},
      {3, false, {10, 10}, {{10, 10}, {10, 100}, {10, 190}}},  // a 1 x 3 grid: one column
      // Five: a 2 x 2 grid and the fifth right of the last row, whichever way it is turned.
      {5, false, {0, 0}, {{0, 0}, {60, 0}, {0, 90}, {60, 90}, {120, 90}}},
      {5, true, {0, 0}, {{0, 0}, {60, 0}, {0, 90}, {60, 90}, {120, 90}}},
  };
  for (const auto& c : cases) {
    const std::vector<const CGameUnit*> part(group.begin(), group.begin() + c.n);
    EXPECT_EQ(engine::FormationTargets(part, c.at, c.turned), c.targets) << c.n << " " << c.turned;
  }
}

TEST_F(EngineOrders, TheWheelKeepsThePointerAndUnusedKeysChangeNothing) {
  AddSelectable("p", 100, 100, true);
  Input(platform::kWmMouseMove, 0, 10, 20);
  Input(platform::kWmMouseWheel, 120, 500, 600);
  EXPECT_EQ(std::make_pair(State().pointer.pointerX, State().pointer.pointerY), std::make_pair(10, 20));
  // Mid-drag, a key the engine uses reruns the unit pass; any other key leaves all as it was.
  Input(platform::kWmLButtonDown, kMkLButton, 0, 0);
  Input(platform::kWmMouseMove, kMkLButton, 300, 300);
  for (const char key : {'A', 'Q', '1', '\x1b', ' ', 'M', 'X', 'Z'}) {
    State().orders.selectionCount = 0;
    const std::string before = EngineStateJson(engine_.get()).dump();
    Input(platform::kWmKeyDown, static_cast<uint64_t>(key), 0, 0);
    const bool used = key == 'M' || key == 'X' || key == 'Z';
    EXPECT_EQ(State().orders.selectionCount, used ? 1 : 0) << key;
    EXPECT_TRUE(used || EngineStateJson(engine_.get()).dump() == before) << key;
  }
}

TEST_F(EngineOrders, TheActionSymbolGoesWithItsOfferWhenItsTimeIsUp) {
  CGameUnit& symbol = *State().actionSymbol;
  symbol.SetVisible(true, 0);
  State().hud.actionSymbolUntil = os_->now + 2000;
  State().eventUnit = State().eventTarget = AddSelectable("door", 300, 100, false);
  for (const bool shown : {true, false}) {
    Advance(shown ? 1999 : 1);
    engine_->Render();
    EXPECT_EQ(symbol.IsVisible(), shown);
  }
  EXPECT_TRUE(State().hud.actionSymbolUntil == 0 && State().eventUnit == nullptr && State().eventTarget == nullptr);
}

// The fight keys 'Z' and 'X' reach exactly the selected, living players armed for them.
TEST_F(EngineOrders, ZAndXReachOnlySelectedLivingArmedPlayers) {
  const struct {
    bool selected, alive, armed, acts;
  } cases[] = {{true, true, true, true},
               {false, true, true, false},
               {true, false, true, false},
               {true, true, false, false},
               {true, true, true, true}};
  std::vector<CGameUnit*> players;
  for (const auto& c : cases) {
    // The projectile and sword effect first, as the loaders register them.
    CGameUnit* ball = Register(std::make_unique<CGameUnit>(), 0, 0, {1, 1, 13, 13});
    CGameUnit* sword = Register(std::make_unique<CGameUnit>(), 0, 0, {});
    ball->SetVisible(false, 0);
    sword->SetVisible(false, 0);
    sword->AddAnimation("Default", 0, 0, 0);
    CGameUnit* player = Register(std::make_unique<CGameUnit>(), 100 * static_cast<int>(players.size()), 100, {});
    player->isPlayer = true;
    player->SetAmmo(5);
    player->projectile = ball;
    player->swordEffect = sword;
    player->selected = c.selected;
    player->alive = c.alive;
    player->attackFire = player->attackSword = c.armed;
    engine_->AddPlayerUnit(player);
    players.push_back(player);
  }
  Input(platform::kWmMouseMove, 0, 300, 400);
  engine_->OnInput(platform::kWmKeyDown, 'Z', 0);
  engine_->OnInput(platform::kWmKeyDown, 'X', 0);
  for (std::size_t i = 0; i < players.size(); ++i) {
    const CGameUnit& player = *players[i];
    EXPECT_EQ(player.projectile->IsVisible(), cases[i].acts) << i;
    EXPECT_EQ(player.swordEffect->IsVisible(), cases[i].acts) << i;
    EXPECT_EQ(player.Ammo(), cases[i].acts ? 4 : 5) << i;
    if (cases[i].acts) {
      EXPECT_EQ(player.projectile->moveTarget, (units::Point{364, 400})) << "the pointer on the map";
    }
  }
}

}  // namespace
}  // namespace enginetest
