// The item side of the HUD and the orders: giving the hovered object with 'M', the inventory
// bar with its tooltip, the image dialog, and the middle button that performs the offered action.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "engine/engine_state_json.h"
#include "engine/hud_style.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

constexpr int kBarX = 100;
constexpr int kBarY = kH - 130;

class EngineItems : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    UseMap(0, 0);
    config_.settings.inventoryBarX = kBarX;
    config_.settings.inventoryBarY = kBarY;
    Define(4, "Key", "Opens\\nthe door");
    Define(5, "Gem", "Shiny");
    for (int n = 20; n < 32; ++n) Define(n, "Thing", "");
    giver_ = AddSelectable("giver", 100, 100, true);
    receiver_ = AddSelectable("receiver", 120, 100, true);
    other_ = AddSelectable("other", 600, 300, true);
    sword_ = AddProbe("sword", 0, 0);  // its 32 x 48 frame is the giver's reach
    giver_->swordEffect = sword_;
    giver_->attackSword = other_->attackSword = true;
  }
  void Define(int number, const std::string& name, const std::string& description) {
    config::ObjectDefinition& object = config_.tables.objects[static_cast<std::size_t>(number)];
    object.defined = true;
    object.name = name;
    object.description = description;
    object.numberOfUses = 1;
    object.icon = std::make_unique<CBitmapSurface>();
    object.icon->Create(32, 32);
    object.icon->Clear(0x40A040);
  }
  void Key(uint64_t key) { engine_->OnInput(platform::kWmKeyDown, key, 0); }
  nlohmann::json Dump() { return EngineStateJson(engine_.get()); }

  ProbeUnit* giver_ = nullptr;
  ProbeUnit* receiver_ = nullptr;
  ProbeUnit* other_ = nullptr;
  ProbeUnit* sword_ = nullptr;
};

TEST_F(EngineItems, MGivesOnePieceOnlyFromTheOneSwordCarrierToAPlayerInReach) {
  const struct {
    const char* name;
    std::function<void()> arrange;
    bool given;
  } cases[] = {
      {"one piece moves", [] {}, true},
      {"two selected sword carriers", [this] { other_->selected = true; }, false},
      {"the receiver out of reach", [this] { receiver_->x = 400; }, false},
      {"a selected receiver", [this] { receiver_->selected = true; }, false},
      {"nothing hovered", [this] { State().hud.hoveredObject = 0; }, false},
      {"a hovered object the giver lacks", [this] { State().hud.hoveredObject = 5; }, false},
      {"a receiver with twelve other objects",
       [this] {
         for (int n = 20; n < 32; ++n) receiver_->inventory[static_cast<std::size_t>(n - 19)] = {n, 1};
       },
       false},
  };
  for (const auto& c : cases) {
    for (ProbeUnit* unit : {giver_, receiver_, other_}) {
      unit->inventory = {};
      unit->selected = false;
    }
    receiver_->x = 120;
    giver_->selected = true;
    giver_->inventory[1] = {4, 2};
    State().hud.hoveredObject = 4;
    os_->sounds.clear();
    c.arrange();
    Key('M');
    EXPECT_EQ(giver_->CountInInventory(4), c.given ? 1 : 2) << c.name;
    EXPECT_EQ(receiver_->CountInInventory(4), c.given ? 1 : 0) << c.name;
    EXPECT_EQ(!os_->sounds.empty() && os_->sounds.back().ends_with("give_object.wav"), c.given) << c.name;
  }
}

TEST_F(EngineItems, TheBarShowsTheFirstSelectedPlayersObjectsAndTheTooltipOfTheIconUnderThePointer) {
  // The bar of a player's objects, hidden when it holds none, is also pinned end to end.
  giver_->selected = true;
  giver_->inventory[1] = {5, 1};
  giver_->inventory[3] = {4, 12};
  engine_->RefreshInventoryBar();
  EXPECT_EQ(Dump()["inventory_bar"]["objects"], nlohmann::json({5, 4}));

  // The second icon's bottom row, the bar's right edge, the first icon's last column, above the bar.
  const struct {
    int x, y, hovered;
  } points[] = {{kBarX + 40, kBarY + 32, 4},
                {kBarX + 64, kBarY + 10, 0},
                {kBarX + 31, kBarY + 10, 5},
                {kBarX + 10, kBarY - 1, 0}};
  for (const auto& p : points) {
    Input(platform::kWmMouseMove, 0, p.x, p.y);
    engine_->Render();
    EXPECT_EQ(Dump()["hovered_object"], p.hovered) << p.x << "," << p.y;
  }
  Input(platform::kWmMouseMove, 0, kBarX + 40, kBarY + 5);
  engine_->Render();
  EXPECT_EQ(Dump()["tooltip"], (nlohmann::json{{"shown", true}, {"name", "Key"}, {"description", "Opens\nthe door"}}));
  // Two description lines over the name line, on the bar's top edge.
  const int line =
      State().hud.objectTooltip.MeasureText("Key", engine::hud::Face(config_.settings, 0), 10, true, false).second;
  EXPECT_EQ(State().hud.objectTooltip.GetHeight(), 3 * line + 5);

  Input(platform::kWmLButtonDown, 0, kBarX + 5, kBarY + 5);
  EXPECT_FALSE(Dump()["inventory_bar"]["shown"]) << "the bar is not a button";
  // Picking a player by a click puts its objects back on the bar; one holding nothing shows none.
  Input(platform::kWmLButtonDown, 0, 110, 110);
  EXPECT_TRUE(giver_->selected);
  EXPECT_EQ(Dump()["inventory_bar"]["objects"], nlohmann::json({5, 4}));
  EXPECT_TRUE(Dump()["inventory_bar"]["shown"]);
  Input(platform::kWmLButtonDown, 0, 610, 310);
  EXPECT_TRUE(other_->selected);
  EXPECT_FALSE(Dump()["inventory_bar"]["shown"]);
}

TEST_F(EngineItems, TheImageDialogShowsAReadablePictureCentredUntilAClick) {
  config_.launcher.folders[config::kFolderImages] = "images";
  std::filesystem::create_directories("images");
  CBitmapSurface picture;
  picture.Create(100, 60);
  ASSERT_TRUE(picture.SaveFile("images/talk.bmp"));
  std::filesystem::create_directories("images/folder.bmp");
  std::ofstream("images/broken.bmp") << "BM not really";
  for (const char* bad : {"missing.bmp", "broken.bmp", "folder.bmp", ""}) {
    EXPECT_FALSE(engine_->ShowImageDialog(std::string(bad))) << bad;
    EXPECT_FALSE(Dump()["image_dialog"]["shown"]) << bad;
  }
  for (uint32_t click : {platform::kWmLButtonDown, platform::kWmRButtonDown}) {
    ASSERT_TRUE(engine_->ShowImageDialog(std::string("talk.bmp")));
    const nlohmann::json dialog = Dump()["image_dialog"];
    EXPECT_EQ(dialog, (nlohmann::json{{"shown", true},
                                      {"x", (kW - 100) / 2},
                                      {"y", (kH - 60) / 2},
                                      {"w", 100},
                                      {"h", 60},
                                      {"file", "talk.bmp"}}));
    Input(click, 0, 5, 5);
    EXPECT_FALSE(Dump()["image_dialog"]["shown"]);
  }
}

TEST_F(EngineItems, TheMiddleButtonPerformsTheOfferedActionOnlyWhileTheSymbolShows) {
  receiver_->eventProcess = 1;
  receiver_->eventObject = 0;
  receiver_->yesTimes = 2;
  State().eventUnit = giver_;
  State().eventTarget = receiver_;
  Input(platform::kWmMButtonDown, 0, 5, 5);
  EXPECT_EQ(receiver_->yesTimes, 2) << "no symbol shown";
  State().actionSymbol->SetVisible(true, os_->now);
  Input(platform::kWmMButtonDown, 0, 5, 5);
  EXPECT_EQ(receiver_->yesTimes, 1);
  State().eventTarget = nullptr;
  Input(platform::kWmMButtonDown, 0, 5, 5);
  EXPECT_EQ(receiver_->yesTimes, 1);
}

}  // namespace
}  // namespace enginetest
