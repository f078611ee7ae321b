#include "engine/units_state_json.h"

#include <map>

#include "engine/engine_state.h"
#include "platform/text_encoding.h"
#include "units/game_unit.h"

namespace {

// 1 player, 2 bot, 3 other unit, 4 unit-object; 0 for projectiles, effects and markers.
int LoadKind(const CGameUnit& unit) {
  if (unit.isPlayer) return 1;
  if (unit.isBot) return 2;
  if (unit.KindCode() == kUnitKindOther) return 3;
  if (unit.KindCode() == kUnitKindObject) return 4;
  return 0;
}

nlohmann::json ProjectileJson(const CGameUnit& unit) {
  const CGameUnit* ball = unit.projectile;
  if (ball == nullptr) return {{"flying", false}, {"x", 0}, {"y", 0}};
  return {{"flying", ball->IsVisible()}, {"x", ball->x}, {"y", ball->y}};
}

// What a bot has in mind: how it moves, whom it spotted and chases, and how long it has stood.
nlohmann::json BotBrainJson(const CGameUnit& unit, const SlotOfUnit& slotOf) {
  static const char* const kStates[] = {"static", "wander", "chase"};
  const int move = static_cast<int>(unit.moveType);
  const bool known = move >= 0 && move <= 2;
  const units::Rect& zone = unit.moveZone;
  return {{"state", known ? kStates[move] : "unknown"},
          {"alert_target", slotOf(unit.alertTarget)},
          {"chase_until", unit.chaseUntil},
          {"stuck_passes", unit.stuckCount},
          {"zone", {zone.left, zone.top, zone.right, zone.bottom}},
          {"chase_target", slotOf(unit.chaseTarget)},
          {"alert_icon_until", unit.alertIconUntil}};
}

}  // namespace

nlohmann::json UnitJson(const CGameUnit& unit, int index, const SlotOfUnit& slotOf, uint32_t now) {
  nlohmann::json path = nlohmann::json::array();
  for (const units::Point& point : unit.GetPath()) path.push_back({point.x, point.y});
  nlohmann::json inventory = nlohmann::json::array();
  for (int slot = 1; slot <= units::kInventorySlots; ++slot) {
    const units::InventorySlot& item = unit.inventory[static_cast<std::size_t>(slot)];
    inventory.push_back({item.object, item.count});
  }
  const units::Point destination = unit.Destination();
  const units::Rect& box = unit.CollisionBox();
  const uint32_t barsLeft = unit.barsShown && unit.barsUntil > now ? unit.barsUntil - now : 0;
  nlohmann::json entry = {
      {"index", index},
      {"name", platform::Utf8FromCp1252(unit.DisplayName())},
      {"id_name", platform::Utf8FromCp1252(unit.IdentifierName())},
      {"kind_code", unit.KindCode()},
      {"kind", LoadKind(unit)},
      {"sprite", unit.spriteNumber},
      {"male", unit.male},
      {"player", unit.isPlayer},
      {"bot", unit.isBot},
      {"x", unit.x},
      {"y", unit.y},
      {"spawn_x", unit.spawn.x},
      {"spawn_y", unit.spawn.y},
      {"w", unit.FrameWidth()},
      {"h", unit.FrameHeight()},
      {"visible", unit.IsVisible()},
      {"alive", unit.alive},
      {"selected", unit.selected},
      {"selectable", unit.selectable},
      {"health", unit.Health()},
      {"max_health", unit.MaxHealth()},
      {"ammo", unit.Ammo()},
      {"speed", unit.Speed().x},
      {"speed_y", unit.Speed().y},
      {"moving", unit.moving},
      {"blocked", unit.blocked},
      {"dest", {destination.x, destination.y}},
      {"path", path},
      {"path_index", unit.PathIndex()},
      {"animation", platform::Utf8FromCp1252(std::string(unit.AnimationName()))},
      {"frame", unit.Frame()},
      {"opacity", unit.opacity},
      {"respawn_ms", unit.respawnTime},
      {"respawn_enabled", unit.respawnEnabled},
      {"zone", {unit.moveZone.left, unit.moveZone.top, unit.moveZone.right, unit.moveZone.bottom}},
      {"move_type", static_cast<int>(unit.moveType)},
      {"autouse", unit.autouseType},
      {"object", unit.objectNumber},
      {"description", platform::Utf8FromCp1252(unit.description)},
      {"collision_box", {box.left, box.top, box.right, box.bottom}},
      {"scripted", unit.scripted},
      {"inventory", inventory},
      {"bubble", {{"shown", unit.bubbleShown}, {"text", platform::Utf8FromCp1252(unit.bubbleText)}}},
      {"label_shown", unit.labelShown},
      {"bars_ms", barsLeft},
      {"respawn_due", unit.respawnDue},
      {"projectile", ProjectileJson(unit)},
      {"owner", slotOf(unit.owner)},
      {"event",
       {{"process", unit.eventProcess},
        {"yes_times", unit.yesTimes},
        {"object", unit.eventObject},
        {"uses", unit.eventUsesObject}}}};
  if (unit.isBot) entry["bot_brain"] = BotBrainJson(unit, slotOf);
  return entry;
}

nlohmann::json UnitTablesJson(const engine::EngineState& state) {
  nlohmann::json tables = nlohmann::json::object();
  nlohmann::json units = nlohmann::json::array();
  std::map<const CGameUnit*, int> slotOf;
  for (int i = 0; i < state.unitCount; ++i) slotOf.emplace(state.units[static_cast<std::size_t>(i)].get(), i);
  const SlotOfUnit slot = [&slotOf](const CGameUnit* unit) {
    auto found = slotOf.find(unit);
    return found != slotOf.end() ? found->second : -1;
  };
  for (int i = 0; i < state.unitCount; ++i)
    units.push_back(UnitJson(*state.units[static_cast<std::size_t>(i)], i, slot, state.timing.lastStepTime));
  nlohmann::json players = nlohmann::json::array();
  for (int i = 0; i < state.playerCount; ++i) players.push_back(slot(state.players[static_cast<std::size_t>(i)]));
  tables["units"] = units;
  tables["players"] = players;
  return tables;
}
