// Writes the demo project's background tune, Projects/Demo/Sounds/demo_theme.mid: a calm
// 16-bar General MIDI piece in D minor (flute melody, harp arpeggios, warm pad, bass and a soft
// shaker) that ends on the dominant so that it loops back to its first bar smoothly.
//
// Everything is written from the tables below, so every run produces the same bytes.
// Usage: demo_audio_generator [output.mid]

#include <algorithm>
#include <array>
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
  void Add(int tick, int order, std::vector<uint8_t> bytes) {
    events_.push_back({tick, order, std::move(bytes)});
  }
  void Meta(int tick, uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes{0xFF, type};
    AppendVarLen(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    Add(tick, 1, std::move(bytes));
  }
  void Name(const std::string& name) { Meta(0, 0x03, std::vector<uint8_t>(name.begin(), name.end())); }
  void Program(uint8_t channel, uint8_t program) {
    Add(0, 1, {static_cast<uint8_t>(0xC0 | channel), program});
  }
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

constexpr std::array<Chord, kBars> kHarmony{kDm, kBb, kF, kC, kDm, kBb, kGm, kA,
                                            kBb, kC, kAm, kDm, kBb, kC, kGm, kA};

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
  track.Meta(0, 0x51, {static_cast<uint8_t>(microsPerQuarter >> 16),
                       static_cast<uint8_t>(microsPerQuarter >> 8),
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
    const std::array<int, 5> tones{root, PitchAtOrAbove(chord.tones[1], root),
                                   PitchAtOrAbove(chord.tones[2], root), root + 12,
                                   PitchAtOrAbove(chord.tones[1], root) + 12};
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
      track.Note(2, bar * kTicksPerBar, kTicksPerBar - 10, static_cast<uint8_t>(PitchAtOrAbove(tone, 57)),
                 48);
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
  constexpr uint8_t kShaker = 70;    // maracas
  constexpr uint8_t kKick = 36;      // bass drum
  constexpr uint8_t kRimShot = 37;   // side stick
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

}  // namespace

int main(int argc, char** argv) {
  const std::string output = argc > 1 ? argv[1] : "Projects/Demo/Sounds/demo_theme.mid";
  const std::vector<Track> tracks{Conductor(), Melody(), Arpeggio(), Pad(), Bass(), Percussion()};
  const std::vector<uint8_t> bytes = MidiFile(tracks, kBars * kTicksPerBar);

  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "demo_audio_generator: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("wrote %s (%zu bytes, %d bars at %d bpm)\n", output.c_str(), bytes.size(), kBars,
              kBeatsPerMinute);
  return 0;
}
