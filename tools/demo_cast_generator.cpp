// Writes the sprite sheets and icons of the demo project's cast, under Graphics/:
//   Sprites_characters_units/  four player characters (two men, two women), 64 x 64 frames,
//                              eight rows of four walking frames in the order of the direction
//                              keys (up, down, right-up, left-up, right-down, left-down, right,
//                              left); the players' fire ball (3 frames of 15 x 15), its explosion
//                              (14 frames of 56 x 56) and sword blow (4 frames of 81 x 81)
//   Sprites_bots_units/        three bot characters laid out like the players, and the bots' own
//                              fire ball, explosion and sword blow
//   Sprites_other_units/       the scenery units: two villagers standing idle (one waves), a
//                              campfire, a banner on its pole and a signpost
//                              the storehouse door and the pen's barred gate, with Tomás's two
//                              dialog pictures
//   Images/                    the inside of the storehouse, shown when its door opens
//   Sprites_objects_units/     six inventory objects, each with a 32 x 32 icon and a 32 x 32 map
//                              sprite (the lantern and the moonstone animate), and the health and
//                              ammo kits health_object.bmp and ammo_object.bmp
// Everything lies on the key colour 0xBF7BC7. Units and object sprites cast their shadow in
// 0x0C0905, icons and kits in 0x5F3D63, the fire ball in 0x271B11: the engine draws those as a
// half darkening of whatever is below.
//
// Integer arithmetic and the generator's own random numbers only, so every run writes the same
// bytes. Usage:
//   demo_cast_generator [project folder]             (default Projects/Demo)
//   demo_cast_generator --preview <file.bmp> [...]   also writes every sheet side by side over a
//                                                    grass-coloured ground, drawn the way the
//                                                    engine draws them

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "demo_figure_art.h"
#include "demo_map_art.h"
#include "demo_sprite_art.h"

namespace {

using demo_art::Lcg;
using demo_art::Mix;
using demo_art::Rgb;
using demo_art::Shade;
using demo_figure::Head;
using demo_figure::Look;
using demo_figure::Pose;
using namespace demo_sprite;

constexpr uint32_t kUnitShadow = 0x0C0905;  // characters, scenery and object sprites
constexpr uint32_t kIconShadow = 0x5F3D63;  // inventory icons and the two kits
constexpr uint32_t kBallShadow = 0x271B11;  // the fire ball

// ---- The people -----------------------------------------------------------------------------

// Colours: skin, hair (helmet, hood), shirt, legs, shoes, accent (placket, hat, gauntlets).
const Look kRowan{Rgb(236, 188, 150),
                  Rgb(110, 66, 34),
                  Rgb(52, 96, 178),
                  Rgb(70, 62, 56),
                  Rgb(84, 52, 30),
                  Rgb(236, 210, 120),
                  Head::ShortHair,
                  false,
                  false,
                  1};
const Look kMira{Rgb(244, 200, 168),
                 Rgb(196, 78, 40),
                 Rgb(58, 142, 84),
                 Rgb(74, 88, 60),
                 Rgb(96, 60, 34),
                 Rgb(240, 232, 200),
                 Head::LongHair,
                 true,
                 false,
                 0};
const Look kTobias{Rgb(150, 100, 70),
                   Rgb(30, 26, 28),
                   Rgb(220, 128, 40),
                   Rgb(56, 66, 90),
                   Rgb(60, 44, 36),
                   Rgb(250, 236, 180),
                   Head::ShortHair,
                   false,
                   true,
                   2};
const Look kElena{Rgb(240, 204, 176),
                  Rgb(236, 206, 110),
                  Rgb(236, 236, 240),
                  Rgb(180, 48, 56),
                  Rgb(120, 40, 44),
                  Rgb(204, 40, 52),
                  Head::LongHair,
                  true,
                  false,
                  0};

const Look kRaider{Rgb(214, 168, 132),
                   Rgb(112, 38, 34),
                   Rgb(128, 84, 52),
                   Rgb(64, 50, 44),
                   Rgb(48, 36, 30),
                   Rgb(190, 150, 60),
                   Head::Hood,
                   false,
                   false,
                   1};
const Look kGuard{Rgb(220, 180, 150),
                  Rgb(126, 136, 152),
                  Rgb(88, 98, 118),
                  Rgb(60, 64, 76),
                  Rgb(40, 40, 48),
                  Rgb(160, 168, 182),
                  Head::Helmet,
                  false,
                  false,
                  3};
const Look kHuntress{Rgb(226, 178, 146),
                     Rgb(40, 30, 26),
                     Rgb(96, 60, 96),
                     Rgb(52, 46, 60),
                     Rgb(44, 34, 30),
                     Rgb(226, 190, 90),
                     Head::LongHair,
                     true,
                     false,
                     0};

const Look kInes{Rgb(238, 196, 160),
                 Rgb(72, 44, 30),
                 Rgb(176, 58, 70),
                 Rgb(0, 0, 0),
                 Rgb(86, 54, 36),
                 Rgb(244, 240, 226),
                 Head::LongHair,
                 true,
                 false,
                 0};
const Look kTomas{Rgb(222, 176, 140),
                  Rgb(214, 214, 206),
                  Rgb(120, 92, 60),
                  Rgb(86, 76, 60),
                  Rgb(70, 48, 32),
                  Rgb(222, 196, 112),
                  Head::Hat,
                  false,
                  true,
                  1};

std::vector<Frame> Walking(const Look& look) { return demo_figure::WalkingSheet(look, kUnitShadow); }

// Ines stands facing the viewer, breathes, then lifts her right hand and waves.
std::vector<Frame> InesIdle() {
  static constexpr std::array<std::array<int, 3>, 6> kFrames = {
      {{0, 0, 0}, {1, 0, 0}, {14, 0, 0}, {17, -2, 0}, {17, 2, 0}, {14, 0, 1}}};
  std::vector<Frame> frames;
  for (const auto& [raise, side, bob] : kFrames) {
    Pose pose;
    pose.handRaise = raise > 1 ? raise : 0;
    pose.handSide = side;
    pose.bob = raise == 1 ? 1 : bob;
    frames.push_back(demo_figure::DrawFigure(kInes, pose, kUnitShadow));
  }
  return frames;
}

// Tomas stands turned a little to the right, breathing slowly.
std::vector<Frame> TomasIdle() {
  return Frames(4, [](int f) {
    Pose pose;
    pose.facing = 1;
    pose.bob = f / 2;
    return demo_figure::DrawFigure(kTomas, pose, kUnitShadow);
  });
}

// ---- Shared painting helpers --------------------------------------------------------------

Pt P(int x, int y) { return {x * kSub, y * kSub}; }
Pt Ph(int x2, int y2) { return {x2 * kSub / 2, y2 * kSub / 2}; }  // half-pixel coordinates

// True when the pixel centre (sub-pixel units) lies within the turn from angle a0 to a1 (64ths of
// a turn, less than half a turn apart) seen from c.
bool InSector(Pt c, int a0, int a1, int x, int y) {
  const int64_t px = x - c.x, py = y - c.y;
  const int64_t c0 = static_cast<int64_t>(Cos64(a0)) * py - static_cast<int64_t>(Sin64(a0)) * px;
  const int64_t c1 = static_cast<int64_t>(Cos64(a1)) * py - static_cast<int64_t>(Sin64(a1)) * px;
  return c0 >= 0 && c1 <= 0;
}

// ---- Scenery ------------------------------------------------------------------------------

// Stones in a ring, two crossed logs and three tongues of flame whose heights change by frame.
Frame CampfireFrame(int f) {
  Frame frame(64, 64, kUnitShadow);
  Mask shadow(64, 64);
  AddEllipse(shadow, P(32, 52), 22 * kSub, 7 * kSub);
  frame.PaintShadow(shadow);
  Mask body(64, 64);
  for (int i = 0; i < 9; ++i) {  // the back stones first
    const int angle = 32 + i * 64 / 9;
    const Pt at{32 * kSub + 16 * Cos64(angle) * kSub / 1024, 48 * kSub + 7 * Sin64(angle) * kSub / 1024};
    if (Sin64(angle) > 0) continue;
    Mask stone(64, 64);
    AddEllipse(stone, at, 4 * kSub, 3 * kSub);
    PaintPart(frame, body, stone, Shade(Rgb(128, 124, 118), i % 3 * 8));
  }
  Mask logs(64, 64);
  AddCapsule(logs, P(20, 52), P(43, 44), 3 * kSub);
  AddCapsule(logs, P(21, 44), P(44, 52), 3 * kSub);
  PaintPart(frame, body, logs, Rgb(112, 72, 40));
  static constexpr std::array<std::array<int, 3>, 6> kHeights = {
      {{20, 28, 18}, {23, 25, 21}, {19, 30, 20}, {22, 26, 17}, {18, 29, 22}, {24, 27, 19}}};
  const auto& h = kHeights[static_cast<size_t>(f)];
  const std::array<int, 3> xs = {26, 32, 38};
  Mask outer(64, 64), middle(64, 64), core(64, 64);
  for (size_t i = 0; i < 3; ++i) {
    const int x = xs[i], lean = (f + static_cast<int>(i)) % 3 - 1;
    AddPolygon(outer, {P(x - 6, 49), P(x + 6, 49), P(x + 2 + lean, 49 - h[i] / 2), P(x + lean * 2, 49 - h[i])});
    AddEllipse(outer, P(x, 46), 6 * kSub, 4 * kSub);
    AddPolygon(middle, {P(x - 4, 48), P(x + 4, 48), P(x + lean, 50 - h[i] * 3 / 4)});
    AddPolygon(core, {P(x - 2, 48), P(x + 2, 48), P(x + lean, 51 - h[i] / 2)});
  }
  body.Join(outer);
  frame.Paint(outer, Rgb(214, 64, 24));
  frame.Paint(middle, Rgb(246, 146, 30));
  frame.Paint(core, Rgb(255, 234, 120));
  for (int i = 0; i < 9; ++i) {  // the front stones over the fire's foot
    const int angle = 32 + i * 64 / 9;
    if (Sin64(angle) <= 0) continue;
    const Pt at{32 * kSub + 16 * Cos64(angle) * kSub / 1024, 48 * kSub + 7 * Sin64(angle) * kSub / 1024};
    Mask stone(64, 64);
    AddEllipse(stone, at, 4 * kSub, 3 * kSub);
    PaintPart(frame, body, stone, Shade(Rgb(140, 136, 128), i % 3 * 8));
  }
  frame.Paint(body.Border(), kOutline);
  Lcg lcg(700 + static_cast<uint32_t>(f));  // embers rising
  for (int i = 0; i < 4; ++i)
    frame.Set(24 + lcg.Below(17), 10 + lcg.Below(16), i % 2 ? Rgb(255, 200, 80) : Rgb(255, 120, 40));
  return frame;
}

// A blue banner with a golden sun on a pole, the cloth rippling from frame to frame.
Frame BannerFrame(int f) {
  Frame frame(48, 96, kUnitShadow);
  Mask shadow(48, 96);
  AddEllipse(shadow, P(16, 91), 10 * kSub, 3 * kSub);
  frame.PaintShadow(shadow);
  Mask body(48, 96);
  Mask pole(48, 96);
  pole.Rect(11, 12, 13, 91);
  PaintPart(frame, body, pole, Rgb(120, 82, 46));
  Mask knob(48, 96);
  AddEllipse(knob, P(12, 10), 3 * kSub, 3 * kSub);
  PaintPart(frame, body, knob, Rgb(232, 190, 70));
  auto wave = [f](int x) { return Sin64(x * 4 + f * 16) * 2 * (x - 14) / 28 / 1024; };  // fixed at the pole
  Mask cloth(48, 96);
  for (int x = 14; x <= 43; ++x) {
    const int bottom = 46 - (x > 36 ? (x - 36) * 2 : 0) + (x > 36 ? (x - 36) % 2 : 0);  // a swallowtail
    for (int y = 16 + wave(x); y <= bottom + wave(x); ++y) {
      if (x > 38 && std::abs(y - wave(x) - 31) < (x - 38) * 2) continue;
      cloth.Set(x, y);
    }
  }
  frame.Paint(cloth, [&](int x, int) { return Shade(Rgb(40, 70, 170), wave(x + 1) * 14 - wave(x) * 14 + 6); });
  body.Join(cloth);
  Mask sun(48, 96);
  AddEllipse(sun, {26 * kSub, (31 + wave(26)) * kSub}, 5 * kSub, 5 * kSub);
  frame.Paint(sun, Rgb(246, 206, 74));
  for (int k = 0; k < 8; ++k)
    frame.Set(26 + 7 * Cos64(k * 8) / 1024, 31 + wave(26) + 7 * Sin64(k * 8) / 1024, Rgb(246, 206, 74));
  frame.Paint(body.Border(), kOutline);
  return frame;
}

// An empty 64 x 64 scenery frame with the flat shadow of its foot: an ellipse of rx by ry pixels.
Frame GroundedFrame(Pt foot, int rx, int ry) {
  Frame frame(64, 64, kUnitShadow);
  Mask shadow(64, 64);
  AddEllipse(shadow, foot, rx * kSub, ry * kSub);
  frame.PaintShadow(shadow);
  return frame;
}

// A post with two arrow boards; the marks on them read as writing from afar.
Frame SignpostFrame() {
  Frame frame = GroundedFrame(P(32, 58), 9, 3);
  Mask body(64, 64);
  Mask post(64, 64);
  post.Rect(30, 14, 33, 58);
  PaintPart(frame, body, post, Rgb(118, 84, 50));
  const uint32_t board = Rgb(196, 156, 100);
  Mask west(64, 64), east(64, 64);
  AddPolygon(west, {P(10, 22), P(16, 16), P(40, 16), P(40, 28), P(16, 28)});
  AddPolygon(east, {P(24, 32), P(48, 32), P(54, 38), P(48, 44), P(24, 44)});
  PaintPart(frame, body, west, board);
  PaintPart(frame, body, east, Shade(board, -12));
  for (int x = 18; x <= 36; x += 1) {
    if (x % 6 != 5) frame.Set(x, 22, Rgb(86, 56, 32));
  }
  for (int x = 28; x <= 46; x += 1) {
    if (x % 5 != 4) frame.Set(x, 38, Rgb(86, 56, 32));
  }
  frame.Paint(body.Border(), kOutline);
  return frame;
}

// The storehouse door: planks with iron bands and a keyhole under a stone arch. Its collision box
// is the threshold across the bottom of the arch.
Frame DoorFrame() {
  Frame frame = GroundedFrame(P(32, 60), 26, 3);
  Mask body(64, 64);
  Mask arch(64, 64);
  AddPolygon(arch, {P(6, 60), P(6, 22), P(14, 10), P(32, 4), P(50, 10), P(58, 22), P(58, 60)});
  PaintPart(frame, body, arch, Rgb(150, 144, 134));
  for (int y = 12; y < 60; y += 8) {  // the courses of the stones
    for (int x = 7; x < 58; ++x) {
      if (arch.At(x, y)) frame.Set(x, y, Rgb(118, 112, 104));
    }
  }
  Mask door(64, 64);
  AddPolygon(door, {P(14, 60), P(14, 24), P(20, 15), P(32, 11), P(44, 15), P(50, 24), P(50, 60)});
  frame.Paint(door, [](int x, int) { return Shade(Rgb(132, 84, 44), (x - 14) / 6 % 2 == 0 ? 0 : -14); });
  for (int band : {24, 48}) {
    for (int x = 14; x <= 50; ++x) {
      if (door.At(x, band)) frame.Set(x, band, Rgb(64, 62, 66));
      if (door.At(x, band + 1)) frame.Set(x, band + 1, Rgb(92, 90, 96));
    }
  }
  Mask lock(64, 64);
  lock.Rect(40, 34, 45, 41);
  frame.Paint(lock, Rgb(212, 172, 72));
  frame.Set(42, 36, Rgb(30, 24, 20));
  frame.Set(42, 37, Rgb(30, 24, 20));
  frame.Set(42, 38, Rgb(30, 24, 20));
  frame.Paint(door.Border(), Rgb(70, 44, 24));
  frame.Paint(body.Border(), kOutline);
  return frame;
}

// The pen's gate: two posts, plank slats on two rails with a brace, held shut by a chain and a
// padlock. Its rails sit where the fence's rails do, and its collision box is the thin line of
// the gate across the whole tile, so a player on either side can reach over it.
Frame PenGateFrame() {
  Frame frame = GroundedFrame(P(32, 44), 30, 2);
  Mask body(64, 64);
  Mask posts(64, 64);
  posts.Rect(0, 14, 6, 48);
  posts.Rect(57, 14, 63, 48);
  PaintPart(frame, body, posts, Rgb(112, 74, 40));
  Mask slats(64, 64);
  for (int x = 9; x < 56; x += 6) slats.Rect(x, 20, x + 3, 44);
  PaintPart(frame, body, slats, Rgb(168, 120, 70));
  Mask rails(64, 64);
  rails.Rect(7, 24, 56, 27);
  rails.Rect(7, 38, 56, 41);
  AddCapsule(rails, P(10, 39), P(53, 25), 1);  // the brace
  PaintPart(frame, body, rails, Rgb(140, 96, 54));
  for (int x = 24; x <= 40; ++x) {  // the chain over the middle slats
    frame.Set(x, 31 + (x % 4 < 2 ? 0 : 1), x % 2 == 0 ? Rgb(70, 70, 78) : Rgb(120, 120, 130));
  }
  Mask lock(64, 64);
  lock.Rect(29, 33, 35, 39);
  frame.Paint(lock, Rgb(212, 172, 72));
  frame.Set(32, 35, Rgb(30, 24, 20));
  frame.Set(32, 36, Rgb(30, 24, 20));
  frame.Paint(lock.Border(), Rgb(120, 90, 30));
  frame.Paint(body.Border(), kOutline);
  return frame;
}

// Tomás's picture beside his speech bubble: his face on parchment, grey-framed while he waits for
// a lantern, gold-framed and lit once he has one.
Frame TomasPortrait(bool pleased) {
  constexpr int kSize = 96;
  Frame frame(kSize, kSize, kIconShadow);
  Mask card(kSize, kSize);
  card.Rect(2, 2, kSize - 3, kSize - 3);
  frame.Paint(card, [](int x, int y) { return Shade(Rgb(236, 222, 188), ((x * 7 + y * 13) % 11) - 5); });
  Mask edge = card.Minus(card.Eroded().Eroded().Eroded());
  frame.Paint(edge, pleased ? Rgb(222, 178, 60) : Rgb(120, 116, 110));
  // His standing frame, drawn twice its size from the chest up.
  const Frame figure = TomasIdle().front();
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const uint32_t colour = figure.Get(12 + x, 8 + y);
      if (colour == demo_art::kKey || colour == kUnitShadow) continue;
      for (int d = 0; d < 4; ++d) frame.Set(8 + 2 * x + d % 2, 12 + 2 * y + d / 2, colour);
    }
  }
  if (pleased) {  // the lantern's light in the corner
    Mask glow(kSize, kSize);
    AddEllipse(glow, P(78, 20), 9 * kSub, 9 * kSub);
    frame.Paint(glow, Rgb(255, 226, 120));
    Mask flame(kSize, kSize);
    AddEllipse(flame, P(78, 20), 4 * kSub, 5 * kSub);
    frame.Paint(flame, Rgb(246, 146, 30));
  } else {  // a question in the corner
    for (const auto& [x, y] : std::initializer_list<std::pair<int, int>>{
             {74, 12}, {75, 11}, {77, 11}, {78, 12}, {78, 14}, {77, 15}, {76, 16}, {76, 18}, {76, 22}}) {
      for (int d = 0; d < 4; ++d) frame.Set(x + d % 2, y + d / 2, Rgb(96, 70, 40));
    }
  }
  return frame;
}

// What the storehouse holds, shown when its door opens: shelves of crates, sacks and the red
// draughts on a plank wall.
Frame StorehousePicture() {
  constexpr int kW = 320, kH = 200;
  Frame frame(kW, kH, kIconShadow);
  Mask all(kW, kH);
  all.Rect(0, 0, kW - 1, kH - 1);
  frame.Paint(all, [](int x, int y) { return Shade(Rgb(122, 86, 52), (x / 24) % 2 * 10 - (y % 40 == 0 ? 30 : 0)); });
  for (int shelf : {70, 140}) {
    Mask plank(kW, kH);
    plank.Rect(12, shelf, kW - 13, shelf + 6);
    PaintLit(frame, plank, Rgb(176, 128, 74));
  }
  Lcg lcg(9100);
  for (int row = 0; row < 2; ++row) {
    const int base = row == 0 ? 70 : 140;
    for (int x = 20; x < kW - 40;) {
      const int kind = static_cast<int>(lcg.Below(3));
      Mask item(kW, kH);
      if (kind == 0) {  // a crate
        item.Rect(x, base - 34, x + 36, base - 1);
        PaintLit(frame, item, Rgb(196, 150, 92));
        for (int y = base - 34; y < base; y += 11) {
          for (int i = x; i <= x + 36; ++i) frame.Set(i, y, Rgb(140, 100, 58));
        }
        x += 46;
      } else if (kind == 1) {  // a sack
        AddEllipse(item, P(x + 16, base - 16), 16 * kSub, 16 * kSub);
        PaintLit(frame, item, Rgb(214, 196, 150));
        x += 38;
      } else {  // a red draught
        AddEllipse(item, P(x + 9, base - 10), 9 * kSub, 10 * kSub);
        item.Rect(x + 6, base - 28, x + 12, base - 18);
        PaintLit(frame, item, Rgb(196, 40, 52));
        Mask cork(kW, kH);
        cork.Rect(x + 6, base - 32, x + 12, base - 29);
        frame.Paint(cork, Rgb(170, 120, 70));
        x += 26;
      }
    }
  }
  Mask edge = all.Minus(all.Eroded().Eroded().Eroded().Eroded());
  frame.Paint(edge, Rgb(64, 42, 24));
  return frame;
}

// ---- Attacks: fire ball, explosion, sword blow ---------------------------------------------

struct AttackColours {
  uint32_t core, glow, edge, smoke;
};
const AttackColours kPlayerAttack{Rgb(236, 252, 255), Rgb(96, 210, 255), Rgb(40, 110, 220), Rgb(92, 100, 120)};
const AttackColours kBotAttack{Rgb(255, 250, 210), Rgb(255, 170, 50), Rgb(210, 60, 30), Rgb(96, 84, 80)};

// A glowing ball that pulses over three frames.
Frame BallFrame(int f, const AttackColours& c) {
  Frame frame(15, 15, kBallShadow);
  const int r = (5 + f % 2) * kSub + (f == 2 ? kSub / 2 : 0);
  Mask ball(15, 15), inner(15, 15), core(15, 15);
  AddEllipse(ball, Ph(15, 15), r, r);
  AddEllipse(inner, Ph(15, 15), r - 2 * kSub, r - 2 * kSub);
  AddEllipse(core, Ph(14, 14), 2 * kSub, 2 * kSub);
  frame.Paint(ball, c.edge);
  frame.Paint(inner, c.glow);
  frame.Paint(core, c.core);
  return frame;
}

// A burst of light, a fireball that swells and dies down, and smoke that spreads and stays.
Frame ExplosionFrame(int f, const AttackColours& c) {
  Frame frame(56, 56, 0);
  const Pt centre = P(28, 28);
  Lcg lcg(900);
  std::array<std::array<int, 3>, 10> puffs{};  // angle, distance, size
  for (auto& p : puffs) p = {lcg.Below(64), 6 + lcg.Below(8), 4 + lcg.Below(4)};
  Mask fire(56, 56), hot(56, 56), smoke(56, 56);
  for (const auto& [angle, distance, size] : puffs) {
    const int d = distance + f / 2;
    const Pt at{centre.x + d * kSub * Cos64(angle) / 1024, centre.y + d * kSub * Sin64(angle) / 1024 - f * kSub / 2};
    const int room = 25 - d;  // every puff stays inside the frame
    const int flame = f <= 4 ? size + f : (size + 4) * (9 - f) / 5;
    if (flame > 0) AddEllipse(fire, at, std::min(flame, room) * kSub, std::min(flame, room) * kSub);
    if (f >= 3) {
      const int puff = std::min(size + (f - 3) / 2, room);
      AddEllipse(smoke, at, puff * kSub, puff * kSub);
    }
  }
  if (f < 6) AddEllipse(hot, centre, (10 + f * 2 - f * f / 3) * kSub, (10 + f * 2 - f * f / 3) * kSub);
  frame.Paint(smoke, [&](int x, int y) { return Shade(c.smoke, static_cast<int>(demo_art::Hash(x, y, 5) % 20) - 10); });
  frame.Paint(fire, [&](int x, int y) {
    return Mix(c.glow, c.edge, std::min(256, f * 28 + static_cast<int>(demo_art::Hash(x, y, 6) % 40)));
  });
  frame.Paint(hot, [&](int x, int y) {
    const int dx = x - 28, dy = y - 28;
    return Mix(c.core, c.glow, std::min(256, (dx * dx + dy * dy) * 3 + f * 30));
  });
  return frame;
}

// A bright arc that sweeps from the upper left round to the lower right over four frames.
Frame SwordFrame(int f, const AttackColours& c) {
  Frame frame(81, 81, 0);
  const Pt centre = P(40, 40);
  const int start = 40 + f * 7, end = start + 14;  // 64ths of a turn
  Mask arc(81, 81), edge(81, 81);
  arc.Add([&](int x, int y) {
    return InSector(centre, start, end, x, y) && InEllipse(centre, 34 * kSub, 34 * kSub, x, y) &&
           !InEllipse(centre, 22 * kSub, 22 * kSub, x, y);
  });
  edge.Add([&](int x, int y) {
    return InSector(centre, start, end, x, y) && InEllipse(centre, 34 * kSub, 34 * kSub, x, y) &&
           !InEllipse(centre, 30 * kSub, 30 * kSub, x, y);
  });
  frame.Paint(arc, c.glow);
  frame.Paint(edge, c.core);
  frame.Paint(arc.Border(), c.edge);
  return frame;
}

// ---- Objects --------------------------------------------------------------------------------

enum class Item { Key, Map, Lantern, Rope, Moonstone, Draught, HealthKit, AmmoKit };

// Paints an object into a 32 x 32 frame and returns its silhouette. `phase` animates the
// lantern's flame and the moonstone's sparkle.
Mask PaintItem(Frame& frame, Item item, int phase) {
  Mask body(32, 32);
  switch (item) {
    case Item::Key: {
      const uint32_t brass = Rgb(222, 176, 60);
      Mask ring(32, 32);
      AddRing(ring, P(10, 21), 6 * kSub, 6 * kSub, 2 * kSub + kSub / 2);
      Mask shaft(32, 32);
      AddCapsule(shaft, P(14, 17), P(26, 6), kSub + kSub / 2);
      AddCapsule(shaft, P(21, 11), P(24, 15), kSub + kSub / 3);
      AddCapsule(shaft, P(24, 8), P(27, 12), kSub + kSub / 3);
      PaintPart(frame, body, ring, brass);
      PaintPart(frame, body, shaft, Shade(brass, -8));
      break;
    }
    case Item::Map: {
      Mask sheet(32, 32);
      AddPolygon(sheet, {P(6, 7), P(26, 6), P(27, 25), P(5, 26)});
      PaintPart(frame, body, sheet, Rgb(236, 218, 168));
      Mask rolls(32, 32);
      AddCapsule(rolls, P(5, 7), P(4, 26), 2 * kSub);
      AddCapsule(rolls, P(27, 6), P(28, 25), 2 * kSub);
      PaintPart(frame, body, rolls, Rgb(204, 178, 122));
      for (int x = 9; x <= 23; ++x) frame.Set(x, 12 + Sin64(x * 6) * 3 / 1024, Rgb(70, 120, 200));  // the river
      for (int x = 9; x <= 23; x += 2) frame.Set(x, 20 - (x - 9) / 4, Rgb(176, 50, 40));            // the path
      for (int d = -2; d <= 2; ++d)
        frame.Set(22 + d, 16 + d, Rgb(176, 30, 30)), frame.Set(22 + d, 16 - d, Rgb(176, 30, 30));
      break;
    }
    case Item::Lantern: {
      Mask handle(32, 32);
      AddRing(handle, P(16, 6), 5 * kSub, 4 * kSub, kSub + kSub / 2);
      Mask cap(32, 32);
      AddPolygon(cap, {P(9, 12), P(23, 12), P(20, 7), P(12, 7)});
      Mask glass(32, 32);
      glass.Rect(10, 12, 21, 24);
      Mask base(32, 32);
      base.Rect(8, 25, 23, 27);
      PaintPart(frame, body, handle, Rgb(70, 70, 78));
      PaintPart(frame, body, glass, Rgb(250, 214, 120));
      static constexpr std::array<int, 4> kFlame = {5, 6, 4, 6};
      const int h = kFlame[static_cast<size_t>(phase % 4)];
      Mask flame(32, 32), heart(32, 32);
      AddEllipse(flame, P(16, 21 - h / 2), 2 * kSub + kSub / 2, h * kSub / 2 + kSub);
      AddEllipse(heart, P(16, 21 - h / 3), kSub + kSub / 3, h * kSub / 3);
      frame.Paint(flame, Rgb(255, 150, 40));
      frame.Paint(heart, Rgb(255, 252, 200));
      Mask bars(32, 32);
      bars.Rect(10, 12, 10, 24), bars.Rect(21, 12, 21, 24), bars.Rect(15, 12, 16, 13);
      frame.Paint(bars, Rgb(60, 60, 68));
      PaintPart(frame, body, cap, Rgb(84, 84, 96));
      PaintPart(frame, body, base, Rgb(84, 84, 96));
      break;
    }
    case Item::Rope: {
      Mask coil(32, 32);
      for (int r : {12, 9, 6}) AddRing(coil, P(16, 17), r * kSub, r * kSub * 3 / 4, 2 * kSub + kSub / 2);
      AddCapsule(coil, P(24, 22), P(28, 28), kSub + kSub / 2);  // the loose end
      frame.Paint(coil, [](int x, int y) { return (x + y) % 3 == 0 ? Rgb(150, 112, 62) : Rgb(206, 168, 104); });
      body.Join(coil);
      break;
    }
    case Item::Moonstone: {
      Mask gem(32, 32);
      AddPolygon(gem, {P(10, 9), P(22, 9), P(27, 15), P(16, 28), P(5, 15)});
      frame.Paint(gem, [](int x, int y) {
        if (y < 15) return x < 16 ? Rgb(206, 236, 255) : Rgb(150, 200, 246);  // the table facets
        return x < 16 ? Rgb(120, 170, 236) : Rgb(80, 128, 210);
      });
      body.Join(gem);
      for (int x = 8; x <= 24; ++x) frame.Set(x, 15, Rgb(236, 248, 255));
      static constexpr std::array<std::array<int, 3>, 4> kSparkle = {
          {{12, 12, 2}, {19, 18, 1}, {21, 12, 3}, {14, 20, 1}}};
      const auto& [sx, sy, size] = kSparkle[static_cast<size_t>(phase % 4)];
      for (int d = -size; d <= size; ++d)
        frame.Set(sx + d, sy, Rgb(255, 255, 255)), frame.Set(sx, sy + d, Rgb(255, 255, 255));
      break;
    }
    case Item::Draught: {
      Mask flask(32, 32);
      AddEllipse(flask, P(16, 20), 9 * kSub, 8 * kSub);
      flask.Rect(13, 6, 18, 13);
      PaintPart(frame, body, flask, Rgb(186, 214, 220));
      const Mask inside = flask.Eroded();
      Mask liquid(32, 32);
      liquid.Add([&](int x, int y) { return inside.At(x / kSub, y / kSub) && y >= 18 * kSub; });
      frame.Paint(liquid, [](int x, int) { return x < 16 ? Rgb(226, 60, 90) : Rgb(176, 30, 64); });
      Mask cork(32, 32);
      cork.Rect(13, 3, 18, 6);
      PaintPart(frame, body, cork, Rgb(160, 112, 64));
      frame.Set(11, 16, Rgb(255, 255, 255)), frame.Set(11, 17, Rgb(255, 255, 255)),
          frame.Set(12, 15, Rgb(255, 255, 255));
      break;
    }
    case Item::HealthKit: {
      Mask box(32, 32);
      box.Rect(5, 9, 26, 26);
      Mask handle(32, 32);
      handle.Rect(12, 5, 19, 6), handle.Rect(12, 5, 13, 9), handle.Rect(18, 5, 19, 9);
      PaintPart(frame, body, handle, Rgb(80, 80, 88));
      PaintPart(frame, body, box, Rgb(244, 244, 240));
      Mask cross(32, 32);
      cross.Rect(14, 11, 17, 24), cross.Rect(9, 16, 22, 19);
      frame.Paint(cross, Rgb(214, 36, 40));
      break;
    }
    case Item::AmmoKit: {
      Mask crate(32, 32);
      crate.Rect(4, 12, 27, 27);
      PaintPart(frame, body, crate, Rgb(100, 112, 56));
      Mask band(32, 32);
      band.Rect(5, 18, 26, 19);
      frame.Paint(band, Rgb(226, 190, 60));
      for (int i = 0; i < 3; ++i) {  // fire-ball charges standing in the open crate
        Mask orb(32, 32);
        AddEllipse(orb, P(10 + i * 6, 10), 3 * kSub, 3 * kSub);
        PaintPart(frame, body, orb, Rgb(255, 150, 40));
        frame.Set(9 + i * 6, 9, Rgb(255, 240, 180));
      }
      break;
    }
  }
  return body;
}

// An item with its outline and a shadow: dropped down and right for icons and kits, a flat
// ellipse on the ground for map sprites.
Frame ItemFrame(Item item, int phase, bool onTheGround) {
  Frame art(32, 32, 0);
  const Mask body = PaintItem(art, item, phase);
  Frame frame(32, 32, onTheGround ? kUnitShadow : kIconShadow);
  if (onTheGround) {
    Mask shadow(32, 32);
    AddEllipse(shadow, P(17, 27), 12 * kSub, 4 * kSub);
    frame.PaintShadow(shadow);
  } else {
    frame.PaintShadow(body.Shifted(2, 2).Minus(body));
  }
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (body.At(x, y)) frame.Set(x, y, art.Get(x, y));
    }
  }
  frame.Paint(body.Border(), kOutline);
  return frame;
}

struct ObjectArt {
  Item item;
  const char* name;  // file names icon_<name>.bmp and object_<name>.bmp
  int frames;        // frames of the map sprite
};
constexpr std::array<ObjectArt, 6> kObjects = {{{Item::Key, "key", 1},
                                                {Item::Map, "map", 1},
                                                {Item::Lantern, "lantern", 4},
                                                {Item::Rope, "rope", 1},
                                                {Item::Moonstone, "moonstone", 4},
                                                {Item::Draught, "draught", 1}}};

// ---- The files ------------------------------------------------------------------------------

struct Sheet {
  std::string path;  // relative to the project folder
  std::vector<Frame> frames;
  int columns;  // 0: all in one row
};

std::vector<Sheet> CastSheets() {
  const std::string players = "Graphics/Sprites_characters_units/", bots = "Graphics/Sprites_bots_units/",
                    others = "Graphics/Sprites_other_units/", objects = "Graphics/Sprites_objects_units/";
  const int walkColumns = demo_figure::kWalkFrames;
  std::vector<Sheet> sheets = {
      {players + "player_rowan.bmp", Walking(kRowan), walkColumns},
      {players + "player_mira.bmp", Walking(kMira), walkColumns},
      {players + "player_tobias.bmp", Walking(kTobias), walkColumns},
      {players + "player_elena.bmp", Walking(kElena), walkColumns},
      {bots + "bot_raider.bmp", Walking(kRaider), walkColumns},
      {bots + "bot_guard.bmp", Walking(kGuard), walkColumns},
      {bots + "bot_huntress.bmp", Walking(kHuntress), walkColumns},
      {others + "villager_ines.bmp", InesIdle(), 0},
      {others + "villager_tomas.bmp", TomasIdle(), 0},
      {others + "campfire.bmp", Frames(6, CampfireFrame), 0},
      {others + "banner.bmp", Frames(4, BannerFrame), 0},
      {others + "signpost.bmp", {SignpostFrame()}, 0},
      {others + "door_storehouse.bmp", {DoorFrame()}, 0},
      {others + "pen_gate.bmp", {PenGateFrame()}, 0},
      {others + "tomas_dialog.bmp", {TomasPortrait(false)}, 0},
      {others + "tomas_dialog_yes.bmp", {TomasPortrait(true)}, 0},
      {"Graphics/Images/storehouse.bmp", {StorehousePicture()}, 0},
      {objects + "health_object.bmp", {ItemFrame(Item::HealthKit, 0, false)}, 0},
      {objects + "ammo_object.bmp", {ItemFrame(Item::AmmoKit, 0, false)}, 0},
  };
  for (const auto& [folder, colours, owner] :
       {std::tuple{players, kPlayerAttack, "player"}, std::tuple{bots, kBotAttack, "bot"}}) {
    const AttackColours c = colours;
    sheets.push_back({folder + "ball_fire_" + owner + ".bmp", Frames(3, [&](int f) { return BallFrame(f, c); }), 0});
    sheets.push_back(
        {folder + "ball_fire_explosion_" + owner + ".bmp", Frames(14, [&](int f) { return ExplosionFrame(f, c); }), 0});
    sheets.push_back(
        {folder + "attack_sword_sprite_" + owner + ".bmp", Frames(4, [&](int f) { return SwordFrame(f, c); }), 0});
  }
  for (const ObjectArt& o : kObjects) {
    sheets.push_back({objects + "icon_" + o.name + ".bmp", {ItemFrame(o.item, 0, false)}, 0});
    sheets.push_back({objects + "object_" + o.name + ".bmp",
                      Frames(o.frames, [&](int f) { return ItemFrame(o.item, f, true); }), 0});
  }
  return sheets;
}

// Every sheet side by side over a grass-coloured ground, keyed and shadowed as the engine draws
// them, so the cast can be judged at its real size.
bool WritePreview(const std::filesystem::path& path, const std::vector<Sheet>& sheets) {
  constexpr int kWidth = 1280;
  int x = 8, y = 8, rowHeight = 0;
  struct Placed {
    const Sheet* sheet;
    int x, y;
  };
  std::vector<Placed> placed;
  for (const Sheet& s : sheets) {
    const int count = static_cast<int>(s.frames.size()), columns = s.columns > 0 ? s.columns : count;
    const int w = s.frames[0].Width() * columns, h = s.frames[0].Height() * ((count + columns - 1) / columns);
    if (x + w > kWidth - 8) x = 8, y += rowHeight + 8, rowHeight = 0;
    placed.push_back({&s, x, y});
    x += w + 8;
    rowHeight = std::max(rowHeight, h);
  }
  CBitmapSurface out;
  if (!out.Create(kWidth, y + rowHeight + 8)) return false;
  for (int py = 0; py < out.GetHeight(); ++py) {
    for (int px = 0; px < kWidth; ++px)
      out.SetPixel(px, py, Shade(Rgb(78, 143, 60), static_cast<int>(demo_art::Hash(px, py, 1) % 9) - 4));
  }
  for (const Placed& p : placed) {
    const int count = static_cast<int>(p.sheet->frames.size());
    const int columns = p.sheet->columns > 0 ? p.sheet->columns : count;
    for (int i = 0; i < count; ++i) {
      const Frame& f = p.sheet->frames[static_cast<size_t>(i)];
      for (int fy = 0; fy < f.Height(); ++fy) {
        for (int fx = 0; fx < f.Width(); ++fx) {
          const int ox = p.x + i % columns * f.Width() + fx, oy = p.y + i / columns * f.Height() + fy;
          const uint32_t c = f.Get(fx, fy);
          if (c == kKey) continue;
          const bool shadow = c == kUnitShadow || c == kIconShadow || c == kBallShadow;
          out.SetPixel(ox, oy, shadow ? Mix(out.GetPixel(ox, oy), 0, 128) : c);
        }
      }
    }
  }
  return out.SaveFile(path.string());
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path project = "Projects/Demo";
  std::filesystem::path preview;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--preview" && i + 1 < argc)
      preview = argv[++i];
    else
      project = arg;
  }
  const std::vector<Sheet> sheets = CastSheets();
  bool ok = true;
  for (const Sheet& s : sheets) ok = ok && WriteSheet(project / s.path, s.frames, s.columns);
  if (ok && !preview.empty()) ok = WritePreview(preview, sheets);
  if (!ok) {
    std::fprintf(stderr, "demo_cast_generator: could not write the cast under %s\n", project.string().c_str());
    return 1;
  }
  std::printf("demo cast written to %s\n", project.string().c_str());
  return 0;
}
