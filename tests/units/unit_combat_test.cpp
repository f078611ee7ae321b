// Combat on a small world: damage, knock-out, death and respawn, the fire ball and the sword.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "config/launcher_settings.h"
#include "unit_test_support.h"

namespace {

using units::Point;
using unittest::MakeSheet;

using Log = std::vector<std::string>;
enum class Side { Player, Bot, Other };

class Combat : public unittest::UnitTable {
 protected:
  // A 32 x 32 character (box 4..28) at (x, y) with full health, resistance 1 and its attached
  // units registered before it, as the loaders do.
  CGameUnit& Character(Side side, const std::string& name, int x, int y) {
    CGameUnit *ball = nullptr, *explosion = nullptr, *sword = nullptr;
    if (side != Side::Other) {
      ball = &Attached(ball_.get(), kUnitKindMobile, {1, 1, 13, 13}, 2);
      ball->collisionMode = 1;
      ball->isProjectile = true;
      unittest::AddWalkAnimations(*ball);
      explosion = &Attached(explosion_.get(), kUnitKindEffect, {}, 13);
      sword = &Attached(sword_.get(), kUnitKindEffect, {}, 3);
    }
    CGameUnit& unit = Add(body_.get(), side == Side::Other ? kUnitKindOther : kUnitKindMobile, x, y, {4, 4, 28, 28},
                          side == Side::Player);
    unit.SetName(name);
    unit.isBot = side == Side::Bot;
    unit.SetHealth(100);
    unit.SetMaxHealth(100);
    unit.SetSpeed(4, 4);
    unit.SetSpawnPosition({x, y});
    unit.selectable = unit.savedSelectable = unit.isPlayer;
    unittest::AddWalkAnimations(unit);
    unit.projectile = ball;
    unit.explosionEffect = explosion;
    unit.swordEffect = sword;
    return unit;
  }
  // Respawning after `ms` with the 63-pixel effect.
  CGameUnit& WithRespawn(CGameUnit& unit, int ms) {
    unit.respawnEnabled = true;
    unit.respawnTime = ms;
    unit.respawnEffect = &Attached(respawn_.get(), kUnitKindEffect, {}, 8);
    return unit;
  }
  CGameUnit& Attached(CGameSprite* sheet, int kind, units::Rect box, int lastFrame) {
    CGameUnit& unit = Add(sheet, kind, 0, 0, box);
    unit.SetVisible(false, now_);
    if (kind == kUnitKindEffect) unit.AddAnimation("Default", 0, lastFrame, 0);
    return unit;
  }
  // The engine's step, 10 ms on: each unit's own step, its contacts, its respawn, and a
  // projectile at rest vanishing.
  void Step() {
    now_ += 10;
    const units::UnitWorld world = World();
    for (const auto& unit : table_) {
      unit->Update(now_);
      unit->ProcessContacts(world);
      if (unit->respawnEnabled && unit->respawnDue != 0 && now_ > unit->respawnDue) unit->Respawn(world);
      if (unit->IsVisible() && !unit->moving && unit->isProjectile) unit->SetVisible(false, now_);
    }
  }
  void StepWhileFlying(CGameUnit& shooter, int limit = 200) {
    for (int i = 0; i < limit && shooter.projectile->IsVisible(); ++i) Step();
  }
  Log TakeLog() {
    const Log said = services_.Said();
    services_.log.clear();
    return said;
  }

  std::unique_ptr<CGameSprite> body_ = MakeSheet(32, 32, 3, 8);
  std::unique_ptr<CGameSprite> ball_ = MakeSheet(15, 15, 3, 8);
  std::unique_ptr<CGameSprite> explosion_ = MakeSheet(56, 56, 14, 1);
  std::unique_ptr<CGameSprite> sword_ = MakeSheet(81, 81, 4, 1);
  std::unique_ptr<CGameSprite> respawn_ = MakeSheet(63, 63, 9, 1);
};

TEST_F(Combat, DamageIsAmountOverResistanceWithItsSoundAndBars) {
  constexpr int kHuge = std::numeric_limits<int>::max();
  const struct {
    Side side;
    bool male;
    int resistance, health, amount, healthAfter;
    Log sounds;
  } cases[] = {
      {Side::Bot, true, 2, 100, 35, 83, {"sound damage_unit.wav"}},
      {Side::Player, true, 40, 100, 35, 100, {"sound damage_player_m.wav"}},  // 0 taken, still heard and shown
      {Side::Player, false, 3, 50, 10, 47, {"sound damage_player_f.wav"}},
      {Side::Other, true, 1, 60, kHuge, 0, {"sound damage_unit.wav", "sound death_unit.wav"}},
      {Side::Bot, true, 1, 60, std::numeric_limits<int>::min(), 100, {"sound damage_unit.wav"}},
      {Side::Bot, true, 0, 100, 35, 100, {}},  // invulnerable: nothing at all
      {Side::Bot, true, 1, 0, 35, 0, {}},      // already dead
  };
  for (const auto& c : cases) {
    Clear();
    CGameUnit& victim = Character(c.side, "victim", 100, 100);
    victim.male = c.male;
    victim.SetResistance(c.resistance);
    victim.SetHealth(c.health);
    victim.Damage(c.amount, nullptr, World());
    const bool touched = !c.sounds.empty();
    EXPECT_EQ(victim.Health(), c.healthAfter) << c.resistance << " " << c.amount;
    EXPECT_EQ(TakeLog(), c.sounds) << c.resistance << " " << c.amount;
    EXPECT_EQ(victim.barsShown, touched);
    EXPECT_EQ(victim.barsUntil, touched ? now_ + 2000 : 0u);
  }
}

TEST_F(Combat, AKnockedOutPlayerStaysFadedUnderTheBannerThenRespawnsAtItsSpawnRestored) {
  const struct {
    config::Language language;
    bool male;
    const char* banner;
  } cases[] = {{config::Language::Spanish, false, "banner Ana / Eliminada"},
               {config::Language::Spanish, true, "banner Ana / Eliminado"},
               {config::Language::English, false, "banner Ana / Eliminated"}};
  for (const auto& c : cases) {
    Clear();
    config_.launcher.language = c.language;
    CGameUnit& ana = WithRespawn(Character(Side::Player, "Ana", 100, 100), 3000);
    ana.male = c.male;
    ana.selected = true;
    ana.SetAmmo(7);
    ana.defaultOpacity = 90;
    ana.x = 300;  // walked away from its spawn
    ana.MoveTo({400, 100});
    ana.SetHealth(10);
    ana.Damage(10, nullptr, World());
    // Its sounds, its place on the map and its selectability are also pinned end to end.
    const std::string sex = c.male ? "m.wav" : "f.wav";
    EXPECT_EQ(TakeLog(), (Log{"sound damage_player_" + sex, "sound death_player_" + sex, c.banner}));
    EXPECT_EQ(std::make_tuple(ana.alive, ana.selected, ana.moving, ana.opacity),
              std::make_tuple(false, false, false, 30));
    const uint32_t due = ana.respawnDue;
    EXPECT_EQ(due, now_ + 3000);
    while (now_ + 10 <= due) Step();
    EXPECT_FALSE(ana.alive) << "not before its 3000 ms";
    Step();
    EXPECT_EQ(std::make_tuple(ana.alive, ana.Position(), ana.Ammo(), ana.opacity),
              std::make_tuple(true, Point{100, 100}, 7, 90));
    // The 63-pixel effect centred on (116, 132), the middle of the lower edge.
    EXPECT_EQ(ana.respawnEffect->Position(), (Point{85, 101}));
    EXPECT_TRUE(ana.respawnEffect->IsVisible());
    EXPECT_EQ(ana.respawnEffect->AnimationState().mode, units::kAnimPlayAndFade);
  }
}

TEST_F(Combat, ABotKilledByTwoBlowsInOneStepDiesOnceWithItsScriptAndNeverReturns) {
  CGameUnit& ana = Character(Side::Player, "Ana", 100, 100);
  CGameUnit& ben = Character(Side::Player, "Ben", 180, 100);
  CGameUnit& bot = Character(Side::Bot, "Guard", 140, 100);
  bot.deathScript = "guard_down";
  bot.SetHealth(10);
  ana.SwordAttack(World());
  ben.SwordAttack(World());
  EXPECT_EQ(TakeLog(), (Log{"sound use_sword1.wav", "sound damage_unit.wav", "sound death_unit.wav",
                            "script guard_down by Ana", "sound use_sword1.wav"}));
  EXPECT_EQ(bot.Health(), 0);
  for (int i = 0; i < 1000; ++i) Step();
  EXPECT_FALSE(bot.IsVisible());
  EXPECT_EQ(bot.respawnDue, 0u);
}

TEST_F(Combat, FiringCutsTheDistanceInto15PixelStepsAndSpendsAmmo) {
  CGameUnit& ana = Character(Side::Player, "Ana", 84, 84);  // centre (100, 100)
  const struct {
    Point target;
    Point speed;
    const char* facing;
    bool flies;
  } cases[] = {
      {{400, 100}, {15, 1}, "Right", true},     // n = 20; the 0 on y becomes 1
      {{70, 140}, {10, 13}, "LeftDown", true},  // distance 50: n = 3, (-30, 40) / 3 truncated
      {{100, 100}, {1, 1}, "Left", false},      // its own centre: the ball rests where it starts
      {{101, 99}, {1, 1}, "RightUp", false},
  };
  for (const auto& c : cases) {
    ana.SetAmmo(1);
    ana.FireAt(c.target, World());
    CGameUnit& ball = *ana.projectile;
    EXPECT_EQ(TakeLog(), Log{"sound fire1.wav"});
    EXPECT_EQ(ana.Ammo(), 0);
    EXPECT_EQ(ana.AnimationName(), c.facing);
    EXPECT_EQ(ana.AnimationState().mode, units::kAnimHold);
    EXPECT_EQ(std::make_tuple(ball.owner, ball.Position(), ball.Speed(), ball.IsVisible(), ball.moving),
              std::make_tuple(&ana, Point{100, 100}, c.speed, true, c.flies))
        << c.target.x;
    if (c.flies) {
      Step();
      const Point flying = ball.Position();
      ana.FireAt({100, 400}, World());
      EXPECT_EQ(std::make_tuple(ball.moveTarget, ball.Position()), std::make_tuple(c.target, flying))
          << "one ball in the air at a time";
    }
    StepWhileFlying(ana);
    EXPECT_FALSE(ball.IsVisible()) << "a ball at rest vanishes";
  }
  ana.FireAt({400, 100}, World());
  EXPECT_EQ(TakeLog(), Log{"sound no_ammo.wav"}) << "no ammo: only the sound";
  EXPECT_FALSE(ana.projectile->IsVisible());
  CGameUnit& bot = Character(Side::Bot, "Guard", 84, 300);
  bot.FireAt({400, 300}, World());
  EXPECT_EQ(TakeLog(), Log{"sound fire2.wav"}) << "a bot spends no ammo";
}

TEST_F(Combat, BallsPassThroughTheirOwnSideAndPickups) {
  // Along the ball's line from (100, 100) to the right: a blocker at x 160, a target at 260.
  const struct {
    Side shooter, blocker;
    int autouse;
    bool blockerHit;
  } cases[] = {
      {Side::Player, Side::Player, 0, false}, {Side::Player, Side::Other, 1, false},
      {Side::Player, Side::Other, 3, false},  {Side::Bot, Side::Bot, 0, false},
      {Side::Bot, Side::Other, 2, false},     {Side::Player, Side::Bot, 0, true},
      {Side::Bot, Side::Player, 0, true},     {Side::Player, Side::Other, 0, true},
  };
  for (const auto& c : cases) {
    Clear();
    CGameUnit& shooter = Character(c.shooter, "shooter", 84, 84);
    shooter.SetAmmo(5);
    CGameUnit& blocker = Character(c.blocker, "blocker", 160, 84);
    blocker.autouseType = c.autouse;
    CGameUnit& target = Character(c.shooter == Side::Player ? Side::Bot : Side::Player, "target", 260, 84);
    shooter.FireAt({400, 100}, World());
    StepWhileFlying(shooter);
    EXPECT_EQ(std::make_pair(blocker.Health(), target.Health()),
              c.blockerHit ? std::make_pair(65, 100) : std::make_pair(100, 65))
        << static_cast<int>(c.blocker) << " " << c.autouse;
  }
}

TEST_F(Combat, AnImpactExplodesAtTheBallAndABotStillStandingShootsBack) {
  CGameUnit& ana = Character(Side::Player, "Ana", 84, 84);
  ana.SetAmmo(5);
  CGameUnit& bot = Character(Side::Bot, "Guard", 200, 84);
  bot.returnFire = true;
  ana.FireAt({400, 100}, World());
  StepWhileFlying(ana);
  // The sounds of the hit and the answer, and a killed bot's silence, are pinned end to end.
  const CGameUnit& ball = *ana.projectile;
  const CGameUnit& explosion = *ana.explosionEffect;
  EXPECT_EQ(explosion.Position(), (Point{ball.x - 28, ball.y - 28})) << "centred on the ball's corner";
  EXPECT_EQ(explosion.AnimationState().mode, units::kAnimPlayAndFade);
  EXPECT_EQ(bot.projectile->moveTarget, ana.Centre());

  // Once faded the explosion shows again at full opacity.
  for (int i = 0; i < 100; ++i) Step();
  EXPECT_FALSE(explosion.IsVisible());
  ana.FireAt({400, 100}, World());
  StepWhileFlying(ana);
  EXPECT_EQ(explosion.opacity, 100);
}

TEST_F(Combat, TheSwordHitsTheOtherSideWithinItsReachOnceABlow) {
  CGameUnit& ana = Character(Side::Player, "Ana", 100, 100);  // centre (116, 116): reach 76..156
  CGameUnit& near = Character(Side::Bot, "near", 150, 100);   // box from 154: inside
  CGameUnit& far = Character(Side::Bot, "far", 153, 100);     // box from 157: outside
  CGameUnit& ally = Character(Side::Player, "ally", 90, 100);
  CGameUnit& rock = Character(Side::Other, "rock", 100, 140);
  ana.SwordAttack(World());
  EXPECT_EQ(ana.swordEffect->Position(), (Point{76, 76}));
  EXPECT_EQ(ana.swordEffect->AnimationState().mode, units::kAnimPlayOnceHide);
  EXPECT_EQ(std::make_tuple(near.Health(), far.Health(), ally.Health(), rock.Health()),
            std::make_tuple(90, 100, 100, 90));
  TakeLog();
  ana.SwordAttack(World());
  EXPECT_EQ(TakeLog(), Log{}) << "a blow in progress";
  for (int i = 0; i < 50; ++i) Step();
  EXPECT_FALSE(ana.swordEffect->IsVisible());
  ana.SwordAttack(World());
  EXPECT_EQ(near.Health(), 80);

  // Without a sword sheet the blow still reaches 81 pixels around the centre.
  ana.swordEffect = nullptr;
  EXPECT_EQ(ana.SwordReach(), (units::Rect{76, 76, 156, 156}));
  ana.SwordAttack(World());
  ana.SwordAttack(World());
  EXPECT_EQ(near.Health(), 60);
  near.SwordAttack(World());
  EXPECT_EQ(std::make_pair(ana.Health(), far.Health()), std::make_pair(90, 100)) << "a bot's blow spares bots";
}

}  // namespace
