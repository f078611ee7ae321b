// Writes the demo project's system graphics, the pictures the engine itself draws over the map:
//   Graphics/System/info_icon.bmp            the "i" badge beside plain HUD messages
//   Graphics/System/pointer.bmp              8 frames of 92 x 91: the destination marker
//   Graphics/System/action_symbol.bmp        2 frames of 52 x 74: the bobbing arrow that offers
//                                            a unit's action (it sits under the unit, so it
//                                            points up at it)
//   Graphics/System/Respawn_fx.bmp           9 frames of 63 x 63: the respawn sparkle
//   Graphics/Sprites_bots_units/alert_bot.bmp  the red "!" shown above a bot that spotted a player
// Every picture lies on the transparent key colour 0xBF7BC7 and leaves a key-coloured border
// round each frame; the two icons cast a shadow in the shadow key 0x5F3D63, which the engine
// draws as a 50 % darkening of the ground.
//
// Shapes are sampled at pixel centres in 1/16-pixel integer coordinates and turned with a
// fixed sine table, so every run on every machine writes the same bytes. Usage:
//   demo_system_graphics_generator [project folder]      (default Projects/Demo)

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "demo_map_art.h"
#include "demo_sprite_art.h"

namespace {

using demo_art::Lcg;
using demo_art::Mix;
using demo_art::Rgb;
using namespace demo_sprite;

constexpr uint32_t kShadowKey = 0x5F3D63;  // the engine icons' shadow

// ---- Badges: the info and alert icons -----------------------------------------------------

struct BadgeColours {
  uint32_t outline, rimLight, rimDark, top, bottom, glyph, glyphShade;
};

// A round badge of `diameter` pixels in the top-left of a frame, outlined, lit from the upper
// left, with its shadow cast `drop` pixels down and right. The glyph mask is painted on top.
Frame Badge(int diameter, int drop, const BadgeColours& c, const Mask& glyph) {
  Frame frame(diameter + drop + 2, diameter + drop + 2, kShadowKey);
  const int r = diameter * kSub / 2;
  const Pt centre{kSub + r, kSub + r};
  Mask disc(frame.Width(), frame.Height());
  AddEllipse(disc, centre, r, r);
  frame.PaintShadow(disc.Shifted(drop, drop).Minus(disc));

  const Mask inner = disc.Eroded();
  const Mask core = inner.Eroded();
  frame.Paint(disc.Minus(inner), c.outline);
  // Rim: light on the upper-left half, darker on the lower right.
  frame.Paint(inner.Minus(core),
              [&](int x, int y) { return Centre(x) + Centre(y) < centre.x + centre.y ? c.rimLight : c.rimDark; });
  const int top = 2, span = diameter - 4;
  frame.Paint(core, [&](int, int y) { return Mix(c.top, c.bottom, std::clamp((y - top) * 256 / span, 0, 256)); });
  // The glyph, shaded one pixel down so it reads as raised.
  frame.Paint(glyph.Shifted(0, 1).Minus(glyph), [&](int x, int y) { return core.At(x, y) ? c.glyphShade : c.outline; });
  frame.Paint(glyph, c.glyph);
  return frame;
}

Frame InfoIcon() {
  // Small enough to sit in a message line: the text starts 19 pixels right of the icon.
  const int d = 14;
  Mask glyph(d + 4, d + 4);
  glyph.Rect(7, 3, 8, 4);    // dot
  glyph.Rect(6, 7, 8, 7);    // serif
  glyph.Rect(7, 8, 8, 10);   // stem
  glyph.Rect(6, 11, 9, 11);  // foot
  return Badge(d, 2,
               {Rgb(20, 62, 82), Rgb(150, 226, 236), Rgb(44, 128, 158), Rgb(66, 172, 200), Rgb(30, 104, 142),
                Rgb(255, 255, 255), Rgb(24, 84, 110)},
               glyph);
}

Frame AlertIcon() {
  const int d = 20;
  Mask glyph(d + 4, d + 4);
  glyph.Rect(9, 4, 12, 11);  // bar, tapering downward
  glyph.Rect(10, 12, 11, 13);
  glyph.Rect(9, 15, 12, 17);  // dot with rounded corners
  glyph.Set(9, 15, false), glyph.Set(12, 15, false), glyph.Set(9, 17, false), glyph.Set(12, 17, false);
  return Badge(d, 2,
               {Rgb(88, 16, 18), Rgb(255, 150, 130), Rgb(176, 40, 36), Rgb(234, 74, 60), Rgb(170, 30, 30),
                Rgb(255, 248, 232), Rgb(120, 20, 22)},
               glyph);
}

// ---- Destination marker -------------------------------------------------------------------

// Four gold chevrons on a thin ring close in on a small target; the engine fades the marker over
// the eight frames, so it flashes once where the order points.
Frame PointerFrame(int f) {
  Frame frame(92, 91, kShadowKey);
  const Pt c{46 * kSub, Centre(45)};
  const uint32_t outline = Rgb(58, 40, 14), gold = Rgb(242, 200, 72), light = Rgb(255, 240, 168),
                 dark = Rgb(196, 146, 40);
  static constexpr std::array<int, 8> kDistance = {28, 25, 22, 20, 18, 16, 15, 14};  // fast, then settling
  const int R = kDistance[static_cast<size_t>(f)] * kSub, arm = 9 * kSub, thick = 5 * kSub;

  Mask ring(frame.Width(), frame.Height());
  AddRing(ring, c, R + 4 * kSub, R + 4 * kSub, kSub * 2);
  Mask solid(frame.Width(), frame.Height());
  AddRing(solid, c, 8 * kSub, 8 * kSub, 3 * kSub);
  AddEllipse(solid, c, 2 * kSub, 2 * kSub);
  for (int k = 0; k < 4; ++k) {  // chevron pointing inward, its tip R from the centre
    const int turn = k * 16;
    AddPolygon(solid, {Turn(c, R, 0, turn), Turn(c, R + arm, -arm, turn), Turn(c, R + arm + thick, -arm, turn),
                       Turn(c, R + thick, 0, turn), Turn(c, R + arm + thick, arm, turn), Turn(c, R + arm, arm, turn)});
  }
  const Mask ringOnly = ring.Minus(solid);
  frame.Paint(ringOnly.Border().Minus(solid), outline);
  frame.Paint(ringOnly, dark);
  frame.Paint(solid.Border(), outline);
  // Lit edge toward the upper left, gold body, a darker gold edge toward the lower right.
  const Mask inner = solid.Eroded();
  frame.Paint(solid.Minus(inner), [&](int x, int y) { return Centre(x) - c.x + Centre(y) - c.y < 0 ? light : dark; });
  frame.Paint(inner, gold);
  return frame;
}

// ---- Action symbol ------------------------------------------------------------------------

// A white arrow pointing up at the unit above it; the second frame sits lower so it bobs.
Frame ActionFrame(int f) {
  Frame frame(52, 74, kShadowKey);
  const int dy = f * 6 * kSub;
  auto P = [&](int x, int y) { return Pt{x * kSub, y * kSub + dy}; };
  Mask arrow(frame.Width(), frame.Height());
  AddPolygon(arrow, {P(26, 4), P(47, 27), P(35, 27), P(35, 62), P(17, 62), P(17, 27), P(5, 27)});
  const Mask inner = arrow.Eroded();
  frame.Paint(arrow.Border(), Rgb(34, 30, 46));  // a two-pixel outline, readable at half opacity
  frame.Paint(arrow.Minus(inner), Rgb(34, 30, 46));
  // Bevel: the right-hand third of the arrow is a cool grey.
  frame.Paint(inner, [&](int x, int) { return x >= 28 ? Rgb(206, 212, 228) : Rgb(255, 255, 255); });
  return frame;
}

// ---- Respawn sparkle ----------------------------------------------------------------------

struct Spark {
  int angle;   // 0..63 around the unit's feet
  int radius;  // start distance from the centre, pixels
  int rise;    // pixels per frame upward
  int phase;   // twinkle offset
  bool gold;
};

std::vector<Spark> MakeSparks() {
  Lcg lcg(0x5EED5);
  std::vector<Spark> sparks;
  for (int i = 0; i < 12; ++i) {
    sparks.push_back({i * 64 / 12 + lcg.Below(3), 5 + lcg.Below(8), 1 + lcg.Below(3), lcg.Below(3), i % 3 == 0});
  }
  return sparks;
}

// A ground ring spreads from the unit's feet (the frame centre), a beam of light shrinks away
// and sparks drift up, twinkling; the engine fades the whole over the nine frames.
Frame RespawnFrame(int f, const std::vector<Spark>& sparks) {
  Frame frame(63, 63, kShadowKey);
  const Pt c{Centre(31), Centre(31)};
  const uint32_t white = Rgb(250, 255, 255), cyan = Rgb(120, 232, 244), deep = Rgb(48, 170, 210),
                 gold = Rgb(255, 222, 110);

  Mask ring(frame.Width(), frame.Height());
  const int rx = (14 + f * 5) * kSub / 2, ry = rx * 5 / 9;
  AddRing(ring, c, rx, ry, kSub * (f < 5 ? 3 : 2));
  frame.Paint(ring, [&](int, int y) { return Centre(y) < c.y ? deep : cyan; });

  // The beam: a column of light rising from the feet, rounded on top, narrowing as it fades.
  static constexpr std::array<int, 9> kHalfWidth = {4, 6, 5, 4, 3, 2, 1, 0, 0};
  static constexpr std::array<int, 9> kHeight = {20, 28, 29, 28, 26, 23, 19, 0, 0};
  const int half = kHalfWidth[static_cast<size_t>(f)] * kSub, height = kHeight[static_cast<size_t>(f)] * kSub;
  if (height > 0) {
    const Pt top{c.x, c.y - height + half};
    Mask beam(frame.Width(), frame.Height());
    beam.Add([&](int x, int y) {
      return (y <= c.y && y >= top.y && std::abs(x - c.x) <= half) || InEllipse(top, half, half, x, y);
    });
    Mask glow(frame.Width(), frame.Height());
    AddEllipse(glow, c, half + 4 * kSub, (half + 4 * kSub) * 5 / 9);
    frame.Paint(glow.Minus(ring), cyan);
    frame.Paint(beam.Minus(beam.Eroded()), cyan);
    frame.Paint(beam.Eroded(), white);
  }

  for (const Spark& s : sparks) {
    const int radius = (s.radius + f * 2) * kSub;
    const Pt at = {c.x + radius * Cos64(s.angle) / 1024,
                   c.y + radius * Sin64(s.angle) * 5 / 9 / 1024 - s.rise * f * kSub};
    const int x = at.x / kSub, y = at.y / kSub;
    const int size = (f + s.phase) % 3;  // 0: dot, 1: small cross, 2: long cross
    const uint32_t arms = s.gold ? gold : cyan;
    if (size >= 1) {
      frame.Set(x - 1, y, arms), frame.Set(x + 1, y, arms), frame.Set(x, y - 1, arms), frame.Set(x, y + 1, arms);
    }
    if (size == 2) {
      frame.Set(x - 2, y, arms), frame.Set(x + 2, y, arms), frame.Set(x, y - 2, arms), frame.Set(x, y + 2, arms);
      frame.Set(x, y - 3, arms), frame.Set(x, y + 3, arms);
    }
    frame.Set(x, y, white);
  }
  return frame;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path project = argc > 1 ? argv[1] : "Projects/Demo";
  const std::filesystem::path system = project / "Graphics" / "System";
  const std::vector<Spark> sparks = MakeSparks();
  const bool ok = WriteSheet(system / "info_icon.bmp", {InfoIcon()}) &&
                  WriteSheet(project / "Graphics" / "Sprites_bots_units" / "alert_bot.bmp", {AlertIcon()}) &&
                  WriteSheet(system / "pointer.bmp", Frames(8, PointerFrame)) &&
                  WriteSheet(system / "action_symbol.bmp", Frames(2, ActionFrame)) &&
                  WriteSheet(system / "Respawn_fx.bmp", Frames(9, [&](int f) { return RespawnFrame(f, sparks); }));
  if (!ok) {
    std::fprintf(stderr, "demo_system_graphics_generator: could not write the graphics under %s\n",
                 project.string().c_str());
    return 1;
  }
  std::printf("demo system graphics written to %s\n", project.string().c_str());
  return 0;
}
