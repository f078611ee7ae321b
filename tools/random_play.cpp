// Writes random play as a headless input file: pointer moves, clicks and drags with every button,
// keys, wheel turns, menu commands and close requests, spread over a given stretch of virtual
// time. The same seed always gives the same file, so a long random game that goes wrong can be
// played again exactly.
//
// Usage: random_play --seed N --seconds S [--window WxH] > input.txt
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace {

// A small generator of our own (splitmix64), independent of the C library and of the game's.
class Draw {
 public:
  explicit Draw(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number from lo to hi, both included.
  int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
  bool OneIn(int n) { return Between(1, n) == 1; }

 private:
  uint64_t state_;
};

constexpr int kQuietMargin = 64;
constexpr int kQuietBottom = 104;

struct Play {
  Play(uint64_t seed, int w, int h) : draw(seed), width(w), height(h) {}

  Draw draw;
  int width;
  int height;
  uint64_t ms = 0;
  int x = 0;
  int y = 0;
  std::string out;

  void Line(const std::string& event) { out += std::to_string(ms) + " " + event + "\n"; }
  void Later(int lo, int hi) { ms += static_cast<uint64_t>(draw.Between(lo, hi)); }
  std::string At() const {
    std::string at = " ";
    at += std::to_string(x);
    at += ' ';
    at += std::to_string(y);
    return at;
  }

  // Anywhere in the client area but the bands along its edges where a resting pointer scrolls
  // the view: a view that drifts away from the squad would leave nothing to do.
  void PickPoint() {
    x = draw.Between(kQuietMargin, width - 1 - kQuietMargin);
    y = draw.Between(kQuietMargin, height - 1 - kQuietBottom);
  }
  void BackToMiddle() {
    x = draw.Between(width / 4, width * 3 / 4);
    y = draw.Between(height / 4, height * 3 / 4);
    Line("move" + At());
  }

  // The pointer rests on an edge for a moment, so the view scrolls, and comes back.
  void Scroll() {
    const bool sideways = draw.OneIn(2);
    PickPoint();
    if (sideways) x = draw.OneIn(2) ? draw.Between(0, 3) : draw.Between(width - 4, width - 1);
    if (!sideways) y = draw.OneIn(2) ? draw.Between(0, 3) : draw.Between(height - 4, height - 1);
    Line("move" + At());
    Later(30, 250);
    BackToMiddle();
  }

  void Click(const char* button) {
    PickPoint();
    Line("move" + At());
    Line(std::string(button) + "down" + At());
    Later(20, 150);
    Line(std::string(button) + "up" + At());
  }

  void Drag() {
    PickPoint();
    Line("ldown" + At());
    for (int steps = draw.Between(1, 6); steps > 0; --steps) {
      Later(10, 120);
      PickPoint();
      Line("move" + At());
    }
    Later(10, 120);
    Line("lup" + At());
  }

  // A box over most of the view: whoever of the squad is in sight is selected.
  void SelectInSight() {
    x = draw.Between(0, width / 8);
    y = draw.Between(0, height / 8);
    Line("move" + At());
    Line("ldown" + At());
    Later(30, 200);
    x = draw.Between(width * 7 / 8, width - 1);
    y = draw.Between(height * 7 / 8, height - 1);
    Line("move" + At());
    Line("lup" + At());
    BackToMiddle();
  }

  void Key() {
    static const std::vector<std::string> kNamed = {"Z", "X", "M", "F", "ESC", "SPACE", "ENTER", "F1", "F5", "F9"};
    if (draw.OneIn(3)) {
      std::string line = "key ";
      line += static_cast<char>(draw.OneIn(4) ? '0' + draw.Between(0, 9) : 'A' + draw.Between(0, 25));
      Line(line);
    } else {
      Line("key " + kNamed[static_cast<size_t>(draw.Between(0, static_cast<int>(kNamed.size()) - 1))]);
    }
  }

  void Menu() {
    static const std::vector<int> kIds = {app::kMenuQuit,      app::kMenuSaveGame,     app::kMenuLoadGame,
                                          app::kMenuAboutGame, app::kMenuGameControls, app::kMenuAboutEngine,
                                          app::kMenuWebsite};
    Line("menu " + std::to_string(kIds[static_cast<size_t>(draw.Between(0, static_cast<int>(kIds.size()) - 1))]));
  }

  // One thing a restless player does, chosen by weight.
  void Act() {
    const int roll = draw.Between(1, 100);
    if (roll <= 29) {
      PickPoint();
      Line("move" + At());
    } else if (roll <= 30) {
      Scroll();
    } else if (roll <= 40) {
      Click("l");
    } else if (roll <= 46) {
      Drag();
    } else if (roll <= 53) {
      SelectInSight();
    } else if (roll <= 70) {
      Click("r");
    } else if (roll <= 75) {
      Click("m");
    } else if (roll <= 92) {
      Key();
    } else if (roll <= 97) {
      Line(draw.OneIn(2) ? "wheel 120" : "wheel -120");
    } else if (roll <= 99) {
      Menu();
    } else {
      Line("close");
    }
  }
};

bool ParseWindow(const std::string& text, int& width, int& height) {
  return std::sscanf(text.c_str(), "%dx%d", &width, &height) == 2 && width > 4 * kQuietMargin &&
         height > 4 * kQuietBottom && width <= 8192 && height <= 8192;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t seed = 1;
  long seconds = 60;
  int width = 1280;
  int height = 832;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--seed") {
      seed = std::strtoull(value.c_str(), nullptr, 10);
    } else if (option == "--seconds") {
      seconds = std::strtol(value.c_str(), nullptr, 10);
    } else if (option == "--window" && ParseWindow(value, width, height)) {
    } else {
      std::fprintf(stderr, "usage: random_play --seed N --seconds S [--window WxH]\n");
      return 2;
    }
  }
  if ((argc - 1) % 2 != 0 || seconds < 1 || seconds > 24 * 3600) {
    std::fprintf(stderr, "usage: random_play --seed N --seconds S (1 to 86400) [--window WxH]\n");
    return 2;
  }
  Play play(seed, width, height);
  play.out = "# random play: seed " + std::to_string(seed) + ", " + std::to_string(seconds) + " s\n";
  const uint64_t end = static_cast<uint64_t>(seconds) * 1000;
  for (play.Later(50, 400); play.ms < end; play.Later(30, 600)) play.Act();
  std::fwrite(play.out.data(), 1, play.out.size(), stdout);
  return 0;
}
