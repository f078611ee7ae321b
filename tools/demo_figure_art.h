// The demo's people drawn by code: a standing or walking figure seen from above at three
// quarters, turned to one of eight directions. Body parts are placed in the figure's own frame
// (sideways, forwards, height above the ground), projected onto the screen with the ground's
// depth squashed by half, and painted far to near; each part is lit from the upper left, the head
// is shaded as a sphere with hair, helmet or hood where it faces, and a dark outline round the
// whole keeps the figure readable on any ground. A shadow in the sheet's shadow key lies under
// the feet. Integer arithmetic only, so every machine draws the same bytes.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "demo_map_art.h"
#include "demo_sprite_art.h"

namespace demo_figure {

using demo_art::Mix;
using demo_art::Rgb;
using demo_art::Shade;
using demo_sprite::AddCapsule;
using demo_sprite::AddEllipse;
using demo_sprite::AddPolygon;
using demo_sprite::Frame;
using demo_sprite::kSub;
using demo_sprite::Mask;
using demo_sprite::PaintPart;
using demo_sprite::Pt;

constexpr int kFrameSize = 64;
constexpr int kGroundY = 58;  // the feet stand on this row of the frame
constexpr int kCentreX = 32;

enum class Head { ShortHair, LongHair, Helmet, Hood, Hat };

struct Look {
  uint32_t skin, hair, shirt, legs, shoes, accent;
  Head head;
  bool skirt;  // a skirt over the legs instead of trousers
  bool beard;
  int build = 0;  // extra half-width of the shoulders, pixels
};

// What one frame shows: the direction faced (eighths of a turn: 0 toward the viewer, 2 right,
// 4 away, 6 left), the stride, the body's bob, and optionally a raised right hand.
struct Pose {
  int facing = 0;
  int swing = 0;      // forward offset of the right foot, pixels (the left foot mirrors it)
  int bob = 0;        // pixels the upper body sinks
  int handRaise = 0;  // 0 hand down; above 0 the right hand rises that many pixels
  int handSide = 0;   // sideways offset of a raised hand, pixels (waving)
};

inline int ISqrt(int64_t v) {
  if (v <= 0) return 0;
  int64_t r = 0;
  while ((r + 1) * (r + 1) <= v) ++r;
  return static_cast<int>(r);
}

// The figure's frame for one facing: forward F and sideways S in ground coordinates (x to the
// right, z toward the viewer), times 1024.
struct Axes {
  int fx, fz, sx, sz;
  explicit Axes(int facing) {
    const int turn = facing * 8;  // 64ths of a turn
    fx = demo_sprite::Sin64(turn), fz = demo_sprite::Cos64(turn);
    sx = fz, sz = -fx;
  }
};

// A point of the figure (u sideways, v forwards, h height; 1/16 pixels) on the screen, with its
// depth toward the viewer.
struct Projected {
  Pt at;
  int depth;
};

inline Projected Project(const Axes& a, int u, int v, int h) {
  const int x = (u * a.sx + v * a.fx) / 1024;
  const int z = (u * a.sz + v * a.fz) / 1024;
  return {{kCentreX * kSub + x, kGroundY * kSub - h + z / 2}, z};
}

class FigurePainter {
 public:
  FigurePainter(const Look& look, const Pose& pose) : look_(look), pose_(pose), axes_(pose.facing) {}

  Frame Draw(uint32_t shadowKey) {
    Frame frame(kFrameSize, kFrameSize, shadowKey);
    Mask shadow(kFrameSize, kFrameSize);
    AddEllipse(shadow, {kCentreX * kSub, kGroundY * kSub}, 13 * kSub, 5 * kSub);
    frame.PaintShadow(shadow);

    // Parts far to near; the head always last, it sits on top of everything else.
    std::vector<std::pair<int, std::function<void()>>> parts;
    Mask body(kFrameSize, kFrameSize);
    for (int side : {-1, 1}) {
      parts.push_back({LegDepth(side), [this, side, &frame, &body] { Leg(frame, body, side); }});
      parts.push_back({ArmDepth(side), [this, side, &frame, &body] { Arm(frame, body, side); }});
    }
    parts.push_back({0, [this, &frame, &body] { Torso(frame, body); }});
    if (look_.head == Head::LongHair) {
      // Long hair hangs behind the shoulders, or over the back when the figure walks away.
      parts.push_back({axes_.fz < 0 ? 1 : -1, [this, &frame, &body] { Mane(frame, body); }});
    }
    std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& part : parts) part.second();
    HeadPart(frame, body);

    frame.Paint(body.Border(), demo_sprite::kOutline);
    return frame;
  }

 private:
  static constexpr int kHip = 19 * kSub, kShoulder = 34 * kSub, kHeadCentre = 44 * kSub;

  int Bob() const { return pose_.bob * kSub; }

  int LegDepth(int side) const { return Project(axes_, side * 4 * kSub, side * pose_.swing * kSub, 0).depth; }
  int ArmDepth(int side) const {
    return Project(axes_, side * 9 * kSub, -side * pose_.swing * kSub, kShoulder).depth +
           (side == 1 && pose_.handRaise ? 2 : 0);
  }

  void Leg(Frame& frame, Mask& body, int side) {
    const int u = side * 4 * kSub, v = side * pose_.swing * kSub;
    const Pt hip = Project(axes_, u, 0, kHip - Bob()).at;
    const Pt foot = Project(axes_, u, v, 3 * kSub).at;
    Mask leg(kFrameSize, kFrameSize);
    AddCapsule(leg, hip, foot, 3 * kSub);
    PaintPart(frame, body, leg, look_.skirt ? Shade(look_.skin, -18) : look_.legs);
    Mask shoe(kFrameSize, kFrameSize);
    const Pt toe = Project(axes_, u, v + 2 * kSub, 2 * kSub).at;
    AddCapsule(shoe, Project(axes_, u, v - kSub, 2 * kSub).at, toe, 2 * kSub + kSub / 2);
    PaintPart(frame, body, shoe, look_.shoes);
  }

  void Arm(Frame& frame, Mask& body, int side) {
    const Pt shoulder = Project(axes_, side * (8 + look_.build) * kSub, 0, kShoulder - Bob()).at;
    Pt hand;
    if (side == 1 && pose_.handRaise > 0) {
      // A raised hand, seen from the front: beside the head, moved sideways to wave.
      hand = {shoulder.x + (3 + pose_.handSide) * kSub, shoulder.y - pose_.handRaise * kSub};
    } else {
      hand = Project(axes_, side * (9 + look_.build) * kSub, -side * pose_.swing * kSub * 3 / 4, 20 * kSub - Bob()).at;
    }
    const Pt elbow = {(shoulder.x + hand.x) / 2, (shoulder.y + hand.y) / 2};
    Mask sleeve(kFrameSize, kFrameSize);
    AddCapsule(sleeve, shoulder, elbow, 3 * kSub);
    Mask forearm(kFrameSize, kFrameSize);
    AddCapsule(forearm, elbow, hand, 2 * kSub + kSub / 2);
    PaintPart(frame, body, sleeve, Shade(look_.shirt, -10));
    PaintPart(frame, body, forearm, look_.head == Head::Helmet ? Shade(look_.shirt, -30) : look_.skin);
    Mask fist(kFrameSize, kFrameSize);
    AddEllipse(fist, hand, 2 * kSub + kSub / 2, 2 * kSub + kSub / 2);
    PaintPart(frame, body, fist, look_.head == Head::Helmet ? look_.accent : look_.skin);
  }

  // Half the width on screen of a cross-section with half-extents a (sideways) and b (forwards).
  int HalfWidth(int a, int b) const {
    return ISqrt(static_cast<int64_t>(a) * a * axes_.sx / 1024 * axes_.sx / 1024 +
                 static_cast<int64_t>(b) * b * axes_.fx / 1024 * axes_.fx / 1024);
  }

  void Torso(Frame& frame, Mask& body) {
    const int top = kGroundY * kSub - kShoulder - kSub + Bob(), waist = kGroundY * kSub - kHip + Bob();
    const int shoulders = HalfWidth((8 + look_.build) * kSub, 6 * kSub), hips = HalfWidth(6 * kSub, 5 * kSub);
    const int cx = kCentreX * kSub;
    Mask torso(kFrameSize, kFrameSize);
    AddPolygon(torso, {{cx - shoulders, top + 2 * kSub},
                       {cx + shoulders, top + 2 * kSub},
                       {cx + hips, waist + kSub},
                       {cx - hips, waist + kSub}});
    AddEllipse(torso, {cx, top + 3 * kSub}, shoulders, 3 * kSub);
    if (look_.skirt) {
      AddPolygon(torso, {{cx - hips, waist - 2 * kSub},
                         {cx + hips, waist - 2 * kSub},
                         {cx + hips + 4 * kSub, waist + 9 * kSub},
                         {cx - hips - 4 * kSub, waist + 9 * kSub}});
    }
    PaintPart(frame, body, torso, look_.shirt);
    // Belt, and a front placket in the accent colour where the chest faces the viewer.
    Mask belt(kFrameSize, kFrameSize);
    belt.Add([&](int x, int y) { return torso.At(x / kSub, y / kSub) && y >= waist - kSub && y < waist + kSub; });
    frame.Paint(belt, Shade(look_.shoes, 10));
    if (axes_.fz > 300) {
      const int front = cx + 5 * kSub * axes_.fx / 1024;
      const Mask inside = torso.Eroded();
      Mask placket(kFrameSize, kFrameSize);
      placket.Add([&](int x, int y) {
        return inside.At(x / kSub, y / kSub) && std::abs(x - front) <= kSub && y > top + 3 * kSub && y < waist - kSub;
      });
      frame.Paint(placket, look_.accent);
    }
    // The neck.
    Mask neck(kFrameSize, kFrameSize);
    neck.Rect(kCentreX - 2, (top - 2 * kSub) / kSub, kCentreX + 1, top / kSub + 1);
    PaintPart(frame, body, neck, Shade(look_.skin, -20));
  }

  void Mane(Frame& frame, Mask& body) {
    const int cx = kCentreX * kSub - 3 * kSub * axes_.fx / 1024, top = kGroundY * kSub - kHeadCentre + Bob();
    Mask mane(kFrameSize, kFrameSize);
    AddEllipse(mane, {cx, top + 6 * kSub}, 8 * kSub, 9 * kSub);
    PaintPart(frame, body, mane, Shade(look_.hair, -12));
  }

  // The head as a lit sphere: each pixel's normal in the figure's frame decides hair or skin,
  // the eyes sit where the face looks out.
  void HeadPart(Frame& frame, Mask& body) {
    const Pt c{kCentreX * kSub, kGroundY * kSub - kHeadCentre + Bob()};
    const int r = 8 * kSub;
    Mask head(kFrameSize, kFrameSize);
    AddEllipse(head, c, r, r);
    if (look_.head == Head::Hat) AddEllipse(head, {c.x, c.y - 3 * kSub}, 12 * kSub, 4 * kSub);  // the brim
    const uint32_t eye = Rgb(34, 26, 30);
    frame.Paint(head, [&](int px, int py) {
      const int dx = demo_sprite::Centre(px) - c.x, dy = demo_sprite::Centre(py) - c.y;
      const int nx = std::clamp(dx * 1024 / r, -1024, 1024), ny = std::clamp(-dy * 1024 / r, -1024, 1024);
      if (nx * nx + ny * ny > 1024 * 1024) return Shade(look_.accent, dy < -3 * kSub ? 14 : -18);  // the hat's brim
      const int nz = ISqrt(1024 * 1024 - nx * nx - ny * ny);
      const int forward = (nx * axes_.fx + nz * axes_.fz) / 1024, sideways = (nx * axes_.sx + nz * axes_.sz) / 1024;
      const int light = (ny / 2 - nx) / 24;  // brighter toward the upper left
      const bool top = ny > 380 + forward / 4, back = forward < -150;
      switch (look_.head) {
        case Head::Helmet:
          if (ny > -200 || back || std::abs(sideways) > 800) {
            if (forward > 300 && ny < 150 && ny > -200)
              return Mix(Rgb(200, 40, 30), Rgb(255, 140, 60), std::abs(sideways) / 4);
            return Shade(look_.hair, light);
          }
          break;
        case Head::Hood:
          if (ny > 250 || forward < 350) return Shade(look_.hair, light - 6);
          break;
        case Head::Hat:
          if (ny > 300) return Shade(look_.accent, light);
          break;
        case Head::ShortHair:
          if (top || (back && ny > -450)) return Shade(look_.hair, light);
          break;
        case Head::LongHair:
          if (top || back || (std::abs(sideways) > 780 && ny > -600)) return Shade(look_.hair, light);
          break;
      }
      if (look_.beard && forward > 300 && ny < -520) return Shade(look_.hair, light - 8);
      for (int side : {-1, 1}) {
        if (forward > 560 && std::abs(sideways - side * 330) < 80 && ny > -200 && ny < 60) return eye;
      }
      if (look_.head == Head::Hood) return Shade(look_.skin, light - 40);  // the face in the hood's shade
      return Shade(look_.skin, light);
    });
    body.Join(head);
  }

  const Look& look_;
  Pose pose_;
  Axes axes_;
};

inline Frame DrawFigure(const Look& look, const Pose& pose, uint32_t shadowKey) {
  return FigurePainter(look, pose).Draw(shadowKey);
}

// The rows of a character sheet, in the order of the direction keys: up, down, right-up,
// left-up, right-down, left-down, right, left; each row walks four frames.
constexpr int kWalkFrames = 4;
constexpr std::array<int, 8> kRowFacing = {4, 0, 3, 5, 1, 7, 2, 6};

inline std::vector<Frame> WalkingSheet(const Look& look, uint32_t shadowKey) {
  static constexpr std::array<int, kWalkFrames> kSwing = {0, 5, 0, -5};
  static constexpr std::array<int, kWalkFrames> kBob = {0, 1, 0, 1};
  std::vector<Frame> frames;
  for (int facing : kRowFacing) {
    for (int f = 0; f < kWalkFrames; ++f) {
      Pose pose;
      pose.facing = facing;
      pose.swing = kSwing[static_cast<size_t>(f)];
      pose.bob = kBob[static_cast<size_t>(f)];
      frames.push_back(DrawFigure(look, pose, shadowKey));
    }
  }
  return frames;
}

}  // namespace demo_figure
