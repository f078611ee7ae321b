// A player's touch: kits and objects on the map, collision events with their object, times and
// hiding, effects touched like any unit, and contact damage.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "unit_test_support.h"

namespace {

using Strings = std::vector<std::string>;

// A 32 x 32 walker heading right at 4 pixels a step, in slot 0; the touched units stand just
// right of the point it steps to, so one step makes the contact and the step back ends it.
class UnitEvents : public unittest::UnitTable {
 protected:
  static constexpr int kStartX = 100;

  void SetUp() override {
    unittest::DefineObject(config_.tables, 4, "Key", 1);
    unittest::DefineObject(config_.tables, 5, "Gem", 60);
    for (int n = 20; n < 32; ++n) unittest::DefineObject(config_.tables, n, "Thing", 1);
    Clear();
    player_ = Add(kUnitKindMobile, kStartX, 100, "hero");
    player_->isPlayer = true;
    player_->SetSpeed(4, 4);
    player_->SetHealth(80);
    unittest::AddWalkAnimations(*player_);
  }

  CGameUnit* Add(int kind, int x, int y, const std::string& name, units::Rect box = {0, 0, 32, 32}) {
    CGameUnit* unit = &UnitTable::Add(sprite_.get(), kind, x, y, box);
    unit->SetName(name);
    return unit;
  }
  // A unit in reach of the walker's next step.
  CGameUnit* Ahead(int kind, const std::string& name) { return Add(kind, kStartX + 34, 100, name); }
  CGameUnit* Kit(int autouse, int object = 0) {
    CGameUnit* kit = Ahead(kUnitKindObject, "pickup");
    kit->autouseType = autouse;
    kit->objectNumber = object;
    kit->respawnEnabled = true;
    kit->respawnTime = 30000;
    return kit;
  }
  CGameUnit* Door() {
    CGameUnit* door = Ahead(kUnitKindOther, "door");
    door->eventProcess = 1;
    door->eventObject = 4;
    door->eventUsesObject = 1;
    door->yesTimes = 1;
    door->eventHideUnit = 1;
    door->noMessage = "Locked";
    door->yesMessage = "Open";
    door->collisionYesScript = "door_open";
    door->finalDescription = "An open door";
    return door;
  }
  // The mover walks one step from its start toward the target (far right unless given) and
  // meets the table.
  void Touch(CGameUnit& mover, std::optional<units::Point> target = std::nullopt) {
    mover.x = kStartX;
    mover.MoveTo(target.value_or(units::Point{1000, mover.Centre().y}));
    mover.Update(now_ += 10);
    mover.ProcessContacts(World());
  }
  std::unique_ptr<CGameSprite> sprite_ = unittest::MakeSheet(32, 32, 3, 8);
  CGameUnit* player_ = nullptr;
};

TEST_F(UnitEvents, KitsAndObjectsAreTakenUpToTheirCapsAndComeBackLaterButARefusedOneStays) {
  const struct {
    int autouse, health, ammo, expectHealth, expectAmmo;
    bool full;
    Strings said;
  } cases[] = {
      {1, 80, 10, 100, 10, false, {"message You obtained health +50 1/0", "sound health_kit1.wav"}},
      {1, 30, 10, 80, 10, false, {"message You obtained health +50 1/0", "sound health_kit1.wav"}},
      {2, 80, 90, 80, 100, false, {"message You obtained ammo +25 1/0", "sound ammo_kit1.wav"}},
      {3, 80, 10, 80, 10, false, {"sound pickup_object.wav", "message You obtained Gem x60 2/5", "bar"}},
      {3, 80, 10, 80, 10, true, {"message You can't carry more objects 1/0", "sound action_ng.wav"}},
  };
  for (const auto& c : cases) {
    SetUp();
    player_->SetHealth(c.health);
    player_->SetAmmo(c.ammo);
    if (c.full) {
      for (int n = 20; n < 32; ++n) player_->inventory[static_cast<std::size_t>(n - 19)] = {n, 1};
    }
    CGameUnit* kit = Kit(c.autouse, 5);
    Touch(*player_);
    EXPECT_EQ(std::make_pair(player_->Health(), player_->Ammo()), std::make_pair(c.expectHealth, c.expectAmmo));
    EXPECT_EQ(player_->CountInInventory(5), c.autouse == 3 && !c.full ? 60 : 0);
    EXPECT_EQ(kit->IsVisible(), c.full) << "a refused object stays where it lies";
    EXPECT_EQ(kit->respawnDue, c.full ? 0 : now_ + 30000) << "hidden through the setter, so it comes back";
    EXPECT_EQ(player_->x, kStartX) << "stepped back";
    EXPECT_EQ(player_->moving, !c.full) << "only the refused object stops the player";
    EXPECT_EQ(services_.Said(), c.said);
  }
}

// Sent onto a pickup or an event unit (anywhere on its frame or its box), a player stops where
// the touch stepped it back: no detour can reach a point on the unit, and a taken pickup still
// stands there, hidden, for the search. Sent past it, or onto a unit with neither, it looks for
// a way round as ever.
TEST_F(UnitEvents, APlayerSentOntoAPickupOrAnEventUnitStopsAtTheTouch) {
  const struct {
    const char* name;
    int autouse, process;
    units::Rect box;      // the touched unit's, in its 32 x 32 frame
    units::Point target;  // from the touched unit's top-left
    bool stops;
  } cases[] = {
      {"health kit, its centre", 1, 0, {0, 0, 32, 32}, {16, 16}, true},
      {"object, its frame below a thin box", 3, 0, {0, 0, 32, 8}, {16, 16}, true},
      {"event unit, its centre", 0, 1, {0, 0, 32, 32}, {16, 16}, true},
      {"health kit, beyond it", 1, 0, {0, 0, 32, 32}, {200, 16}, false},
      {"unit without pickup or event, its centre", 0, 0, {0, 0, 32, 32}, {16, 16}, false},
  };
  for (const auto& c : cases) {
    SetUp();
    // Walked by a script, so that an event's own stop for the offer does not hide the rule.
    player_->scripted = true;
    CGameUnit* other = Add(kUnitKindObject, kStartX + 34, 100, "touched", c.box);
    other->autouseType = c.autouse;
    other->objectNumber = 5;
    other->eventProcess = c.process;
    Touch(*player_, units::Point{other->x + c.target.x, other->y + c.target.y});
    EXPECT_EQ(player_->x, kStartX) << c.name << ": stepped back";
    EXPECT_EQ(player_->moving, !c.stops) << c.name;
    EXPECT_EQ(player_->HasPath(), !c.stops) << c.name << ": a detour only when not stopped";
    EXPECT_EQ(other->IsVisible(), c.autouse == 0) << c.name << ": the pickup is taken either way";
  }
}

TEST_F(UnitEvents, BotsWalkThroughKitsAndObjects) {
  // The balls' way through pickups is pinned with the other pass-through rules in the combat tests.
  for (int autouse : {1, 2, 3}) {
    SetUp();
    player_->isPlayer = false;
    player_->isBot = true;
    Kit(autouse, 5);
    Touch(*player_);
    EXPECT_EQ(player_->x, kStartX + 4) << autouse << ": not stepped back";
  }
}

// The locked door, the key used, the event spent and the door hidden two seconds later are
// also pinned end to end on the demo's storehouse door.
TEST_F(UnitEvents, TheDoorWantsItsKeyThenOpensOnceAndHidesTwoSecondsLater) {
  CGameUnit* door = Door();
  Touch(*player_);
  EXPECT_EQ(services_.log, (Strings{"events hero>door", "message You need Key x1 1/4", "sound action_ng.wav"}));
  // "Locked" said for 150 ms a character; the event goes on.
  EXPECT_EQ(std::make_tuple(door->bubbleText, door->messageUntil, door->eventProcess),
            std::make_tuple(std::string("Locked"), now_ + 6 * 150, 1));

  services_.log.clear();
  player_->inventory[1] = {4, 1};
  Touch(*player_);
  EXPECT_EQ(services_.Said(),
            (Strings{"bar", "message You have used Key x1 2/4", "script door_open by hero", "sound action_ok.wav"}));
  EXPECT_EQ(std::make_tuple(door->bubbleText, door->dialogAnswer, door->yesTimes, door->expiry, door->description),
            std::make_tuple(std::string("Open"), 1, 0, now_ + 2000, std::string("An open door")));

  services_.log.clear();
  Touch(*player_);
  EXPECT_EQ(services_.Said(), Strings{}) << "a spent event does nothing";
}

TEST_F(UnitEvents, EventsThatNeverRunOutWaitForTheButtonOrActOnNothingHidden) {
  CGameUnit* chest = Door();
  chest->eventObject = 0;
  chest->yesTimes = 999;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(chest->PerformAction(*player_, World()));
  EXPECT_EQ(std::make_tuple(chest->eventProcess, chest->yesTimes, chest->expiry), std::make_tuple(1, 999, 0u));

  services_.log.clear();
  chest->eventButtonAction = 1;
  Touch(*player_);
  EXPECT_EQ(services_.log, (Strings{"events hero>door", "sound action_alert.wav", "offer door"}));
  EXPECT_FALSE(player_->moving);

  // Hidden (or knocked out) since the offer: the button does nothing.
  services_.log.clear();
  chest->SetVisible(false, now_);
  EXPECT_FALSE(chest->PerformAction(*player_, World()));
  chest->SetVisible(true, now_);
  player_->alive = false;
  EXPECT_FALSE(chest->PerformAction(*player_, World()));
  EXPECT_EQ(services_.log, Strings{});
  player_->alive = true;
  player_->scripted = true;
  Touch(*player_);
  EXPECT_EQ(services_.log, Strings{"events hero>door"}) << "a scripted player is not stopped for events";
}

TEST_F(UnitEvents, AnExplosionIsTouchedWhereItsPositionLiesInTheBox) {
  // An effect's empty box is a point at its position; visible effects count like any unit.
  CGameUnit* blast = Add(kUnitKindEffect, kStartX + 30, 116, "blast", {});
  Touch(*player_);
  EXPECT_EQ(player_->x, kStartX);
  EXPECT_EQ(services_.log, Strings{"events hero>blast"});
  blast->SetVisible(false, now_);
  services_.log.clear();
  Touch(*player_);
  EXPECT_EQ(player_->x, kStartX + 4) << "a hidden one is not there";
}

TEST_F(UnitEvents, ContactDamageHitsEveryTickWithoutCoolDownEitherWay) {
  // A harmful unit touched by the player, then a harmful walker touching a standing player.
  CGameUnit* thorn = Ahead(kUnitKindOther, "thorn");
  thorn->SetDamageToPlayer(5);
  player_->SetResistance(1);
  for (int health : {75, 70}) {
    Touch(*player_);
    EXPECT_EQ(player_->Health(), health);
  }
  thorn->SetDamageToPlayer(0);
  CGameUnit* biter = Add(kUnitKindMobile, 0, 400, "biter");
  biter->SetDamageToPlayer(5);
  unittest::AddWalkAnimations(*biter);
  biter->SetSpeed(4, 4);
  player_->SetPosition({kStartX + 34, 400});
  Touch(*biter);
  Touch(*biter);
  EXPECT_EQ(player_->Health(), 60);
}

}  // namespace
