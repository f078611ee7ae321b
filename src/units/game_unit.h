// CGameUnit: everything that stands or moves on the map (characters, bots, other units,
// unit-objects, projectiles and effects), told apart by a kind code and flags. The engine's unit
// table owns every unit.
//
// The record is complete here, with the defaults every later rule starts from. Its behaviour
// lives in one file per concern: set-up and setters (game_unit.cpp), animation
// (unit_animation.cpp), movement and waypoints (unit_movement.cpp), selection
// (unit_selection.cpp), contacts with other units (unit_contacts.cpp), the response to the map
// with the detour search (unit_detour.cpp), drawing with bars, bubble and label
// (unit_drawing.cpp), combat (unit_combat.cpp), the inventory (unit_inventory.cpp), pickups and
// collision events (unit_events.cpp), the bots' decisions (unit_bot.cpp).
//
// Every operation first checks that the unit has a valid sprite and otherwise does nothing (or
// answers 0 / false). Times are tick counts in milliseconds, passed in by the caller.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/bitmap_surface.h"
#include "units/game_geometry.h"
#include "units/game_sprite.h"
#include "units/unit_world.h"

// Kind codes, fixed at creation.
inline constexpr int kUnitKindMobile = 1;  // players, bots, projectiles: move and collide
inline constexpr int kUnitKindOther = 2;   // other units
inline constexpr int kUnitKindObject = 3;  // unit-objects that can be picked up
inline constexpr int kUnitKindEffect = 5;  // sword, explosion, respawn effect, engine markers

namespace units {

// Animation play modes.
enum AnimationMode : int {
  kAnimHold = 0,          // nothing changes
  kAnimPlayOnce = 1,      // up to the last frame, which stays
  kAnimPlayAndFade = 2,   // up to the last frame while the opacity falls; then hidden
  kAnimLoop = 3,          // first .. last, first .. last, ...
  kAnimPlayOnceHide = 4,  // first .. last, then back to first and hidden
};

// A named frame range of a unit's sheet.
struct Animation {
  std::string name;  // at most kAnimationNameMax bytes
  int first = 0;
  int last = 0;
  int start = 0;
};
inline constexpr std::size_t kAnimationNameMax = 255;

// What the unit is playing.
struct AnimationState {
  int index = -1;         // current record; -1 = none
  uint32_t lastTick = 0;  // when the frame last changed
  int time = 0;           // minimum ms between frames
  int first = 0;
  int last = 0;
  int start = 0;
  int frame = 0;  // the frame shown
  int mode = kAnimHold;
};

// One inventory slot: an object number and how many of it.
struct InventorySlot {
  int object = 0;
  int count = 0;
};
inline constexpr int kInventorySlots = 12;  // slots 1..12; slot 0 is never used

// The input a unit reads for mouse selection and orders, in window pixels.
struct MouseInput {
  bool leftClick = false;
  bool rightClick = false;
  bool dragging = false;
  Point pointer;
  Rect dragBox;  // corners as dragged, in any order
  Point camera;
};

}  // namespace units

class CGameUnit {
  // Declared ahead of the rest, with the position and the flags that come first below, so that
  // the fields a pass over every unit reads share the record's first cache line.
  units::Rect collisionBox_;
  bool visible_ = true;
  int kindCode_ = 0;

 public:
  static constexpr std::size_t kNameMax = 254;       // longest name kept, in bytes
  static constexpr std::size_t kScriptNameMax = 63;  // event script names
  static constexpr std::size_t kLongTextMax = 1023;  // messages, description, bubble text
  static constexpr int kPlayersBoxMargin = 250;

  CGameUnit();
  virtual ~CGameUnit() = default;
  CGameUnit(const CGameUnit&) = delete;
  CGameUnit& operator=(const CGameUnit&) = delete;

  // ---- Set-up -------------------------------------------------------------------------------
  // Attaches the shared sprite showing `frame` (its absolute value), with the kind code and the
  // collision box (relative to the position, each coordinate held within units::kSizeLimit);
  // false, changing nothing, without a valid sprite.
  bool AttachSprite(CGameSprite* sprite, int frame, int kindCode, const units::Rect& collisionBox);
  // The display name as written; the identifier name with spaces as "_" and the Windows-1252
  // lower-case accented vowels and n-tilde folded to plain letters (capitals stay).
  void SetName(const std::string& name);
  // Positions and targets are held within units::kCoordinateLimit.
  void SetPosition(units::Point position) {
    x = units::ClampCoordinate(position.x);
    y = units::ClampCoordinate(position.y);
  }
  void SetSpawnPosition(units::Point position) { spawn = units::ClampPoint(position); }
  void SetHealth(int value);
  void SetMaxHealth(int value);
  void SetAmmo(int value);
  void SetDamageToPlayer(int value);
  void SetResistance(int value);          // negative becomes 0
  void SetSpeed(int speedX, int speedY);  // stored as absolute values, at most units::kSizeLimit
  // Store; hiding a non-player unit whose respawn is enabled starts its respawn timer.
  void SetVisible(bool visible, uint32_t now);
  // The set-up after every setting is known, before the unit is registered: shows the attached
  // frame until an animation starts, and gives the later rules (attached units) their place.
  void FinalSetup();
  // Starts the respawn timer when respawn is enabled: due = now + respawn time.
  void StartRespawnTimer(uint32_t now);

  // ---- Queries ------------------------------------------------------------------------------
  CGameSprite* Sprite() const { return sprite_; }
  bool HasValidSprite() const { return sprite_ != nullptr && sprite_->IsValid(); }
  const std::string& IdentifierName() const { return identifierName_; }
  const std::string& DisplayName() const { return displayName_; }
  int KindCode() const { return kindCode_; }
  const units::Rect& CollisionBox() const { return collisionBox_; }
  // 0 without a sprite. These and the two below are asked for every unit near a bot's search, so
  // they are defined here to be inlined.
  int FrameWidth() const { return sprite_ != nullptr ? sprite_->FrameWidth() : 0; }
  int FrameHeight() const { return sprite_ != nullptr ? sprite_->FrameHeight() : 0; }
  units::Point Position() const { return {x, y}; }
  // Position + half the frame.
  units::Point Centre() const { return {x + FrameWidth() / 2, y + FrameHeight() / 2}; }
  // (x, y, x + frame width, y + frame height) in world pixels.
  units::Rect UnitRect() const { return {x, y, x + FrameWidth(), y + FrameHeight()}; }
  // Screen depth: the middle row of the collision box, in world pixels. Lower on the screen
  // means drawn later.
  int DepthKey() const;
  int Health() const { return health_; }
  int MaxHealth() const { return maxHealth_; }
  int Ammo() const { return ammo_; }
  int DamageToPlayer() const { return damageToPlayer_; }
  int Resistance() const { return resistance_; }
  units::Point Speed() const { return speed_; }
  bool IsVisible() const { return visible_; }
  units::Direction Direction() const { return direction_; }

  // ---- Animation (unit_animation.cpp) -------------------------------------------------------
  // Appends a record: name cut to 255 bytes, absolute frame numbers, start clamped into the
  // range (the first frame wins when first > last).
  void AddAnimation(std::string_view name, int first, int last, int start);
  // The first record whose whole name begins the requested name; -1 when none.
  int FindAnimation(std::string_view name) const;
  // FindAnimation of the direction's name, looked up once per record added rather than per step.
  int WalkingAnimation(units::Direction direction);
  // Notes the time; with a matching record makes it current and starts it in the mode.
  void SetAnimation(std::string_view name, int mode, uint32_t now);
  // Restarts the current animation from its first frame in the mode.
  void StartAnimation(int mode);
  void SetAnimationTime(int ms);  // stored as an absolute value
  // One animation step: when more than the animation time has passed since the last frame
  // change, the mode's rule moves the frame on.
  void AnimationStep(uint32_t now);
  // Shows the start frame of the current animation and holds it.
  void ShowStartFrame();
  const std::vector<units::Animation>& Animations() const { return animations_; }
  const units::AnimationState& AnimationState() const { return anim_; }
  // The name of the current animation; empty when none.
  std::string_view AnimationName() const;
  int Frame() const { return anim_.frame; }

  // ---- Movement (unit_movement.cpp); mobile units with a valid sprite only ------------------
  void MoveTo(units::Point target);
  void Resume();
  void Stop();
  void StepBack();
  void StepForward();
  // Walks the points in order. An empty list changes nothing.
  void SetPath(const std::vector<units::Point>& points);
  // The waypoints while the unit follows a path; empty otherwise.
  std::vector<units::Point> GetPath() const;
  void ClearPath();
  bool HasPath() const { return hasPath_; }
  std::size_t PathIndex() const { return pathIndex_; }
  // The last waypoint while following a path, else the move target.
  units::Point Destination() const;
  // The unit's own step of an engine tick: movement, then animation; nothing while blocked.
  void Update(uint32_t now);

  // ---- Selection (unit_selection.cpp) -------------------------------------------------------
  // Points and rectangles in window pixels; the camera turns them into world pixels.
  void SelectAtPoint(units::Point screenPoint, units::Point camera);
  void SelectInRect(const units::Rect& screenRect, units::Point camera);
  // Left click selects at the pointer, a drag selects in the box, a right click sends a
  // selected player to the pointer.
  void HandleMouse(const units::MouseInput& input);
  bool IsOnScreen(const units::Rect& view) const;

  // ---- Collision box, detours and contacts (unit_detour.cpp, unit_contacts.cpp) -------------
  // Position + the middle of the collision box, and half its size (halves truncated). Defined
  // here so the contact scan over the whole table inlines them.
  units::Point BoxCentre() const { return BoxCentreAt({x, y}); }
  // Where the centre would be with the unit's position at `at`.
  units::Point BoxCentreAt(units::Point at) const {
    return {at.x + (collisionBox_.left + collisionBox_.right) / 2,
            at.y + (collisionBox_.top + collisionBox_.bottom) / 2};
  }
  units::Point BoxHalfSize() const {
    return {(collisionBox_.right - collisionBox_.left) / 2, (collisionBox_.bottom - collisionBox_.top) / 2};
  }
  // True when the two collision boxes overlap (touching edges do not count); centres and half
  // sizes widened to 64 bits, so far-off units cannot wrap.
  static bool BoxesOverlap(const CGameUnit& a, const CGameUnit& b) {
    return BoxesOverlap(a.BoxCentre(), a.BoxHalfSize(), b);
  }
  // The same for a box given by its centre and half sizes.
  static bool BoxesOverlap(units::Point centre, units::Point half, const CGameUnit& b) {
    const units::Point cb = b.BoxCentre(), hb = b.BoxHalfSize();
    return std::llabs(int64_t{centre.x} - cb.x) < int64_t{half.x} + hb.x &&
           std::llabs(int64_t{centre.y} - cb.y) < int64_t{half.y} + hb.y;
  }
  // True when the unit's collision box, at its position, touches a blocked map cell or overlaps
  // the box of any other unit of the table, hidden, dead or effect units included;
  // `ignorePlayers` leaves player units out.
  bool IsBlockedIn(const units::UnitWorld& world, bool ignorePlayers) const;
  // The same test as if the unit stood at the position (kept within the world's bounds, as a
  // placement would), without moving it.
  bool IsBlockedAt(units::Point position, const units::UnitWorld& world, bool ignorePlayers) const;
  // Looks for a way around from the centre to the destination: on success the unit follows the
  // new path, otherwise its blocked flag is set. The unit must stand free (stepped back).
  void FindDetour(const units::UnitWorld& world);

  // ---- Bubble and label (unit_drawing.cpp) --------------------------------------------------
  // At most kLongTextMax bytes, each backslash-n turned into a line break; measured at once.
  // Measured in the face given (the game's first font).
  void SetBubbleText(const std::string& text, const std::string& face);
  // duration 0 keeps the bubble until it is hidden.
  void ShowBubble(bool show, uint32_t durationMs, uint32_t now);

  // ---- Combat (unit_combat.cpp) -------------------------------------------------------------
  // Takes amount / resistance health with its sound and bars; at 0 the unit dies (a player is
  // knocked out, any other unit disappears) and its death script starts with the attacker as
  // the event unit. Nothing at all with resistance 0 or health below 1.
  void Damage(int amount, CGameUnit* attacker, const units::UnitWorld& world);
  // Sends the projectile toward the world point (nothing while it flies; a player spends ammo).
  void FireAt(units::Point target, const units::UnitWorld& world);
  // A sword blow around the unit: every unit of the other side within the effect takes 10.
  void SwordAttack(const units::UnitWorld& world);
  // Called on a flying projectile that has hit `victim`: it vanishes, its owner's explosion
  // plays there, the victim takes 35 and a bot that returns fire shoots back.
  void ProjectileImpact(CGameUnit& victim, const units::UnitWorld& world);
  // Turns toward the point: the first frame of the direction animation, held.
  void FaceTowards(units::Point target, uint32_t now);
  // The square the sword blow covers: the sword effect's frame (81 pixels a side when its sheet
  // could not be read) centred on the unit's centre.
  units::Rect SwordReach() const;

  // ---- Inventory, pickups and collision events (unit_inventory.cpp, unit_events.cpp) --------
  // Adds `count` of the object (-1: the object's pick-up count) with its message and sound;
  // false, changing nothing, when the object's slot is full at 99 or all twelve slots are taken.
  bool AddToInventory(int object, int count, const units::UnitWorld& world);
  // Takes `count` of the object, emptying its slot below 1; false when it is not held.
  bool UseFromInventory(int object, int count, const units::UnitWorld& world);
  int CountInInventory(int object) const;  // 0 when absent
  int ObjectInSlot(int slot) const;        // 0 outside 1..12
  // A player touching a pickup (kit or object lying on the map).
  void TakePickup(CGameUnit& pickup, const units::UnitWorld& world);
  // A player touching a unit: it becomes the event target, and its collision event is offered
  // or carried out.
  void MeetEventUnit(CGameUnit& other, const units::UnitWorld& world);
  // Carries out this unit's collision event for the player; true on success.
  bool PerformAction(CGameUnit& player, const units::UnitWorld& world);

  // ---- Per-step hooks, called by the engine in its step order --------------------------------
  // Contacts with the other units of the table; for a visible, moving, mobile unit.
  virtual void ProcessContacts(const units::UnitWorld& world);
  // Blocked map cells under the collision box: step back, then a detour or a stop.
  virtual void RespondToMap(const units::UnitWorld& world);
  // Back to the spawn position, alive, with full health and the respawn effect (unit_combat.cpp).
  virtual void Respawn(const units::UnitWorld& world);
  // A bot's once-a-second decision (unit_bot.cpp).
  virtual void BotDecisionPass(const units::UnitWorld& world);
  // Draws the unit into the frame at its world position minus the camera: the frame, bars,
  // alert icon, bubble and name label; advances their timers.
  virtual void Draw(CBitmapSurface& frame, const units::DrawContext& context);

  // ---- Saved games (unit_save.cpp) -----------------------------------------------------------
  // Everything about the unit that can change while the game runs, with the units it points at
  // by their table slots; what loading the project gives (sprite, names, kind, collision box,
  // animations, dialog pictures) is left out. LoadState checks every value and throws
  // config::SaveError on one out of place; the pictures drawn from the state (bubble, label) are
  // drawn again when next shown.
  struct SlotLinks {
    std::function<int(const CGameUnit*)> slotOf;  // -1 for none
    std::function<CGameUnit*(int)> unitAt;        // null for -1; throws for a slot not in the table
  };
  void SaveState(nlohmann::json& out, const SlotLinks& links) const;
  void LoadState(const nlohmann::json& in, const SlotLinks& links);

  // ---- Plain state: one field per flag and number, stored as given ---------------------------
  int x = 0;  // top-left of the sprite frame, world pixels
  int y = 0;
  bool alive = true;
  bool isBot = false;
  int autouseType = 0;    // unit-objects: 1 health kit, 2 ammo kit, 3 inventory object
  units::Point spawn;     // where respawn returns the unit
  units::Point velocity;  // the last step added to the position
  units::Point moveTarget;
  bool selected = false;
  int objectNumber = 0;  // unit-objects: the object given when picked up
  int spriteNumber = 0;  // the sprite definition a loaded unit was made from; 0 otherwise
  bool barsShown = false;
  uint32_t barsUntil = 0;
  bool isPlayer = false;
  // The players' box of the game settings, widened as this player walks; null when the view does
  // not follow the players (set by the engine when the player joins its table).
  std::array<int, 4>* playersBox = nullptr;
  bool male = true;
  bool selectable = false;
  bool savedSelectable = false;  // restored at respawn
  bool isProjectile = false;
  int collisionMode = 0;  // 0 look for a detour when blocked, 1 stop
  // Not owned; all of them are in the engine's unit table.
  CGameUnit* owner = nullptr;  // a projectile's shooter
  CGameUnit* swordEffect = nullptr;
  CGameUnit* projectile = nullptr;
  CGameUnit* explosionEffect = nullptr;
  CGameUnit* respawnEffect = nullptr;
  CGameUnit* alertTarget = nullptr;
  CGameUnit* chaseTarget = nullptr;
  // Event scripts, at most kScriptNameMax bytes each.
  std::string collisionYesScript;
  std::string projectileCollisionScript;
  std::string deathScript;
  std::array<units::InventorySlot, units::kInventorySlots + 1> inventory{};
  // The collision event.
  int eventProcess = 0;
  int eventObject = 0;
  int eventUsesObject = 1;
  int eventButtonAction = 0;
  int eventHideUnit = 0;
  CBitmapSurface label;  // name label, 1 x 1 until drawn
  bool labelDirty = false;
  bool labelShown = false;    // the last drawing showed the name label
  CBitmapSurface bubble;      // speech bubble, 1 x 1 until drawn
  CBitmapSurface barScratch;  // where the health and ammo bars are composed, empty until drawn
  bool bubbleDirty = false;
  bool respawnEnabled = false;
  int respawnTime = 0;      // ms
  uint32_t respawnDue = 0;  // tick; 0 = not set
  bool descriptionPending = false;
  bool descriptionShown = false;
  uint32_t messageUntil = 0;
  // Collision event texts, at most kLongTextMax bytes each.
  std::string noMessage;
  std::string yesMessage;
  std::string finalDescription;
  int yesTimes = 1;
  CBitmapSurface dialogImage;
  CBitmapSurface dialogImageYes;
  uint32_t expiry = 0;  // tick; 0 = not set
  bool attackFire = false;
  bool attackSword = false;
  bool returnFire = false;
  uint8_t dialogAnswer = 0;
  units::Rect moveZone;
  units::MoveType moveType = units::MoveType::Wander;
  int maxDistance = units::BotDefaults::kMaxDistance;
  int fireDistance = units::BotDefaults::kFireDistance;
  int visionDistance = units::BotDefaults::kVisionDistance;
  uint32_t alertIconUntil = 0;
  uint32_t chaseUntil = 0;
  units::Point lastPosition;
  int stuckCount = 0;
  int swordRandom = units::BotDefaults::kRandom;
  int fireRandom = units::BotDefaults::kRandom;
  int visionRandom = units::BotDefaults::kRandom;
  bool moving = false;
  bool blocked = false;  // the last detour search failed
  bool scripted = false;
  std::string bubbleText;  // at most kLongTextMax bytes
  int bubbleTextWidth = 0;
  int bubbleTextHeight = 0;
  bool bubbleShown = false;
  bool bubbleNoted = false;  // the bubble on show was drawn and told to the drawing's listener
  std::string description;   // at most kLongTextMax bytes
  int opacity = 100;
  int defaultOpacity = 100;  // restored at respawn

 private:
  bool CanMove() const;  // a mobile unit with a valid sprite
  // SetAnimation with the record found: notes the time, and makes a record (index >= 0) current.
  void ShowAnimation(int index, int mode, uint32_t now);
  void MovementStep();
  void Arrive();
  // Draw steps.
  void DrawBars(CBitmapSurface& frame, units::Point screen, uint32_t now);
  void UpdateDescriptionBubble(uint32_t now, const std::string& face);
  void DrawAlertIcon(CBitmapSurface& frame, units::Point screen, const units::DrawContext& context);
  bool DrawBubble(CBitmapSurface& frame, const units::DrawContext& context);
  void DrawLabel(CBitmapSurface& frame, units::Point screen, const std::string& face);

  template <class Io>
  void StateFields(Io& io, const SlotLinks& links);

  CGameSprite* sprite_ = nullptr;  // shared, owned by the engine's sprite table
  std::string identifierName_;
  std::string displayName_;
  units::Point speed_;
  int health_ = 0;
  int maxHealth_ = 0;
  int ammo_ = 0;
  int damageToPlayer_ = 0;
  int resistance_ = 1;
  units::Direction direction_ = units::Direction::Left;
  std::vector<units::Animation> animations_;
  // The walking animation of each direction, for as many records as were there when they were
  // found (records are only ever added).
  std::array<int, units::kDirectionCount> walkingAnimations_{};
  std::size_t walkingAnimationsFor_ = SIZE_MAX;  // none found yet
  units::AnimationState anim_;
  std::vector<units::Point> waypoints_;
  std::size_t pathIndex_ = 0;
  bool hasPath_ = false;
};
