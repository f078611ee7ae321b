// How the HUD looks: fonts, colours, opacities and places shared by its panels.
#pragma once

#include <cstdint>
#include <string>

#include "config/game_settings.h"

namespace engine::hud {

// The key colour of engine icons and the shadow key drawn with it.
inline constexpr uint32_t kIconKey = 0xBF7BC7;
inline constexpr uint32_t kIconShadow = 0x5F3D63;

inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kRed = 0xFF0000;
inline constexpr uint32_t kMessageColor = 0xCCD44A;
inline constexpr uint32_t kBannerNameColor = 0x32A6D6;
inline constexpr uint32_t kTooltipTextColor = 0x32A6D6;
inline constexpr uint32_t kYellow = 0xFFFF00;

inline constexpr int kFpsPoints = 10;
inline constexpr int kMessagePoints = 12;
inline constexpr int kBannerNamePoints = 20;
inline constexpr int kBannerWordPoints = 50;

inline constexpr int kPanelOpacity = 60;
inline constexpr int kBannerOpacity = 70;

inline constexpr int kFpsX = 5, kFpsY = 5;
inline constexpr int kMessagePanelX = 15;
inline constexpr int kMessagePanelBottomGap = 65;  // lines end this far above the window bottom
inline constexpr int kBannerX = 0, kBannerY = 200;
inline constexpr int kBannerHeight = 120;
inline constexpr int kImageDialogOpacity = 90;

inline constexpr uint32_t kMessageLifeMs = 5000;
inline constexpr uint32_t kBannerLifeMs = 6000;
inline constexpr uint32_t kFpsRefreshMs = 1000;

// The HUD's faces (font 0 counters, 1 messages, 2 announcements), always bold, never italic.
inline const std::string& Face(const config::GameSettings& settings, int index) {
  return settings.fontNames.at(static_cast<std::size_t>(index));
}

}  // namespace engine::hud
