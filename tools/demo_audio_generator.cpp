// Writes the demo project's sounds into Projects/Demo/Sounds:
// - demo_theme.mid, the background tune: a calm 16-bar General MIDI piece in D minor (flute
//   melody, harp arpeggios, warm pad, bass and a soft shaker) that ends on the dominant so that
//   it loops back to its first bar smoothly;
// - the engine's sound effects (fire1.wav, explosion1.wav, ...), short synthesized WAV files.
//
// Everything is written from the tables below (noise comes from a fixed-seed generator), so
// every run produces the same bytes.
// Usage: demo_audio_generator [sounds folder]

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerEighth = kTicksPerQuarter / 2;
constexpr int kTicksPerBar = kTicksPerQuarter * 4;
constexpr int kBeatsPerMinute = 92;
constexpr int kBars = 16;
constexpr uint8_t kDrumChannel = 9;

// ---- Standard MIDI file writing -------------------------------------------------------------

struct Event {
  int tick = 0;
  int order = 0;  // at the same tick: note-offs (0) before set-up (1) before note-ons (2)
  std::vector<uint8_t> bytes;
};

class Track {
 public:
  void Add(int tick, int order, std::vector<uint8_t> bytes) { events_.push_back({tick, order, std::move(bytes)}); }
  void Meta(int tick, uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes{0xFF, type};
    AppendVarLen(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    Add(tick, 1, std::move(bytes));
  }
  void Name(const std::string& name) { Meta(0, 0x03, std::vector<uint8_t>(name.begin(), name.end())); }
  void Program(uint8_t channel, uint8_t program) { Add(0, 1, {static_cast<uint8_t>(0xC0 | channel), program}); }
  void Control(uint8_t channel, uint8_t controller, uint8_t value) {
    Add(0, 1, {static_cast<uint8_t>(0xB0 | channel), controller, value});
  }
  void Note(uint8_t channel, int tick, int length, uint8_t pitch, uint8_t velocity) {
    Add(tick, 2, {static_cast<uint8_t>(0x90 | channel), pitch, velocity});
    Add(tick + length, 0, {static_cast<uint8_t>(0x80 | channel), pitch, 0});
  }

  // The track chunk: events in time order (stable, so equal keys keep their insertion order),
  // closed by an end-of-track event at the end of the last bar.
  std::vector<uint8_t> Chunk(int endTick) const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    int now = 0;
    for (const Event& event : sorted) {
      AppendVarLen(body, static_cast<uint32_t>(event.tick - now));
      body.insert(body.end(), event.bytes.begin(), event.bytes.end());
      now = event.tick;
    }
    AppendVarLen(body, static_cast<uint32_t>(std::max(0, endTick - now)));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
    AppendBigEndian(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
  }

  static void AppendVarLen(std::vector<uint8_t>& out, uint32_t value) {
    std::array<uint8_t, 5> groups{};
    int count = 0;
    do {
      groups[static_cast<std::size_t>(count++)] = static_cast<uint8_t>(value & 0x7F);
      value >>= 7;
    } while (value != 0);
    for (int i = count - 1; i >= 0; --i) {
      out.push_back(static_cast<uint8_t>(groups[static_cast<std::size_t>(i)] | (i > 0 ? 0x80 : 0)));
    }
  }

  static void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

 private:
  std::vector<Event> events_;
};

std::vector<uint8_t> MidiFile(const std::vector<Track>& tracks, int endTick) {
  std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};  // format 1
  Track::AppendBigEndian(file, static_cast<uint32_t>(tracks.size()), 2);
  Track::AppendBigEndian(file, kTicksPerQuarter, 2);
  for (const Track& track : tracks) {
    std::vector<uint8_t> chunk = track.Chunk(endTick);
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  return file;
}

// ---- The piece ------------------------------------------------------------------------------

struct Chord {
  int root;                  // pitch class, C = 0
  std::array<int, 3> tones;  // pitch classes of the triad, root first
};

constexpr Chord kDm{2, {2, 5, 9}};
constexpr Chord kBb{10, {10, 2, 5}};
constexpr Chord kF{5, {5, 9, 0}};
constexpr Chord kC{0, {0, 4, 7}};
constexpr Chord kGm{7, {7, 10, 2}};
constexpr Chord kA{9, {9, 1, 4}};
constexpr Chord kAm{9, {9, 0, 4}};

constexpr std::array<Chord, kBars> kHarmony{kDm, kBb, kF, kC, kDm, kBb, kGm, kA, kBb, kC, kAm, kDm, kBb, kC, kGm, kA};

struct MelodyNote {
  int pitch;    // MIDI note number; 0 is a rest
  int eighths;  // length
};

// Each bar's notes fill exactly eight eighths.
const std::array<std::vector<MelodyNote>, kBars> kMelody{{
    {{69, 2}, {74, 2}, {77, 3}, {76, 1}},
    {{74, 4}, {72, 2}, {70, 2}},
    {{69, 3}, {72, 1}, {77, 2}, {69, 2}},
    {{76, 2}, {74, 2}, {72, 4}},
    {{69, 2}, {74, 2}, {77, 2}, {81, 2}},
    {{79, 3}, {77, 1}, {74, 4}},
    {{70, 2}, {74, 2}, {79, 2}, {77, 2}},
    {{76, 4}, {73, 4}},
    {{77, 3}, {74, 1}, {70, 4}},
    {{79, 3}, {76, 1}, {72, 4}},
    {{81, 2}, {79, 2}, {76, 2}, {72, 2}},
    {{74, 6}, {0, 2}},
    {{74, 2}, {77, 2}, {82, 3}, {81, 1}},
    {{79, 2}, {76, 2}, {72, 2}, {76, 2}},
    {{74, 3}, {70, 1}, {67, 2}, {70, 2}},
    {{76, 2}, {73, 2}, {69, 4}},
}};

// The lowest pitch of the pitch class at or above `floor`.
int PitchAtOrAbove(int pitchClass, int floor) {
  int pitch = floor + ((pitchClass - floor) % 12 + 12) % 12;
  return pitch;
}

Track Conductor() {
  Track track;
  track.Name("The Sunken Valley");
  const uint32_t microsPerQuarter = 60000000u / kBeatsPerMinute;
  track.Meta(0, 0x51,
             {static_cast<uint8_t>(microsPerQuarter >> 16), static_cast<uint8_t>(microsPerQuarter >> 8),
              static_cast<uint8_t>(microsPerQuarter)});
  track.Meta(0, 0x58, {4, 2, 24, 8});  // 4/4
  track.Meta(0, 0x59, {0xFF, 1});      // one flat, minor: D minor
  return track;
}

// A named track for one channel with its instrument, volume, pan and a little reverb.
Track Instrument(const std::string& name, uint8_t channel, uint8_t program, uint8_t volume, uint8_t pan) {
  Track track;
  track.Name(name);
  if (channel != kDrumChannel) track.Program(channel, program);
  track.Control(channel, 7, volume);
  track.Control(channel, 10, pan);
  track.Control(channel, 91, 60);
  return track;
}

const Chord& ChordOfBar(int bar) { return kHarmony[static_cast<std::size_t>(bar)]; }

Track Melody() {
  Track track = Instrument("Flute", 0, 73, 100, 64);
  for (int bar = 0; bar < kBars; ++bar) {
    int tick = bar * kTicksPerBar;
    for (const MelodyNote& note : kMelody[static_cast<std::size_t>(bar)]) {
      const int length = note.eighths * kTicksPerEighth;
      // Slightly detached notes; the second half of the tune sings a little louder.
      if (note.pitch != 0) {
        track.Note(0, tick, length - 24, static_cast<uint8_t>(note.pitch), bar < 8 ? 84 : 92);
      }
      tick += length;
    }
  }
  return track;
}

Track Arpeggio() {
  Track track = Instrument("Harp", 1, 46, 80, 40);
  constexpr std::array<int, 8> kPattern{0, 1, 2, 3, 4, 3, 2, 1};
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& chord = ChordOfBar(bar);
    const int root = PitchAtOrAbove(chord.root, 50);
    const std::array<int, 5> tones{root, PitchAtOrAbove(chord.tones[1], root), PitchAtOrAbove(chord.tones[2], root),
                                   root + 12, PitchAtOrAbove(chord.tones[1], root) + 12};
    for (int step = 0; step < 8; ++step) {
      const int tick = bar * kTicksPerBar + step * kTicksPerEighth;
      const uint8_t velocity = step == 0 ? 70 : 56;
      // Each note rings into the next step, the last one only to the end of the bar.
      const int length = step == 7 ? kTicksPerEighth : kTicksPerEighth * 2;
      const auto tone = static_cast<std::size_t>(kPattern[static_cast<std::size_t>(step)]);
      track.Note(1, tick, length, static_cast<uint8_t>(tones[tone]), velocity);
    }
  }
  return track;
}

Track Pad() {
  Track track = Instrument("Warm pad", 2, 89, 70, 88);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& chord = ChordOfBar(bar);
    for (int tone : chord.tones) {
      track.Note(2, bar * kTicksPerBar, kTicksPerBar - 10, static_cast<uint8_t>(PitchAtOrAbove(tone, 57)), 48);
    }
  }
  return track;
}

Track Bass() {
  Track track = Instrument("Bass", 3, 32, 95, 64);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& chord = ChordOfBar(bar);
    const int root = PitchAtOrAbove(chord.root, 33);
    const int fifth = PitchAtOrAbove(chord.tones[2], root);
    const int start = bar * kTicksPerBar;
    track.Note(3, start, 3 * kTicksPerEighth, static_cast<uint8_t>(root), 84);
    track.Note(3, start + 3 * kTicksPerEighth, kTicksPerEighth, static_cast<uint8_t>(root), 64);
    track.Note(3, start + 4 * kTicksPerEighth, 2 * kTicksPerEighth, static_cast<uint8_t>(fifth), 74);
    track.Note(3, start + 6 * kTicksPerEighth, 2 * kTicksPerEighth, static_cast<uint8_t>(root + 12), 70);
  }
  return track;
}

Track Percussion() {
  Track track = Instrument("Shaker", kDrumChannel, 0, 70, 72);
  constexpr uint8_t kShaker = 70;   // maracas
  constexpr uint8_t kKick = 36;     // bass drum
  constexpr uint8_t kRimShot = 37;  // side stick
  for (int bar = 0; bar < kBars; ++bar) {
    const int start = bar * kTicksPerBar;
    for (int step = 0; step < 8; ++step) {
      track.Note(kDrumChannel, start + step * kTicksPerEighth, 60, kShaker, step % 2 == 0 ? 40 : 30);
    }
    if (bar >= 4) {  // the beat joins once the tune has been heard once
      track.Note(kDrumChannel, start, 120, kKick, 60);
      track.Note(kDrumChannel, start + 4 * kTicksPerEighth + kTicksPerEighth, 120, kKick, 44);
      track.Note(kDrumChannel, start + 2 * kTicksPerEighth, 120, kRimShot, 38);
      track.Note(kDrumChannel, start + 6 * kTicksPerEighth, 120, kRimShot, 38);
    }
  }
  return track;
}

// ---- Sound effects ---------------------------------------------------------------------------

constexpr int kSampleRate = 22050;

enum class Wave { Sine, Square, Noise };

// One piece of an effect: a tone gliding from one frequency to another under a decaying
// envelope. An effect is a few pieces played one after the other.
struct Piece {
  double fromHz;
  double toHz;
  double seconds;
  Wave wave;
  double volume;  // 0..1
};

struct Effect {
  const char* fileName;
  std::vector<Piece> pieces;
};

// Fixed-seed noise, the same on every run and every system.
class Noise {
 public:
  double Next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<double>((state_ >> 8) & 0xFFFF) / 32767.5 - 1.0;
  }

 private:
  uint32_t state_ = 1;
};

std::vector<int16_t> Synthesize(const Effect& effect) {
  constexpr double kTwoPi = 6.283185307179586;
  std::vector<int16_t> samples;
  Noise noise;
  double phase = 0.0, smoothed = 0.0;
  for (const Piece& piece : effect.pieces) {
    const int count = static_cast<int>(piece.seconds * kSampleRate);
    for (int i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / count;
      const double hz = piece.fromHz + (piece.toHz - piece.fromHz) * t;
      phase = std::fmod(phase + hz / kSampleRate, 1.0);
      double value = 0.0;
      switch (piece.wave) {
        case Wave::Sine: value = std::sin(kTwoPi * phase); break;
        case Wave::Square: value = phase < 0.5 ? 0.9 : -0.9; break;
        case Wave::Noise:
          // Low-passed noise whose brightness follows the glide.
          smoothed += (noise.Next() - smoothed) * std::min(1.0, hz / kSampleRate * 6.0);
          value = smoothed * 2.0;
          break;
      }
      const double attack = std::min(1.0, i / (0.004 * kSampleRate));
      const double decay = (1.0 - t) * (1.0 - t);
      const double level = std::clamp(value * attack * decay * piece.volume, -1.0, 1.0);
      samples.push_back(static_cast<int16_t>(std::lround(level * 32000.0)));
    }
  }
  return samples;
}

void AppendLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A 16-bit mono PCM WAV file.
std::vector<uint8_t> WavFile(const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> file{'R', 'I', 'F', 'F'};
  AppendLittleEndian(file, 36 + dataBytes, 4);
  file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  AppendLittleEndian(file, 16, 4);
  AppendLittleEndian(file, 1, 2);  // PCM
  AppendLittleEndian(file, 1, 2);  // mono
  AppendLittleEndian(file, kSampleRate, 4);
  AppendLittleEndian(file, kSampleRate * 2, 4);
  AppendLittleEndian(file, 2, 2);
  AppendLittleEndian(file, 16, 2);
  file.insert(file.end(), {'d', 'a', 't', 'a'});
  AppendLittleEndian(file, dataBytes, 4);
  for (int16_t sample : samples) AppendLittleEndian(file, static_cast<uint16_t>(sample), 2);
  return file;
}

const std::vector<Effect>& Effects() {
  using W = Wave;
  static const std::vector<Effect> effects{
      {"fire1.wav", {{1400, 300, 0.16, W::Square, 0.5}, {3000, 800, 0.10, W::Noise, 0.4}}},
      {"fire2.wav", {{700, 150, 0.20, W::Square, 0.5}, {2000, 500, 0.10, W::Noise, 0.4}}},
      {"no_ammo.wav",
       {{1200, 1200, 0.03, W::Square, 0.4}, {0, 0, 0.05, W::Sine, 0}, {1000, 1000, 0.03, W::Square, 0.4}}},
      {"use_sword1.wav", {{800, 5000, 0.22, W::Noise, 0.8}}},
      {"give_object.wav", {{660, 660, 0.12, W::Sine, 0.7}, {880, 880, 0.22, W::Sine, 0.7}}},
      {"player_busted.wav",
       {{440, 440, 0.2, W::Square, 0.4}, {370, 370, 0.2, W::Square, 0.4}, {294, 280, 0.45, W::Square, 0.4}}},
      {"explosion1.wav", {{1500, 100, 0.55, W::Noise, 1.0}}},
      {"health_kit1.wav",
       {{523, 523, 0.08, W::Sine, 0.7}, {659, 659, 0.08, W::Sine, 0.7}, {784, 784, 0.2, W::Sine, 0.7}}},
      {"ammo_kit1.wav",
       {{2500, 2500, 0.04, W::Noise, 0.7}, {0, 0, 0.04, W::Sine, 0}, {2000, 2000, 0.06, W::Noise, 0.7}}},
      {"pickup_object.wav", {{500, 1100, 0.15, W::Sine, 0.7}}},
      {"action_alert.wav", {{880, 880, 0.12, W::Sine, 0.6}, {0, 0, 0.06, W::Sine, 0}, {880, 880, 0.12, W::Sine, 0.6}}},
      {"action_ok.wav", {{784, 784, 0.1, W::Sine, 0.7}, {1047, 1047, 0.22, W::Sine, 0.7}}},
      {"action_ng.wav", {{180, 170, 0.28, W::Square, 0.5}}},
      {"damage_player_m.wav", {{220, 140, 0.2, W::Square, 0.45}, {900, 300, 0.08, W::Noise, 0.4}}},
      {"damage_player_f.wav", {{480, 330, 0.2, W::Square, 0.4}, {1500, 500, 0.08, W::Noise, 0.4}}},
      {"damage_unit.wav", {{900, 200, 0.15, W::Noise, 0.8}}},
      {"death_player_m.wav", {{200, 70, 0.65, W::Square, 0.45}}},
      {"death_player_f.wav", {{420, 150, 0.65, W::Square, 0.4}}},
      {"death_unit.wav", {{300, 60, 0.5, W::Square, 0.4}, {1200, 100, 0.3, W::Noise, 0.6}}},
      {"respawn_fx.wav", {{300, 1200, 0.6, W::Sine, 0.7}}},
      {"alert_bot.wav",
       {{700, 700, 0.14, W::Square, 0.4}, {950, 950, 0.14, W::Square, 0.4}, {700, 700, 0.14, W::Square, 0.4}}},
      {"checkpoint.wav",
       {{523, 523, 0.1, W::Sine, 0.7},
        {659, 659, 0.1, W::Sine, 0.7},
        {784, 784, 0.1, W::Sine, 0.7},
        {1047, 1047, 0.35, W::Sine, 0.7}}},
  };
  return effects;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file) return true;
  std::fprintf(stderr, "demo_audio_generator: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "Projects/Demo/Sounds";
  const std::vector<Track> tracks{Conductor(), Melody(), Arpeggio(), Pad(), Bass(), Percussion()};
  if (!WriteFile(folder + "/demo_theme.mid", MidiFile(tracks, kBars * kTicksPerBar))) return 1;
  for (const Effect& effect : Effects()) {
    if (!WriteFile(folder + "/" + effect.fileName, WavFile(Synthesize(effect)))) return 1;
  }
  std::printf("wrote demo_theme.mid (%d bars at %d bpm) and %zu effects to %s\n", kBars, kBeatsPerMinute,
              Effects().size(), folder.c_str());
  return 0;
}
