// The engine's part of a saved game: the world clock, every unit, the markers, selection and
// orders, the HUD, the generators and the map.
#include <nlohmann/json.hpp>
#include <string>

#include "config/saved_values.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "map/game_map.h"

namespace engine {

CGameUnit* UnitOfSavedSlot(const EngineState& state, int slot) {
  if (slot == -1) return nullptr;
  if (slot < 0 || slot >= state.unitCount) throw config::SaveError("a unit slot is not in the table");
  return state.units[static_cast<std::size_t>(slot)].get();
}

namespace {

constexpr std::size_t kLongText = CGameUnit::kLongTextMax;

CGameUnit::SlotLinks LinksOf(EngineState& state) {
  CGameUnit::SlotLinks links;
  // A unit outside the table (a marker) is not kept.
  links.slotOf = [&state](const CGameUnit* unit) { return SlotOf(state, unit); };
  links.unitAt = [&state](int slot) { return UnitOfSavedSlot(state, slot); };
  return links;
}

template <class Io>
void PointerFields(Io& io, PointerState& pointer) {
  io.Int("pointer_x", pointer.pointerX);
  io.Int("pointer_y", pointer.pointerY);
  io.Int("drag_start_x", pointer.dragStartX);
  io.Int("drag_start_y", pointer.dragStartY);
  io.Int("drag_end_x", pointer.dragEndX);
  io.Int("drag_end_y", pointer.dragEndY);
  io.Bool("dragging", pointer.dragging);
  io.Bool("left_click", pointer.leftClick);
  io.Bool("right_click", pointer.rightClick);
  io.Int("cursor", pointer.cursorIndex);
}

template <class Io>
void HudFields(Io& io, HudState& hud) {
  io.Bool("fps_shown", hud.fpsShown);
  io.Tick("frame_count", hud.frameCount);
  io.Tick("last_fps_refresh", hud.lastFpsRefresh);
  io.Text("fps_text", hud.fpsText, 64);
  io.Bool("banner_shown", hud.bannerShown);
  io.Bool("banner_noted", hud.bannerNoted);
  io.Text("banner_text", hud.bannerText, 2 * kLongText);
  io.Tick("banner_until", hud.bannerUntil);
  io.Int("banner_x", hud.bannerX);
  io.Int("banner_y", hud.bannerY);
  io.Bool("image_dialog_shown", hud.imageDialogShown);
  io.Bool("image_dialog_noted", hud.imageDialogNoted);
  io.Int("image_dialog_x", hud.imageDialogX);
  io.Int("image_dialog_y", hud.imageDialogY);
  io.Text("image_dialog_file", hud.imageDialogFile, kLongText);
  io.Text("image_dialog_picture", hud.imageDialogPicture, kLongText);
  io.Bool("inventory_bar_shown", hud.inventoryBarShown);
  io.Int("inventory_entry_count", hud.inventoryEntryCount, 0, kInventoryBarEntries);
  io.Int("hovered_object", hud.hoveredObject);
  io.Tick("action_symbol_until", hud.actionSymbolUntil);
  io.Text("tooltip_name", hud.tooltipName, kLongText);
  io.Text("tooltip_description", hud.tooltipDescription, kLongText);
}

template <class Io>
void MessageFields(Io& io, MessageSlot& slot) {
  io.Bool("used", slot.used);
  io.Text("text", slot.text, kMessageTextMax);
  io.Int("kind", slot.kind, 0, 2);
  io.Int("object", slot.object);
  io.Tick("expiry", slot.expiry);
  io.Bool("noted", slot.noted);
}

// The first `count` numbers as a JSON list.
nlohmann::json IntList(const int* values, int count) {
  nlohmann::json list = nlohmann::json::array();
  for (int i = 0; i < count; ++i) list.push_back(values[i]);
  return list;
}

}  // namespace
}  // namespace engine

uint32_t COrvantaEngine::Now() const { return engine::Now(*state_); }

void COrvantaEngine::SetWorldClock(uint32_t tick) { state_->timing.clockShift = tick - engine::PlatformNow(); }

void COrvantaEngine::SaveState(nlohmann::json& out) {
  engine::EngineState& state = State();
  const CGameUnit::SlotLinks links = engine::LinksOf(state);
  out = nlohmann::json::object();
  out["tick"] = Now();
  out["last_step"] = state.timing.lastStepTime;
  out["one_second_mark"] = state.timing.oneSecondMark;
  config::SaveWriter pointer(out["pointer"] = nlohmann::json::object());
  engine::PointerFields(pointer, state.pointer);
  nlohmann::json selection = nlohmann::json::array();
  for (int k = 0; k < state.orders.selectionCount; ++k) {
    selection.push_back(links.slotOf(state.orders.selection[static_cast<std::size_t>(k)]));
  }
  out["selection"] = selection;
  config::SaveWriter hud(out["hud"] = nlohmann::json::object());
  engine::HudFields(hud, state.hud);
  out["hud"]["inventory_entries"] = engine::IntList(state.hud.inventoryEntries.data(), state.hud.inventoryEntryCount);
  nlohmann::json messages = nlohmann::json::array();
  for (engine::MessageSlot& slot : state.hud.messages) {
    nlohmann::json entry = nlohmann::json::object();
    config::SaveWriter writer(entry);
    engine::MessageFields(writer, slot);
    messages.push_back(entry);
  }
  out["messages"] = messages;
  out["players_box"] = state.playersBox;
  out["event_unit"] = links.slotOf(state.eventUnit);
  out["event_target"] = links.slotOf(state.eventTarget);
  out["step_random"] = state.stepRandom.StateWord();
  out["order_random"] = state.orderRandom.StateWord();
  state.pointerMarker->SaveState(out["pointer_marker"], links);
  state.actionSymbol->SaveState(out["action_symbol"], links);
  nlohmann::json units = nlohmann::json::array();
  for (int i = 0; i < state.unitCount; ++i) {
    nlohmann::json unit;
    state.units[static_cast<std::size_t>(i)]->SaveState(unit, links);
    units.push_back(std::move(unit));
  }
  out["units"] = std::move(units);
  if (state.map != nullptr) state.map->SaveState(out["map"]);
}

void COrvantaEngine::LoadState(const nlohmann::json& in) {
  engine::EngineState& state = State();
  const CGameUnit::SlotLinks links = engine::LinksOf(state);
  // What identifies the game comes first: a save of another cast changes nothing.
  const auto& units = config::SavedArray(in, "units", kMaxUnits);
  if (static_cast<int>(units.size()) != state.unitCount) throw config::SaveError("the game has other units");
  for (int i = 0; i < state.unitCount; ++i) {
    std::string name;
    config::SaveReader(units[static_cast<std::size_t>(i)]).Text("name", name, CGameUnit::kNameMax);
    if (name != state.units[static_cast<std::size_t>(i)]->IdentifierName()) {
      throw config::SaveError("the game has other units");
    }
  }
  if (state.map != nullptr) state.map->LoadState(config::SavedMember(in, "map"));
  const uint32_t tick = config::SavedTick(in, "tick");
  SetWorldClock(tick);
  state.timing.lastStepTime = config::SavedTick(in, "last_step");
  state.timing.oneSecondMark = config::SavedTick(in, "one_second_mark");
  config::SaveReader pointer(config::SavedMember(in, "pointer"));
  engine::PointerFields(pointer, state.pointer);
  const auto& selection = config::SavedArray(in, "selection", kMaxUnits);
  state.orders.selectionCount = 0;
  for (std::size_t k = 0; k < selection.size(); ++k) {
    CGameUnit* unit = links.unitAt(static_cast<int>(config::SavedNumberAt(selection, k, 0, kMaxUnits)));
    state.orders.selection[static_cast<std::size_t>(state.orders.selectionCount++)] = unit;
  }
  const auto& hudIn = config::SavedMember(in, "hud");
  config::SaveReader hud(hudIn);
  engine::HudFields(hud, state.hud);
  const auto& entries = config::SavedArray(hudIn, "inventory_entries", engine::kInventoryBarEntries);
  if (static_cast<int>(entries.size()) != state.hud.inventoryEntryCount) {
    throw config::SaveError("'inventory_entries' does not match its count");
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    state.hud.inventoryEntries[i] = static_cast<int>(config::SavedNumberAt(entries, i, 0, 1 << 20));
  }
  const auto& messages = config::SavedArray(in, "messages", engine::kMessageSlots);
  if (messages.size() != state.hud.messages.size()) throw config::SaveError("'messages' has the wrong number of slots");
  for (std::size_t i = 0; i < messages.size(); ++i) {
    config::SaveReader reader(messages[i]);
    engine::MessageFields(reader, state.hud.messages[i]);
  }
  const auto& box = config::SavedArray(in, "players_box", 4);
  for (std::size_t i = 0; i < state.playersBox.size(); ++i) {
    state.playersBox[i] = static_cast<int>(config::SavedNumberAt(box, i, -(1 << 30), 1 << 30));
  }
  state.eventUnit = links.unitAt(config::SavedInt(in, "event_unit", -1, kMaxUnits));
  state.eventTarget = links.unitAt(config::SavedInt(in, "event_target", -1, kMaxUnits));
  state.stepRandom.Seed(config::SavedTick(in, "step_random"));
  state.orderRandom.Seed(config::SavedTick(in, "order_random"));
  state.pointerMarker->LoadState(config::SavedMember(in, "pointer_marker"), links);
  state.actionSymbol->LoadState(config::SavedMember(in, "action_symbol"), links);
  for (int i = 0; i < state.unitCount; ++i) {
    state.units[static_cast<std::size_t>(i)]->LoadState(units[static_cast<std::size_t>(i)], links);
  }
  // The pictures the HUD shows are drawn again from what they show.
  engine::RebuildMessagePanel(state);
  engine::RedrawInventoryPictures(state);
  if (const auto split = state.hud.bannerText.find('\n'); split != std::string::npos) {
    engine::DrawBannerPicture(state, state.hud.bannerText.substr(0, split), state.hud.bannerText.substr(split + 1));
  } else {
    engine::ClearPicture(state.hud.deathBanner, 1, 1);
  }
  CBitmapSurface picture;
  LoadDialogPicture(Config(), state.hud.imageDialogPicture, picture);
  if (picture.IsValid()) {
    state.hud.imageDialog.CreateCopy(picture);
  } else {
    engine::ClearPicture(state.hud.imageDialog, 1, 1);
  }
}
