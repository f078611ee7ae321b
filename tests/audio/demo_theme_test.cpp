// The demo's background tune is a well-formed standard MIDI file of a useful length: every
// chunk parses to its declared end, every note that starts also stops, and the tune lasts long
// enough not to grate when it loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct TrackSummary {
  uint32_t endTick = 0;
  int noteOns = 0;
  int programChanges = 0;
  int unmatchedNotes = 0;
  uint32_t tempo = 0;  // microseconds per quarter note; 0 when the track sets none
  bool parsedToEnd = false;
};

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool Has(std::size_t n) const { return pos_ + n <= bytes_.size(); }
  uint8_t Byte() { return Has(1) ? bytes_[pos_++] : (failed_ = true, 0); }
  uint32_t BigEndian(int n) {
    uint32_t value = 0;
    for (int i = 0; i < n; ++i) value = (value << 8) | Byte();
    return value;
  }
  uint32_t VarLen() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t b = Byte();
      value = (value << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return value;
    }
    failed_ = true;
    return value;
  }
  std::string Tag() {
    std::string tag;
    for (int i = 0; i < 4; ++i) tag.push_back(static_cast<char>(Byte()));
    return tag;
  }
  void Skip(std::size_t n) { Has(n) ? void(pos_ += n) : void(failed_ = true); }
  std::size_t pos() const { return pos_; }
  bool failed() const { return failed_; }

 private:
  const std::vector<uint8_t>& bytes_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

TrackSummary ReadTrack(Reader& in, std::size_t end) {
  TrackSummary track;
  std::map<int, int> sounding;  // channel * 128 + pitch -> open note-ons
  uint8_t status = 0;
  bool ended = false;
  while (!ended && in.pos() < end && !in.failed()) {
    track.endTick += in.VarLen();
    uint8_t first = in.Byte();
    if (first == 0xFF) {
      const uint8_t type = in.Byte();
      const uint32_t length = in.VarLen();
      if (type == 0x51 && length == 3) {
        track.tempo = in.BigEndian(3);
      } else {
        in.Skip(length);
      }
      ended = type == 0x2F;
      continue;
    }
    uint8_t data1;
    if (first & 0x80) {
      status = first;
      data1 = in.Byte();
    } else {
      data1 = first;  // running status
    }
    const int kind = status & 0xF0, key = (status & 0x0F) * 128 + data1;
    if (kind == 0xC0 || kind == 0xD0) {
      track.programChanges += kind == 0xC0 ? 1 : 0;
      continue;
    }
    const uint8_t data2 = in.Byte();
    if (kind == 0x90 && data2 > 0) {
      ++track.noteOns;
      ++sounding[key];
    } else if (kind == 0x80 || kind == 0x90) {
      --sounding[key];
    }
  }
  for (const auto& [key, open] : sounding) track.unmatchedNotes += open != 0 ? 1 : 0;
  track.parsedToEnd = ended && in.pos() == end && !in.failed();
  return track;
}

TEST(DemoThemeTest, IsAWellFormedTuneOfThirtyToSixtySeconds) {
  std::ifstream file(std::string(TL_SOURCE_DIR) + "/Projects/Demo/Sounds/demo_theme.mid",
                     std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_FALSE(bytes.empty());

  Reader in(bytes);
  ASSERT_EQ(in.Tag(), "MThd");
  ASSERT_EQ(in.BigEndian(4), 6u);
  const uint32_t format = in.BigEndian(2), trackCount = in.BigEndian(2), division = in.BigEndian(2);
  EXPECT_LE(format, 1u);
  ASSERT_GT(trackCount, 1u);
  ASSERT_TRUE(division > 0 && division < 0x8000);  // ticks per quarter note

  uint32_t tempo = 500000, lastTick = 0;
  int notes = 0, programs = 0;
  for (uint32_t t = 0; t < trackCount; ++t) {
    ASSERT_EQ(in.Tag(), "MTrk") << "track " << t;
    const uint32_t length = in.BigEndian(4);
    const TrackSummary track = ReadTrack(in, in.pos() + length);
    ASSERT_TRUE(track.parsedToEnd) << "track " << t;
    EXPECT_EQ(track.unmatchedNotes, 0) << "track " << t;
    if (track.tempo != 0) tempo = track.tempo;
    lastTick = std::max(lastTick, track.endTick);
    notes += track.noteOns;
    programs += track.programChanges;
  }
  EXPECT_EQ(in.pos(), bytes.size());
  EXPECT_GE(programs, 3);
  EXPECT_GT(notes, 100);
  const double seconds = double(lastTick) / division * tempo / 1e6;
  EXPECT_GE(seconds, 30.0);
  EXPECT_LE(seconds, 60.0);
}

}  // namespace
