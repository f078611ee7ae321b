// What a unit's per-step rules and its drawing read of the world around it: the map, the
// engine's unit and player tables, the tick and the services of the game around them, and for
// drawing the camera, the view and the alert icon. The engine fills these once per step or frame.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "units/game_geometry.h"

class CBitmapSurface;
class CGameMap;
class CGameUnit;

namespace config {
struct GameConfig;
}

namespace units {

class ContactIndex;
class RuntimeRandom;
class UnitServices;

struct UnitWorld {
  const CGameMap* map = nullptr;                      // null: nothing on the map blocks
  std::span<const std::unique_ptr<CGameUnit>> table;  // slots 0 .. count - 1, all set
  uint32_t now = 0;
  UnitServices* services = nullptr;  // null: the silent set
  // The player table (load order), for the rules that look at players only.
  std::span<CGameUnit* const> players;
  // The contact pass's broad phase over `table`; null: every unit of the table is looked at.
  ContactIndex* contacts = nullptr;
  // The step's generator: the bots' decisions draw from it (must be set where bots decide).
  RuntimeRandom* random = nullptr;
  // The game's settings and tables (object definitions, the language of messages); null: the
  // start values.
  const config::GameConfig* config = nullptr;

  UnitServices& Services() const;
  const config::GameConfig& Config() const;
  RuntimeRandom& Random() const { return *random; }
};

enum class UnitText { Bubble, Name };

struct DrawContext {
  Point camera;
  Rect view;  // world pixels, edges included
  uint32_t now = 0;
  const CBitmapSurface* alertIcon = nullptr;  // null or invalid: not drawn
  // The face of unit texts (the game's first font).
  std::string textFace;
  // Hears a bubble or a name label when a drawing first shows it; empty: nobody listens.
  std::function<void(const CGameUnit& unit, UnitText kind, const std::string& text)> shown;
};

}  // namespace units
