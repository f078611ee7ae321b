// The player's orders: click and drag selection, move orders with the pointer marker and the
// formation of a group, keys and wheel, and input that points nowhere sensible.
#include <gtest/gtest.h>

#include "engine/engine_orders.h"
#include "engine/engine_state_json.h"
#include "engine_test_support.h"
#include "units/runtime_random.h"

namespace enginetest {
namespace {

using platform::kMkLButton;

class EngineOrders : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // The engine's pointer sheet: 8 frames of 92 x 91, so the marker has a size to centre.
    config::Launcher().folders[config::kFolderSystem] = "system";
    std::filesystem::create_directories("system");
    CBitmapSurface sheet;
    sheet.Create(92 * 8, 91);
    ASSERT_TRUE(sheet.SaveFile("system/pointer.bmp"));
    engine_.reset();
    engine_ = std::make_unique<COrvantaEngine>();
    UseMap(64, 0);
  }
  ProbeUnit* AddSelectable(const std::string& name, int x, int y, bool player) {
    ProbeUnit* unit = AddProbe(name, x, y, {0, 16, 32, 48});
    unit->selectable = true;
    unit->isPlayer = player;
    unit->SetSpeed(4, 4);
    return unit;
  }
  // A left-button drag in window pixels, released at its end.
  void Drag(int x0, int y0, int x1, int y1) {
    Input(platform::kWmLButtonDown, kMkLButton, x0, y0);
    Input(platform::kWmMouseMove, kMkLButton, x1, y1);
    Input(platform::kWmLButtonUp, 0, x1, y1);
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
  // Window (150, 120) + camera (64, 0) lies in both frames.
  Input(platform::kWmLButtonDown, 0, 150, 120);
  EXPECT_TRUE(first->selected);
  EXPECT_FALSE(second->selected);
  EXPECT_FALSE(later->selected);
  // From the picked unit on, every unit visited is asked for its label and description.
  EXPECT_TRUE(first->labelDirty && second->labelDirty && later->labelDirty);
  EXPECT_TRUE(first->descriptionPending);

  State().inventoryBarShown = true;
  Input(platform::kWmLButtonDown, 0, 10, 400);  // empty ground
  EXPECT_FALSE(first->selected || second->selected || later->selected);
  EXPECT_FALSE(State().inventoryBarShown);
}

TEST_F(EngineOrders, ADragSelectsPlayersByTheirCentreInTheOrderedCameraMovedBox) {
  ProbeUnit* inside = AddSelectable("inside", 164, 100, true);     // centre (180, 124)
  ProbeUnit* edge = AddSelectable("edge", 248, 176, true);         // centre (264, 200): on the corner
  ProbeUnit* bot = AddSelectable("bot", 180, 120, false);          // inside, but not a player
  ProbeUnit* outside = AddSelectable("outside", 300, 100, true);  // centre (316, 124)
  ProbeUnit* hidden = AddSelectable("hidden", 180, 120, true);
  hidden->SetVisible(false, 0);
  // Dragged up and left: window (200, 200) to (100, 50) is map (164, 50) .. (264, 200). The
  // press is a click of its own; the flags set after it meet the drag.
  Input(platform::kWmLButtonDown, kMkLButton, 200, 200);
  bot->selected = outside->selected = hidden->selected = true;
  Input(platform::kWmMouseMove, kMkLButton, 100, 50);
  Input(platform::kWmLButtonUp, 0, 100, 50);
  EXPECT_TRUE(inside->selected);
  EXPECT_TRUE(edge->selected);
  EXPECT_TRUE(bot->selected) << "other units keep their flags";
  EXPECT_FALSE(outside->selected);
  EXPECT_TRUE(hidden->selected) << "invisible units keep their flags";
  const nlohmann::json dump = EngineStateJson();
  EXPECT_EQ(dump["selection"], nlohmann::json::array({0, 1, 4}));
  EXPECT_EQ(dump["drag"]["active"], false);
  EXPECT_EQ(dump["drag"]["end"], nlohmann::json::array({100, 50}));
  EXPECT_TRUE(inside->labelDirty) << "a box-selected unit's name label is built";
}

TEST_F(EngineOrders, OneSelectedPlayerIsSentWithoutFormationAndTheMarkerFlashesThere) {
  ProbeUnit* player = AddSelectable("player", 200, 100, true);
  ProbeUnit* other = AddSelectable("other", 300, 100, false);
  Input(platform::kWmLButtonDown, 0, 150, 120);
  other->selected = true;  // selected, but not a player: not sent
  RightClick(500, 300);
  EXPECT_EQ(player->moveTarget, (units::Point{564, 300}));
  EXPECT_TRUE(player->moving);
  EXPECT_FALSE(other->moving);
  const CGameUnit& marker = *State().pointerMarker;
  EXPECT_TRUE(marker.IsVisible());
  EXPECT_EQ(marker.Position(), (units::Point{564 - 46, 300 - 45}));
  EXPECT_EQ(marker.AnimationName(), "Default");
  EXPECT_EQ(marker.AnimationState().mode, units::kAnimPlayAndFade);

  // Nobody selected: the marker moves to the new point but stays hidden.
  Input(platform::kWmLButtonDown, 0, 10, 400);
  RightClick(100, 100);
  EXPECT_FALSE(marker.IsVisible());
  EXPECT_EQ(marker.Position(), (units::Point{164 - 46, 100 - 45}));
}

TEST_F(EngineOrders, ThreeBoxSelectedPlayersFormOneColumnOrOneRowTheSameOnEveryRun) {
  auto runOnce = [this]() {
    engine_.reset();
    engine_ = std::make_unique<COrvantaEngine>();
    UseMap(64, 0);
    std::vector<ProbeUnit*> players;
    for (const char* name : {"p0", "p1", "p2"}) {
      players.push_back(AddSelectable(name, 100 + 40 * static_cast<int>(players.size()), 100, true));
    }
    Drag(0, 0, 300, 300);
    RightClick(400, 300);
    std::vector<units::Point> targets;
    for (ProbeUnit* p : players) targets.push_back(p->moveTarget);
    return targets;
  };
  const std::vector<units::Point> first = runOnce();
  // The box is 32 x 32: cells 96 pixels apart from the clicked map point (464, 300).
  const std::vector<units::Point> column = {{464, 300}, {464, 396}, {464, 492}};
  const std::vector<units::Point> row = {{464, 300}, {560, 300}, {656, 300}};
  EXPECT_TRUE(first == column || first == row);
  EXPECT_EQ(runOnce(), first);
  EXPECT_EQ(runOnce(), first);
}

TEST(Formation, GridsOfBothLayoutsWithTheUnitsBeyondTheGridBesideIt) {
  // Boxes 20 x 30: steps of 60 across and 90 down.
  auto sheet = std::make_unique<CGameSprite>();
  sheet->Sheet().Create(32, 48);
  sheet->SetFrameSize(32, 48);
  std::vector<std::unique_ptr<CGameUnit>> owned;
  std::vector<const CGameUnit*> group;
  for (int i = 0; i < 5; ++i) {
    owned.push_back(std::make_unique<CGameUnit>());
    owned.back()->AttachSprite(sheet.get(), 0, kUnitKindMobile, {0, 0, 20, 30});
    group.push_back(owned.back().get());
  }
  using P = units::Point;
  const struct {
    int n;
    bool turned;
    std::vector<P> targets;
  } cases[] = {
      {2, false, {{0, 0}, {0, 90}}},
      {2, true, {{0, 0}, {60, 0}}},
      {4, false, {{0, 0}, {60, 0}, {0, 90}, {60, 90}}},
      // Five: a 2 x 2 grid and the fifth right of the last row.
      {5, false, {{0, 0}, {60, 0}, {0, 90}, {60, 90}, {120, 90}}},
      {5, true, {{0, 0}, {60, 0}, {0, 90}, {60, 90}, {120, 90}}},
  };
  for (const auto& c : cases) {
    const std::vector<const CGameUnit*> part(group.begin(), group.begin() + c.n);
    EXPECT_EQ(engine::FormationTargets(part, {0, 0}, c.turned), c.targets) << c.n << " " << c.turned;
  }
  // Three units in a column and one beyond when the grid is 1 x 3.
  const std::vector<const CGameUnit*> three(group.begin(), group.begin() + 3);
  EXPECT_EQ(engine::FormationTargets(three, {10, 10}, false), (std::vector<P>{{10, 10}, {10, 100}, {10, 190}}));
}

TEST_F(EngineOrders, TheWheelKeepsThePointerAndUnusedKeysChangeNothing) {
  AddSelectable("p", 100, 100, true);
  Input(platform::kWmMouseMove, 0, 10, 20);
  Input(platform::kWmMouseWheel, 120, 500, 600);
  EXPECT_EQ(State().pointerX, 10);
  EXPECT_EQ(State().pointerY, 20);
  // Mid-drag, a key the engine uses reruns the unit pass; any other key leaves all as it was.
  Input(platform::kWmLButtonDown, kMkLButton, 0, 0);
  Input(platform::kWmMouseMove, kMkLButton, 300, 300);
  State().selectionCount = 0;
  const std::string before = EngineStateJson().dump();
  for (uint64_t key : {uint64_t{'A'}, uint64_t{'Q'}, uint64_t{'1'}, uint64_t{27}, uint64_t{' '}}) {
    Input(platform::kWmKeyDown, key, 0, 0);
    EXPECT_EQ(EngineStateJson().dump(), before) << key;
  }
  for (uint64_t key : {uint64_t{'M'}, uint64_t{'X'}, uint64_t{'Z'}}) {
    State().selectionCount = 0;
    Input(platform::kWmKeyDown, key, 0, 0);
    EXPECT_EQ(State().selectionCount, 1) << key;
  }
}

TEST_F(EngineOrders, TheActionSymbolGoesWithItsOfferWhenItsTimeIsUp) {
  ProbeUnit* player = AddSelectable("player", 200, 100, true);
  ProbeUnit* door = AddSelectable("door", 300, 100, false);
  CGameUnit& symbol = *State().actionSymbol;
  symbol.SetVisible(true, 0);
  State().actionSymbolUntil = os_->now + 2000;
  State().eventUnit = player;
  State().eventTarget = door;
  Advance(1999);
  COrvantaEngine::Render();
  EXPECT_TRUE(symbol.IsVisible());
  Advance(1);
  COrvantaEngine::Render();
  EXPECT_FALSE(symbol.IsVisible());
  EXPECT_EQ(State().actionSymbolUntil, 0u);
  EXPECT_EQ(State().eventUnit, nullptr);
  EXPECT_EQ(State().eventTarget, nullptr);
}

TEST_F(EngineOrders, InputOutsideTheMapOrViewAndFloodsOfEventsHaveDefinedResults) {
  ProbeUnit* player = AddSelectable("p", 100, 100, true);
  // lParam halves are unsigned: the pointer lands far right and below the map.
  COrvantaEngine::OnInput(platform::kWmLButtonDown, 0, -1);
  EXPECT_EQ(State().pointerX, 0xFFFF);
  EXPECT_FALSE(player->selected);
  // A drag of zero size selects only a unit whose centre is that very point.
  Drag(52, 124, 52, 124);  // map (116, 124): the player's centre
  EXPECT_TRUE(player->selected);
  Drag(53, 124, 53, 124);
  EXPECT_FALSE(player->selected);
  // Orders to a point outside the map and the view: the unit walks there and the world steps.
  Drag(0, 0, 300, 300);
  RightClick(0xFFFF, 0xFFFF);
  EXPECT_EQ(player->moveTarget, (units::Point{0xFFFF + 64, 0xFFFF}));
  for (int i = 0; i < 5; ++i) Pass();
  // Thousands of events in one frame.
  for (int i = 0; i < 5000; ++i) {
    Input(platform::kWmMouseMove, kMkLButton, i % 640, i % 448);
    Input(i % 2 ? platform::kWmRButtonDown : platform::kWmLButtonDown, 0, i % 640, (i * 7) % 448);
  }
  Pass();
  EXPECT_LE(State().selectionCount, 1);
}

}  // namespace
}  // namespace enginetest
