// The twelve inventory slots at their bounds: adding (caps, full inventory, bad
// numbers) and using, with what each says and plays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit_test_support.h"

namespace units {
// Slots compare by content in these tables.
bool operator==(const InventorySlot& a, const InventorySlot& b) { return a.object == b.object && a.count == b.count; }
}  // namespace units

namespace {

using Slots = std::vector<units::InventorySlot>;  // slots 1.. in order; missing ones empty
using Strings = std::vector<std::string>;

class UnitInventory : public unittest::UnitTable {
 protected:
  void SetUp() override {
    Clear();
    unittest::DefineObject(config_.tables, 4, "Key", 3);
    for (int n = 20; n < 32; ++n) unittest::DefineObject(config_.tables, n, "Thing", 1);
    unit_ = unittest::MakeUnit(sprite_.get());
    unittest::AddWalkAnimations(*unit_);
    unit_->MoveTo({500, 500});
  }

  void Fill(const Slots& slots) {
    for (std::size_t i = 0; i < slots.size(); ++i) unit_->inventory[i + 1] = slots[i];
  }
  Slots Held() const {
    Slots held;
    for (int slot = 1; slot <= units::kInventorySlots; ++slot)
      held.push_back(unit_->inventory[static_cast<std::size_t>(slot)]);
    while (!held.empty() && held.back().object == 0) held.pop_back();
    return held;
  }
  std::unique_ptr<CGameSprite> sprite_ = unittest::MakeSheet(32, 32, 3, 8);
  std::unique_ptr<CGameUnit> unit_;
};

// Twelve different objects, 20 .. 31, with the last slot's content given.
Slots FullOfThings(units::InventorySlot last = {31, 1}) {
  Slots slots;
  for (int n = 20; n < 31; ++n) slots.push_back({n, 1});
  slots.push_back(last);
  return slots;
}

// What adding `count` keys says.
Strings GotKeys(int count) {
  return {"sound pickup_object.wav", "message You obtained Key x" + std::to_string(count) + " 2/4", "bar"};
}

TEST_F(UnitInventory, AddingAtEveryBound) {
  const Strings full = {"message You can't carry more objects 1/0", "sound action_ng.wav"};
  const struct {
    const char* name;
    Slots before;
    int object, count;
    bool added;
    Slots after;
    Strings said;
  } cases[] = {
      {"the object's own count into the first slot", {}, 4, -1, true, {{4, 3}}, GotKeys(3)},
      {"the first empty slot", {{20, 1}, {0, 0}, {21, 1}}, 4, 3, true, {{20, 1}, {4, 3}, {21, 1}}, GotKeys(3)},
      {"50 + 60 caps at 99", {{4, 50}}, 4, 60, true, {{4, 99}}, GotKeys(60)},
      {"a slot at 99 refuses silently", {{4, 99}}, 4, 1, false, {{4, 99}}, {}},
      {"a new slot is capped at 99 too", {}, 4, 150, true, {{4, 99}}, GotKeys(150)},
      {"a thirteenth object is refused", FullOfThings(), 4, 1, false, FullOfThings(), full},
      {"twelve slots but one holds it", FullOfThings({4, 5}), 4, 1, true, FullOfThings({4, 6}), GotKeys(1)},
      {"object 0", {}, 0, 1, false, {}, {}},
      {"object 65", {}, 65, 1, false, {}, {}},
      {"an undefined object", {}, 10, 1, false, {}, {}},
      {"nothing to add", {{4, 5}}, 4, 0, false, {{4, 5}}, {}},
      {"a negative count", {{4, 5}}, 4, -2, false, {{4, 5}}, {}},
  };
  for (const auto& c : cases) {
    SetUp();
    Fill(c.before);
    EXPECT_EQ(unit_->AddToInventory(c.object, c.count, World()), c.added) << c.name;
    EXPECT_EQ(Held(), c.after) << c.name;
    EXPECT_EQ(services_.Said(), c.said) << c.name;
    EXPECT_EQ(unit_->moving, c.said != full) << c.name << ": only a full inventory stops the unit";
  }
}

TEST_F(UnitInventory, UsingCountingAndSlots) {
  const struct {
    const char* name;
    Slots before;
    int object, count;
    bool used;
    Slots after;
  } cases[] = {
      {"one of three", {{4, 3}}, 4, 1, true, {{4, 2}}},
      {"the last one empties the slot", {{20, 1}, {4, 1}, {21, 1}}, 4, 1, true, {{20, 1}, {0, 0}, {21, 1}}},
      {"more than held empties it", {{4, 2}}, 4, 5, true, {}},
      {"absent", {{20, 1}}, 4, 1, false, {{20, 1}}},
      {"object 0 never matches an empty slot", {}, 0, 1, false, {}},
      {"using nothing", {{4, 2}}, 4, 0, false, {{4, 2}}},
      {"a negative use would add", {{4, 2}}, 4, -90, false, {{4, 2}}},
  };
  for (const auto& c : cases) {
    SetUp();
    Fill(c.before);
    EXPECT_EQ(unit_->UseFromInventory(c.object, c.count, World()), c.used) << c.name;
    EXPECT_EQ(Held(), c.after) << c.name;
    EXPECT_EQ(services_.Said(), c.used ? Strings{"bar"} : Strings{}) << c.name;
  }
  Fill({{20, 1}, {0, 0}, {4, 7}});
  EXPECT_EQ(unit_->CountInInventory(4), 7);
  EXPECT_EQ(unit_->CountInInventory(5), 0);
  EXPECT_EQ(unit_->CountInInventory(0), 0) << "empty slots hold no object 0";
  const int slots[] = {0, 1, 2, 3, 12, 13, -1};
  const int objects[] = {0, 20, 0, 4, 0, 0, 0};
  for (std::size_t i = 0; i < std::size(slots); ++i) EXPECT_EQ(unit_->ObjectInSlot(slots[i]), objects[i]) << slots[i];
}

}  // namespace
