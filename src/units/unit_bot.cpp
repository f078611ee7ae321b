// The bots' once-a-second decision: a walk inside the zone or round the chased player, the sword,
// the fire ball, the lookout for a player to chase, and giving up a walk that goes nowhere.
#include <algorithm>
#include <optional>
#include <span>

#include "config/map_bounds.h"
#include "units/game_unit.h"
#include "units/line_of_sight.h"
#include "units/runtime_random.h"
#include "units/unit_services.h"
#include "units/unit_sight.h"

namespace {

constexpr int kWalkAttempts = 11;
constexpr uint32_t kAlertIconMs = 3000;
constexpr uint32_t kChaseMs = 15000;
constexpr int kStuckPasses = 2;  // more unchanged passes than this stop the walk
// Chase points stay inside the same bounds as the loaders' zones (config::kZoneMin to kZoneMax).

// A point drawn in the rectangle, x first; none when an axis is empty.
std::optional<units::Point> DrawPointIn(const units::Rect& area, units::RuntimeRandom& random) {
  const std::optional<int> x = random.InRange(area.left, area.right);
  if (!x) return std::nullopt;
  const std::optional<int> y = random.InRange(area.top, area.bottom);
  if (!y) return std::nullopt;
  return units::Point{*x, *y};
}

// The square of max distance round the chased player's centre, cut to the usable part of a map.
units::Rect ChaseArea(const CGameUnit& target, int maxDistance) {
  const units::Point q = target.Centre();
  auto low = [maxDistance](int centre) {
    return static_cast<int>(std::max<int64_t>(int64_t{centre} - maxDistance, config::kZoneMin));
  };
  auto high = [maxDistance](int centre) {
    return static_cast<int>(std::min<int64_t>(int64_t{centre} + maxDistance, config::kZoneMax));
  };
  return {low(q.x), low(q.y), high(q.x), high(q.y)};
}

// Whether the bot could stand with its centre on the point; players do not count, since they
// move away.
bool IsFreeFor(const CGameUnit& bot, units::Point centre, const units::UnitWorld& world) {
  return !bot.IsBlockedAt({centre.x - bot.FrameWidth() / 2, centre.y - bot.FrameHeight() / 2}, world, true);
}

// A standing bot picks its next point: in its zone while wandering, round the chased player while
// the chase lasts. A chase that is over turns the bot back to wandering without a walk.
void WalkDecision(CGameUnit& bot, const units::UnitWorld& world) {
  // Reseeded from the engine's clock: bots deciding in the same tick draw alike, and a run on the
  // virtual clock draws the same every time.
  world.Random().Seed(world.now);
  world.Random().Next();
  units::Rect area = bot.moveZone;
  if (bot.moveType == units::MoveType::Chase) {
    const bool goesOn =
        bot.chaseUntil != 0 && world.now <= bot.chaseUntil && bot.chaseTarget != nullptr && bot.chaseTarget->alive;
    if (!goesOn) {
      bot.chaseTarget = nullptr;
      bot.chaseUntil = 0;
      bot.moveType = units::MoveType::Wander;
      bot.ClearPath();
      return;
    }
    area = ChaseArea(*bot.chaseTarget, bot.maxDistance);
  }
  for (int attempt = 0; attempt < kWalkAttempts; ++attempt) {
    const std::optional<units::Point> point = DrawPointIn(area, world.Random());
    if (!point || point->x == 0 || point->y == 0) return;
    if (IsFreeFor(bot, *point, world)) {
      bot.ClearPath();
      bot.MoveTo(*point);
      return;
    }
  }
}

void StartChase(CGameUnit& bot, CGameUnit& player, const units::UnitWorld& world) {
  // Only a new target raises the alert; the same player seen again just starts another chase.
  if (&player != bot.alertTarget) {
    bot.alertIconUntil = world.now + kAlertIconMs;
    world.Services().PlaySound("alert_bot.wav");
  }
  bot.alertTarget = &player;
  bot.ClearPath();
  bot.MoveTo(player.Centre());
  bot.chaseTarget = &player;
  bot.chaseUntil = world.now + kChaseMs;
  bot.moveType = units::MoveType::Chase;
}

// A bot that has not moved for three passes gives up its walk.
void CountStuckPass(CGameUnit& bot) {
  if (bot.Position() == bot.lastPosition) {
    if (++bot.stuckCount > kStuckPasses) {
      bot.stuckCount = 0;
      bot.Stop();
      bot.ClearPath();
    }
  } else {
    bot.stuckCount = 0;
  }
  bot.lastPosition = bot.Position();
}

}  // namespace

void CGameUnit::BotDecisionPass(const units::UnitWorld& world) {
  if (!HasValidSprite()) return;
  const units::MoveType startType = moveType;
  if (startType != units::MoveType::Static && !moving && !scripted) WalkDecision(*this, world);

  // The three squares and the players near them, worked out once for all three searches.
  const units::BotSquares squares(*this);
  units::NearPlayers room;  // used only where no index serves the step
  const std::span<const units::NearPlayer> near = units::PlayersNear(*this, squares, world, room);
  CGameUnit* struck = nullptr;
  if (attackSword && world.Random().OneIn(swordRandom)) {
    struck = units::FindPlayerInSquare(squares, units::Search::Sword, world, near);
    if (struck != nullptr) SwordAttack(world);
  }
  CGameUnit* shotAt = nullptr;
  if (attackFire && world.Random().OneIn(fireRandom)) {
    shotAt = units::FindPlayerInSquare(squares, units::Search::Fire, world, near);
    if (shotAt != nullptr && shotAt != struck &&
        units::LineClearToPlayer(*this, shotAt->Centre(), units::Probe::Projectile, world)) {
      FireAt(shotAt->Centre(), world);
    }
  }
  // Only a wandering bot looks out; a chasing one keeps its target until the chase ends.
  if (startType == units::MoveType::Wander && visionDistance != 0 && world.Random().OneIn(visionRandom)) {
    CGameUnit* seen = units::FindPlayerInSquare(squares, units::Search::Vision, world, near);
    if (seen == nullptr || seen == shotAt || seen == struck ||
        !units::LineClearToPlayer(*this, seen->Centre(), units::Probe::Body, world)) {
      alertTarget = nullptr;
    } else {
      StartChase(*this, *seen, world);
    }
  }
  if (startType != units::MoveType::Static && !scripted) CountStuckPass(*this);
}
