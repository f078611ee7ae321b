// A unit's part of a saved game: one list of fields, walked by the writer and by the reader.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

#include "config/game_tables.h"
#include "config/saved_values.h"
#include "units/game_unit.h"

namespace {

constexpr int kCoordinate = units::kCoordinateLimit;
constexpr std::size_t kMaxWaypoints = 1 << 20;
constexpr int kMaxHeld = 99;  // of one object in one slot

template <class Io>
void PointField(Io& io, const std::string& key, units::Point& point) {
  io.Int((key + "_x").c_str(), point.x, -kCoordinate, kCoordinate);
  io.Int((key + "_y").c_str(), point.y, -kCoordinate, kCoordinate);
}

template <class Io>
void RectField(Io& io, const std::string& key, units::Rect& rect) {
  io.Int((key + "_left").c_str(), rect.left, -kCoordinate, kCoordinate);
  io.Int((key + "_top").c_str(), rect.top, -kCoordinate, kCoordinate);
  io.Int((key + "_right").c_str(), rect.right, -kCoordinate, kCoordinate);
  io.Int((key + "_bottom").c_str(), rect.bottom, -kCoordinate, kCoordinate);
}

template <class Io>
void LinkField(Io& io, const char* key, CGameUnit*& unit, const CGameUnit::SlotLinks& links) {
  int slot = 0;
  if constexpr (!Io::kReading) slot = links.slotOf(unit);
  io.Int(key, slot, -1, 1 << 20);
  if constexpr (Io::kReading) unit = links.unitAt(slot);
}

template <class Io, class Enum>
void EnumField(Io& io, const char* key, Enum& value, int last) {
  int number = static_cast<int>(value);
  io.Int(key, number, 0, last);
  value = static_cast<Enum>(number);
}

template <class Io>
void Waypoints(Io& io, std::vector<units::Point>& points) {
  if constexpr (Io::kReading) {
    const auto& list = config::SavedArray(io.In(), "waypoints", kMaxWaypoints);
    points.clear();
    for (const auto& entry : list) {
      points.push_back({static_cast<int>(config::SavedNumberAt(entry, 0, -kCoordinate, kCoordinate)),
                        static_cast<int>(config::SavedNumberAt(entry, 1, -kCoordinate, kCoordinate))});
    }
  } else {
    auto& list = io.Out()["waypoints"] = nlohmann::json::array();
    for (const units::Point& point : points) list.push_back({point.x, point.y});
  }
}

template <class Io>
void Inventory(Io& io, std::array<units::InventorySlot, units::kInventorySlots + 1>& inventory) {
  if constexpr (Io::kReading) {
    const auto& list = config::SavedArray(io.In(), "inventory", inventory.size());
    if (list.size() != inventory.size()) throw config::SaveError("'inventory' has the wrong number of slots");
    for (std::size_t i = 0; i < inventory.size(); ++i) {
      inventory[i].object = static_cast<int>(config::SavedNumberAt(list[i], 0, 0, config::kMaxObjects));
      inventory[i].count = static_cast<int>(config::SavedNumberAt(list[i], 1, 0, kMaxHeld));
    }
  } else {
    auto& list = io.Out()["inventory"] = nlohmann::json::array();
    for (const auto& slot : inventory) list.push_back({slot.object, slot.count});
  }
}

}  // namespace

template <class Io>
void CGameUnit::StateFields(Io& io, const SlotLinks& links) {
  constexpr std::size_t kLong = kLongTextMax;
  constexpr std::size_t kScript = kScriptNameMax;
  io.Int("x", x, -kCoordinate, kCoordinate);
  io.Int("y", y, -kCoordinate, kCoordinate);
  PointField(io, "spawn", spawn);
  PointField(io, "velocity", velocity);
  PointField(io, "move_target", moveTarget);
  io.Bool("selected", selected);
  io.Int("autouse_type", autouseType);
  io.Int("object_number", objectNumber);
  io.Bool("bars_shown", barsShown);
  io.Tick("bars_until", barsUntil);
  io.Bool("selectable", selectable);
  io.Bool("saved_selectable", savedSelectable);
  io.Bool("is_projectile", isProjectile);
  io.Int("collision_mode", collisionMode);
  LinkField(io, "owner", owner, links);
  LinkField(io, "sword_effect", swordEffect, links);
  LinkField(io, "projectile", projectile, links);
  LinkField(io, "explosion_effect", explosionEffect, links);
  LinkField(io, "respawn_effect", respawnEffect, links);
  LinkField(io, "alert_target", alertTarget, links);
  LinkField(io, "chase_target", chaseTarget, links);
  io.Text("collision_yes_script", collisionYesScript, kScript);
  io.Text("projectile_collision_script", projectileCollisionScript, kScript);
  io.Text("death_script", deathScript, kScript);
  Inventory(io, inventory);
  io.Int("event_process", eventProcess);
  io.Int("event_object", eventObject);
  io.Int("event_uses_object", eventUsesObject);
  io.Int("event_button_action", eventButtonAction);
  io.Int("event_hide_unit", eventHideUnit);
  io.Bool("label_shown", labelShown);
  io.Bool("respawn_enabled", respawnEnabled);
  io.Int("respawn_time", respawnTime);
  io.Tick("respawn_due", respawnDue);
  io.Bool("description_pending", descriptionPending);
  io.Bool("description_shown", descriptionShown);
  io.Tick("message_until", messageUntil);
  io.Text("no_message", noMessage, kLong);
  io.Text("yes_message", yesMessage, kLong);
  io.Text("final_description", finalDescription, kLong);
  io.Int("yes_times", yesTimes);
  io.Tick("expiry", expiry);
  io.Bool("alive", alive);
  io.Bool("attack_fire", attackFire);
  io.Bool("attack_sword", attackSword);
  io.Bool("return_fire", returnFire);
  int answer = dialogAnswer;
  io.Int("dialog_answer", answer, 0, 255);
  dialogAnswer = static_cast<uint8_t>(answer);
  io.Bool("is_bot", isBot);
  RectField(io, "move_zone", moveZone);
  EnumField(io, "move_type", moveType, static_cast<int>(units::MoveType::Chase));
  io.Int("max_distance", maxDistance);
  io.Int("fire_distance", fireDistance);
  io.Int("vision_distance", visionDistance);
  io.Tick("alert_icon_until", alertIconUntil);
  io.Tick("chase_until", chaseUntil);
  PointField(io, "last_position", lastPosition);
  io.Int("stuck_count", stuckCount);
  io.Int("sword_random", swordRandom);
  io.Int("fire_random", fireRandom);
  io.Int("vision_random", visionRandom);
  io.Bool("moving", moving);
  io.Bool("blocked", blocked);
  io.Bool("scripted", scripted);
  io.Text("bubble_text", bubbleText, kLong);
  io.Int("bubble_text_width", bubbleTextWidth);
  io.Int("bubble_text_height", bubbleTextHeight);
  io.Bool("bubble_shown", bubbleShown);
  io.Bool("bubble_noted", bubbleNoted);
  io.Text("description", description, kLong);
  io.Int("opacity", opacity, 0, 100);
  io.Int("default_opacity", defaultOpacity, 0, 100);
  io.Int("speed_x", speed_.x, 0, units::kSizeLimit);
  io.Int("speed_y", speed_.y, 0, units::kSizeLimit);
  io.Int("max_health", maxHealth_, 0, 100);
  io.Int("health", health_, 0, 100);
  io.Int("ammo", ammo_, 0, 100);
  io.Int("damage_to_player", damageToPlayer_, 0, 100);
  io.Int("resistance", resistance_, 0);
  io.Bool("visible", visible_);
  EnumField(io, "direction", direction_, units::kDirectionCount - 1);
  io.Int("animation", anim_.index, -1, static_cast<int>(animations_.size()) - 1);
  io.Tick("animation_tick", anim_.lastTick);
  io.Int("animation_time", anim_.time, 0);
  io.Int("animation_first", anim_.first);
  io.Int("animation_last", anim_.last);
  io.Int("animation_start", anim_.start);
  io.Int("frame", anim_.frame);
  io.Int("animation_mode", anim_.mode, units::kAnimHold, units::kAnimPlayOnceHide);
  Waypoints(io, waypoints_);
  int pathIndex = static_cast<int>(pathIndex_);
  io.Int("path_index", pathIndex, 0, static_cast<int>(kMaxWaypoints));
  pathIndex_ = static_cast<std::size_t>(pathIndex);
  io.Bool("has_path", hasPath_);
  if constexpr (Io::kReading) {
    if (pathIndex_ > waypoints_.size()) throw config::SaveError("'path_index' is past the path");
    // Pictures drawn from the texts are drawn again when next shown.
    labelDirty = true;
    bubbleDirty = true;
  }
}

void CGameUnit::SaveState(nlohmann::json& out, const SlotLinks& links) const {
  out = nlohmann::json::object();
  config::SaveWriter writer(out);
  std::string name = identifierName_;
  writer.Text("name", name, kNameMax);
  // The writer only reads the fields; the one list serves both directions.
  const_cast<CGameUnit*>(this)->StateFields(writer, links);
}

void CGameUnit::LoadState(const nlohmann::json& in, const SlotLinks& links) {
  config::SaveReader reader(in);
  StateFields(reader, links);
}
