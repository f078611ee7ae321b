// The message panel: up to six short texts, each with an icon, newest at the bottom, each
// leaving five seconds after it was posted.
#include <algorithm>

#include "config/game_tables.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/hud_style.h"
#include "engine/orvanta_engine.h"

namespace engine {
namespace {

constexpr int kPanelMaxTextWidth = 400;
constexpr int kTextX = 24;
constexpr int kIconX = 5;
constexpr int kIconDown = 6;

// Stores the message in the first free slot; false when all six are taken.
bool StoreMessage(EngineState& state, const std::string& text, int kind, int object, uint32_t now) {
  for (MessageSlot& slot : state.hud.messages) {
    if (slot.used) continue;
    slot.text = text.substr(0, kMessageTextMax);
    slot.kind = kind;
    slot.object = object;
    slot.expiry = now + hud::kMessageLifeMs;
    slot.used = true;
    slot.noted = false;
    return true;
  }
  return false;
}

void DrawIcon(CBitmapSurface& panel, const CBitmapSurface& icon, int y) {
  panel.DrawKeyedShadow(kIconX, y + kIconDown, icon.GetWidth(), icon.GetHeight(), icon, 0, 0, hud::kIconKey,
                        hud::kIconShadow);
}

// Kind 1 shows the info icon; kind 2 a half-size copy of the object's icon.
void DrawSlotIcon(EngineState& state, const MessageSlot& slot, int y) {
  if (slot.kind == 1) {
    DrawIcon(state.hud.messagePanel, state.hud.infoIcon, y);
    return;
  }
  if (slot.kind != 2 || slot.object < 1 || slot.object > config::kMaxObjects) return;
  const CBitmapSurface* icon = state.config.tables.objects[static_cast<std::size_t>(slot.object)].icon.get();
  if (icon == nullptr) return;
  CBitmapSurface half;
  half.CreateCopy(*icon);
  half.Scale(50, 50);
  DrawIcon(state.hud.messagePanel, half, y);
}

// Measures the used lines and redraws the panel; the lines end 65 pixels above the window's
// bottom with the newest at the bottom. Nothing is drawn while no slot is used.
void RebuildPanel(EngineState& state) {
  const std::string& face = hud::Face(state.config.settings, 1);
  state.hud.messagePanelTop = state.config.launcher.windowHeight - hud::kMessagePanelBottomGap;
  int count = 0;
  int width = 0;
  int totalHeight = 0;
  for (MessageSlot& slot : state.hud.messages) {
    if (!slot.used) continue;
    ++count;
    const auto [textWidth, textHeight] =
        state.hud.messagePanel.MeasureText(slot.text.c_str(), face, hud::kMessagePoints, true, false);
    slot.lineWidth = textWidth;
    slot.lineHeight = textHeight + 2;
    width = std::max(width, textWidth);
    totalHeight += slot.lineHeight;
  }
  state.hud.messageCount = count;
  if (count == 0) return;
  width = std::min(width, kPanelMaxTextWidth);
  state.hud.messagePanel.Create(width + 32, totalHeight + 4);
  state.hud.messagePanel.Clear(0);
  int y = 0;
  for (const MessageSlot& slot : state.hud.messages) {
    if (!slot.used) continue;
    DrawSlotIcon(state, slot, y);
    state.hud.messagePanel.DrawText(kTextX, y, slot.text.c_str(), hud::kMessageColor, 100, face, hud::kMessagePoints,
                                    true, false);
    // Lines stack by their own heights, so a taller line never overlaps the next.
    y += slot.lineHeight;
    state.hud.messagePanelTop -= slot.lineHeight;
  }
}

}  // namespace

void RebuildMessagePanel(EngineState& state) { RebuildPanel(state); }

bool ExpireMessages(EngineState& state, uint32_t now) {
  bool removed = false;
  for (std::size_t s = 0; s < state.hud.messages.size(); ++s) {
    MessageSlot& slot = state.hud.messages[s];
    if (!slot.used || now < slot.expiry) continue;
    // The later slots move down one place; the one that lands in s waits for the next pass.
    std::move(state.hud.messages.begin() + static_cast<std::ptrdiff_t>(s) + 1, state.hud.messages.end(),
              state.hud.messages.begin() + static_cast<std::ptrdiff_t>(s));
    state.hud.messages.back() = MessageSlot{};
    removed = true;
  }
  if (removed) RebuildPanel(state);
  return removed;
}

}  // namespace engine

void COrvantaEngine::AddHudMessage(const std::string& text, int kind, int object) {
  engine::EngineState& state = State();
  if (!text.empty()) engine::StoreMessage(state, text, kind, object, engine::Now(state));
  engine::RebuildPanel(state);
}
