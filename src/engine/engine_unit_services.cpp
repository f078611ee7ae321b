// The engine's side of the units' rules: the sounds, HUD posts, banner, scripts, event units and
// action symbol they ask for, and the world they step in.
#include "audio/sound_effects.h"
#include "engine/engine_state.h"
#include "engine/orvanta_engine.h"
#include "units/unit_services.h"

namespace engine {
namespace {

constexpr uint32_t kActionSymbolMs = 2000;
constexpr int kActionSymbolGap = 5;  // between the unit's frame and the symbol's top

// Units ask for these while they step inside Update, which holds the world lock.
class EngineServices final : public units::UnitServices {
 public:
  explicit EngineServices(COrvantaEngine& engine) : engine_(engine) {}
  void PlaySound(std::string_view file) override TL_REQUIRES(engine_.Lock()) {
    audio::PlaySoundEffect(engine_.Config().launcher, file, soundPath_);
  }
  void PostMessage(const std::string& text, int kind, int object) override TL_REQUIRES(engine_.Lock()) {
    engine_.AddHudMessage(text, kind, object);
  }
  void ShowDeathBanner(const std::string& name, const std::string& word) override TL_REQUIRES(engine_.Lock()) {
    engine_.ShowDeathBanner(name, word);
  }
  void RunScript(const std::string& name, CGameUnit* eventUnit) override TL_REQUIRES(engine_.Lock()) {
    engine_.RunScript(name, eventUnit);
  }
  void SetEventUnits(CGameUnit* eventUnit, CGameUnit* eventTarget) override TL_REQUIRES(engine_.Lock()) {
    engine_.State().eventUnit = eventUnit;
    engine_.State().eventTarget = eventTarget;
  }
  // Centred under the unit, looping while the contact lasts; every call renews its two seconds.
  void OfferAction(const CGameUnit& target) override TL_REQUIRES(engine_.Lock()) {
    EngineState& state = engine_.State();
    CGameUnit& symbol = *state.actionSymbol;
    const uint32_t now = Now(state);
    symbol.SetPosition(
        {target.Centre().x - symbol.FrameWidth() / 2, target.y + target.FrameHeight() + kActionSymbolGap});
    if (!symbol.IsVisible()) {
      symbol.SetVisible(true, now);
      symbol.SetAnimation("Default", units::kAnimLoop, now);
    }
    state.hud.actionSymbolUntil = now + kActionSymbolMs;
  }
  void InventoryChanged() override TL_REQUIRES(engine_.Lock()) { engine_.RefreshInventoryBar(); }

 private:
  COrvantaEngine& engine_;
  std::string soundPath_;  // the last sound's path, its room kept for the next
};

}  // namespace

std::unique_ptr<units::UnitServices> MakeUnitServices(COrvantaEngine& engine) {
  return std::make_unique<EngineServices>(engine);
}

}  // namespace engine

namespace engine {

units::UnitWorld WorldOf(EngineState& state) {
  units::UnitWorld world;
  world.map = state.map;
  world.table = engine::UnitTable(state);
  world.players = {state.players.data(), static_cast<std::size_t>(state.playerCount)};
  world.now = engine::Now(state);
  world.services = state.services.get();
  world.random = &state.stepRandom;
  world.config = &state.config;
  return world;
}

}  // namespace engine

units::UnitWorld COrvantaEngine::CurrentWorld() { return engine::WorldOf(State()); }
