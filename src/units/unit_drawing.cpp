// How a unit shows itself each frame: its sprite frame, the health and ammunition bars, the
// alert icon of a bot, the speech bubble with the collision event's picture beside it, and the
// name label. The bubble and the label are rebuilt only when their text changed.
#include <algorithm>

#include "config/game_settings.h"
#include "units/game_sprite.h"
#include "units/game_unit.h"
#include "units/line_breaks.h"

namespace {

constexpr uint32_t kBarBackground = 0x000000;
constexpr uint32_t kHealthColor = 0x00FF00;
constexpr uint32_t kAmmoColor = 0x0000FF;
constexpr uint32_t kMissingColor = 0xFF0000;
constexpr uint32_t kBubbleBackground = 0x000000;
constexpr uint32_t kBubbleTextColor = 0x32A6D6;
constexpr uint32_t kLabelBackground = 0x000000;
constexpr uint32_t kLabelTextColor = 0xFFFF00;
constexpr uint32_t kIconKey = 0xBF7BC7;
constexpr uint32_t kIconShadow = 0x5F3D63;

constexpr int kTextPoints = 10;
constexpr int kBarHeight = 5;
constexpr int kBarOpacity = 50;
constexpr int kHealthBarRise = 10;
constexpr int kAmmoBarRise = 5;
constexpr int kAlertOpacity = 75;
constexpr int kBubbleOpacity = 60;
constexpr int kBubbleRise = 32;
constexpr int kDialogImageOpacity = 80;
constexpr int kLabelOpacity = 60;
constexpr int kLabelRise = 11;
constexpr int kTextPadX = 10;  // total; the text starts 5 pixels in
constexpr int kTextPadY = 5;

bool TimeReached(uint32_t now, uint32_t due) { return now >= due; }
bool TimePassed(uint32_t now, uint32_t due) { return now > due; }

// A bar of the frame's width: 1-pixel black border, the share of the value in its colour and
// the rest in red, blended at half strength. The picture is made in the unit's scratch surface,
// which every bar overwrites whole. (Not a thread_local one: MinGW can free a thread's storage
// before the destructors of its objects run, and the surface is then freed twice.)
void DrawBar(CBitmapSurface& frame, CBitmapSurface& bar, int x, int y, int width, int value, uint32_t colour) {
  const int inner = std::max(width - 2, 0);
  const int filled = static_cast<int>(static_cast<float>(value) / 100.0f * static_cast<float>(inner));
  if (bar.GetWidth() != width || bar.GetHeight() != kBarHeight || !bar.IsValid()) {
    if (!bar.Create(width, kBarHeight)) return;
  }
  bar.Clear(kBarBackground);
  for (int row = 1; row <= 3; ++row) {
    uint32_t* pixels = bar.RowTopDown(row);
    std::fill(pixels + 1, pixels + 1 + filled, colour);
    std::fill(pixels + 1 + filled, pixels + 1 + inner, kMissingColor);
  }
  frame.DrawBlended(x, y, width, kBarHeight, bar, 0, 0, kBarOpacity);
}

// A black box with the text 5 pixels in from the left, sized to the measured text.
void BuildTextBox(CBitmapSurface& box, const std::string& text, const std::string& face, int width, int height,
                  uint32_t background, uint32_t colour) {
  box.Create(width + kTextPadX, height + kTextPadY);
  box.Clear(background);
  box.DrawText(5, 0, text.c_str(), colour, 100, face, kTextPoints, true, false);
}

void DrawWhole(CBitmapSurface& frame, int x, int y, const CBitmapSurface& picture, int opacity) {
  frame.DrawBlended(x, y, picture.GetWidth(), picture.GetHeight(), picture, 0, 0, opacity);
}

}  // namespace

void CGameUnit::SetBubbleText(const std::string& text, const std::string& face) {
  bubbleText = units::WithLineBreaks(std::string_view(text).substr(0, kLongTextMax));
  const auto [width, height] = bubble.MeasureText(bubbleText.c_str(), face, kTextPoints, true, false);
  bubbleTextWidth = width;
  bubbleTextHeight = height;
  // A bubble already shown is drawn again with its new text, and told again.
  bubbleDirty = true;
  bubbleNoted = false;
}

void CGameUnit::ShowBubble(bool show, uint32_t durationMs, uint32_t now) {
  bubbleShown = show;
  bubbleNoted = false;
  bubbleDirty = show;
  labelDirty = show;
  messageUntil = 0;
  if (show && durationMs != 0) messageUntil = now + durationMs;
}

void CGameUnit::Draw(CBitmapSurface& frame, const units::DrawContext& context) {
  if (!IsOnScreen(context.view)) return;  // timers wait until the unit is drawn again
  const units::Point screen{x - context.camera.x, y - context.camera.y};
  if (opacity == 100) {
    sprite_->DrawFrame(frame, screen.x, screen.y, anim_.frame);
  } else {
    sprite_->DrawFrameBlended(frame, screen.x, screen.y, anim_.frame, opacity);
  }
  if (selected || barsShown) DrawBars(frame, screen, context.now);
  UpdateDescriptionBubble(context.now, context.textFace);
  DrawAlertIcon(frame, screen, context);
  bool showName = DrawBubble(frame, context);
  if (selected) showName = true;
  const bool labelWasShown = labelShown;
  labelShown = showName && !displayName_.empty();
  if (!labelShown) return;
  DrawLabel(frame, screen, context.textFace);
  if (!labelWasShown && context.shown) context.shown(*this, units::UnitText::Name, displayName_);
}

void CGameUnit::DrawBars(CBitmapSurface& frame, units::Point screen, uint32_t now) {
  const int width = FrameWidth();
  if (health_ != 0) DrawBar(frame, barScratch, screen.x, screen.y - kHealthBarRise, width, health_, kHealthColor);
  if (ammo_ != 0) DrawBar(frame, barScratch, screen.x, screen.y - kAmmoBarRise, width, ammo_, kAmmoColor);
  if (barsShown && TimeReached(now, barsUntil)) barsShown = false;
}

void CGameUnit::UpdateDescriptionBubble(uint32_t now, const std::string& face) {
  if (selected && descriptionPending) {
    descriptionPending = false;
    if (!description.empty()) {
      SetBubbleText(description, face);
      ShowBubble(true, 0, now);
      descriptionShown = true;
      dialogAnswer = 0;
    }
  } else if (!selected && descriptionShown) {
    ShowBubble(false, 0, now);
    descriptionShown = false;
  }
}

void CGameUnit::DrawAlertIcon(CBitmapSurface& frame, units::Point screen, const units::DrawContext& context) {
  if (!isBot || alertIconUntil == 0) return;
  if (context.alertIcon != nullptr) {
    const CBitmapSurface& icon = *context.alertIcon;
    const int iconX = screen.x + FrameWidth() / 2 - icon.GetWidth() / 2;
    const int iconY = screen.y - icon.GetHeight();
    frame.DrawKeyedShadowBlended(iconX, iconY, icon.GetWidth(), icon.GetHeight(), icon, 0, 0, kIconKey, kIconShadow,
                                 kAlertOpacity);
  }
  if (TimePassed(context.now, alertIconUntil)) alertIconUntil = 0;
}

// Draws the bubble when shown and runs its timer; true when the name goes with it.
bool CGameUnit::DrawBubble(CBitmapSurface& frame, const units::DrawContext& context) {
  bool showName = false;
  if (bubbleShown) {
    showName = true;
    if (!bubbleText.empty()) {
      if (bubbleDirty) {
        BuildTextBox(bubble, bubbleText, context.textFace, bubbleTextWidth, bubbleTextHeight, kBubbleBackground,
                     kBubbleTextColor);
      }
      const int bx = x - context.camera.x;
      const int by = y - bubble.GetHeight() - context.camera.y - kBubbleRise;
      DrawWhole(frame, bx, by, bubble, kBubbleOpacity);
      bubbleDirty = false;
      if (!bubbleNoted && context.shown) context.shown(*this, units::UnitText::Bubble, bubbleText);
      bubbleNoted = true;
      if (!descriptionShown) {
        const CBitmapSurface* picture = dialogAnswer == 0   ? &dialogImage
                                        : dialogAnswer == 1 ? &dialogImageYes
                                                            : nullptr;
        if (picture != nullptr && picture->IsValid()) {
          frame.DrawKeyedBlended(bx - picture->GetWidth(), by, picture->GetWidth(), picture->GetHeight(), *picture, 0,
                                 0, kDialogImageOpacity, kIconKey);
        }
      }
    }
  }
  if (messageUntil != 0 && TimePassed(context.now, messageUntil)) {
    ShowBubble(false, 0, context.now);
    showName = false;
    dialogAnswer = 0;
  }
  return showName;
}

void CGameUnit::DrawLabel(CBitmapSurface& frame, units::Point screen, const std::string& face) {
  if (labelDirty) {
    const auto [width, height] = label.MeasureText(displayName_.c_str(), face, kTextPoints, true, false);
    BuildTextBox(label, displayName_, face, width, height, kLabelBackground, kLabelTextColor);
  }
  DrawWhole(frame, screen.x, screen.y - label.GetHeight() - kLabelRise, label, kLabelOpacity);
  labelDirty = false;
}
