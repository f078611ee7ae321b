// CGameUnit: everything that stands or moves on the map (characters, bots, other units,
// unit-objects, projectiles and effects), told apart by a kind code and flags. The engine's unit
// table owns every unit.
//
// This is the record as far as the engine's frame reads it today: names, sprite, position,
// collision box, kind code, visibility and the flags of the step loop. Movement, animation,
// contacts, combat, bot behaviour and drawing come with the unit behaviour; until then the step
// and drawing hooks below do nothing.
#pragma once

#include <cstdint>
#include <string>

#include "units/game_geometry.h"

class CBitmapSurface;
class CGameSprite;

// Kind codes, fixed at creation.
inline constexpr int kUnitKindMobile = 1;      // players, bots, projectiles: move and collide
inline constexpr int kUnitKindOther = 2;       // other units
inline constexpr int kUnitKindObject = 3;      // unit-objects that can be picked up
inline constexpr int kUnitKindEffect = 5;      // sword, explosion, respawn effect, engine markers

class CGameUnit {
 public:
  // Longest name kept, in bytes (the rest is cut).
  static constexpr std::size_t kNameMax = 254;

  CGameUnit() = default;
  virtual ~CGameUnit() = default;
  CGameUnit(const CGameUnit&) = delete;
  CGameUnit& operator=(const CGameUnit&) = delete;

  // ---- Set-up -------------------------------------------------------------------------------
  // Attaches the shared sprite with the kind code and the collision box (relative to the
  // position); false, changing nothing, without a valid sprite.
  bool AttachSprite(CGameSprite* sprite, int kindCode, const units::Rect& collisionBox);
  // The display name as written; the identifier name with spaces as "_" and the Windows-1252
  // lower-case accented vowels and n-tilde folded to plain letters.
  void SetName(const std::string& name);

  // ---- Queries ------------------------------------------------------------------------------
  CGameSprite* Sprite() const { return m_sprite; }
  bool HasValidSprite() const;
  const std::string& IdentifierName() const { return m_identifierName; }
  const std::string& DisplayName() const { return m_displayName; }
  int KindCode() const { return m_kindCode; }
  const units::Rect& CollisionBox() const { return m_collisionBox; }
  int FrameWidth() const;
  int FrameHeight() const;
  // (x, y, x + frame width, y + frame height) in world pixels.
  units::Rect UnitRect() const;
  // Screen depth: the middle row of the collision box, in world pixels. Lower on the screen
  // means drawn later.
  int DepthKey() const;

  bool IsVisible() const { return m_visible; }
  // Making a unit invisible always goes through here (respawn scheduling hooks in here).
  virtual void SetVisible(bool visible) { m_visible = visible; }

  // ---- Per-step hooks, called by the engine in this order for every unit --------------------
  virtual void Step() {}                 // movement along its path and animation
  virtual void ProcessContacts() {}      // contacts with the other units
  virtual void RespondToMap() {}         // response to blocked map cells, detours
  virtual void Respawn() {}              // back to the spawn position, alive again
  virtual void BotDecisionPass() {}      // a bot's once-a-second decision
  // Draws the unit into the frame at its world position minus the camera.
  virtual void Draw(CBitmapSurface& /*frame*/, int /*cameraX*/, int /*cameraY*/) {}

  // ---- Plain state the engine's step loop reads and writes ----------------------------------
  int x = 0;
  int y = 0;
  bool isPlayer = false;
  bool isBot = false;
  bool isProjectile = false;
  bool moving = false;
  bool blocked = false;
  bool scripted = false;
  bool selected = false;
  bool respawnEnabled = false;
  uint32_t respawnDue = 0;  // tick; 0 = not set
  uint32_t expiry = 0;      // tick; 0 = not set

 private:
  CGameSprite* m_sprite = nullptr;  // shared, owned by the engine's sprite table
  std::string m_identifierName;
  std::string m_displayName;
  int m_kindCode = 0;
  units::Rect m_collisionBox;
  bool m_visible = true;
};
