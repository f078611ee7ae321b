// The banner shown when a player unit dies: the name and the word over a dark band, while the
// world stands still in grey for six seconds.
#include "audio/sound_effects.h"
#include "config/game_settings.h"
#include "config/launcher_settings.h"
#include "engine/engine_state.h"
#include "engine/hud_style.h"
#include "engine/orvanta_engine.h"

void engine::DrawBannerPicture(EngineState& state, const std::string& name, const std::string& word) {
  state.hud.deathBanner.Create(state.config.launcher.windowWidth, hud::kBannerHeight);
  state.hud.deathBanner.Clear(0);
  state.hud.deathBanner.DrawText(20, 1, name.c_str(), hud::kBannerNameColor, 100, hud::Face(state.config.settings, 2),
                                 hud::kBannerNamePoints, true, false);
  state.hud.deathBanner.DrawText(20, 16, word.c_str(), hud::kRed, 100, hud::Face(state.config.settings, 2),
                                 hud::kBannerWordPoints, true, false);
}

void COrvantaEngine::ShowDeathBanner(const std::string& name, const std::string& word) {
  engine::EngineState& state = State();
  namespace hud = engine::hud;
  engine::DrawBannerPicture(state, name, word);
  state.hud.bannerText = name + "\n" + word;
  state.hud.bannerNoted = false;
  state.hud.bannerUntil = engine::Now(state) + hud::kBannerLifeMs;
  state.hud.bannerX = hud::kBannerX;
  state.hud.bannerY = hud::kBannerY;
  state.hud.inventoryBarShown = false;
  state.hud.hoveredObject = 0;
  if (!state.config.settings.showMessageWhenPlayersDie) return;
  state.hud.bannerShown = true;
  audio::PlaySoundEffect(state.config.launcher, "player_busted.wav");
}
