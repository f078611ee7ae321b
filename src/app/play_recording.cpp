#include "app/play_recording.h"

#include <regex>

#include "platform/files.h"
#include "platform/headless_platform.h"

namespace app {
namespace {

constexpr const char* kHeaderStart = "# tessaloom recording: ";

}  // namespace

std::string RecordingHeaderLine(const RecordingHeader& header) {
  return std::string(kHeaderStart) + "window " + std::to_string(header.window.width) + "x" +
         std::to_string(header.window.height) + ", screen " + std::to_string(header.screen.width) + "x" +
         std::to_string(header.screen.height) + ", clock " + std::to_string(header.clock);
}

std::optional<RecordingHeader> ParseRecordingHeader(const std::string& text) {
  const std::string first = text.substr(0, text.find('\n'));
  if (first.rfind(kHeaderStart, 0) != 0) return std::nullopt;
  static const std::regex kFields(R"(window (\d{1,5})x(\d{1,5}), screen (\d{1,5})x(\d{1,5}), clock (\d{1,10})\r?)");
  std::smatch m;
  const std::string rest = first.substr(std::char_traits<char>::length(kHeaderStart));
  if (!std::regex_match(rest, m, kFields)) return std::nullopt;
  const long long clock = std::stoll(m[5].str());
  RecordingHeader header{{std::stoi(m[1].str()), std::stoi(m[2].str())},
                         {std::stoi(m[3].str()), std::stoi(m[4].str())},
                         static_cast<uint32_t>(clock)};
  if (clock > 0xFFFFFFFFll || header.window.width < 1 || header.window.height < 1 || header.screen.width < 1 ||
      header.screen.height < 1) {
    return std::nullopt;
  }
  return header;
}

bool PlayRecorder::Open(const std::string& path, const RecordingHeader& header) {
  out_.open(platform::HostFsPath(path), std::ios::binary | std::ios::trunc);
  if (!out_) return false;
  clock_ = header.clock;
  out_ << RecordingHeaderLine(header) << '\n';
  out_.flush();
  return static_cast<bool>(out_);
}

void PlayRecorder::Message(uint32_t tick, uint32_t message, uint64_t wParam, int64_t lParam) {
  const std::string words = platform::InputEventWords({message, wParam, lParam});
  if (!words.empty()) Line(tick, words);
}

void PlayRecorder::Pass(uint32_t tick) { Line(tick, "pass"); }

void PlayRecorder::Line(uint32_t tick, const std::string& words) {
  if (!out_.is_open()) return;
  // Flushed line by line, so a session that ends badly still leaves what happened up to then.
  out_ << (tick - clock_) << ' ' << words << '\n';
  out_.flush();
}

}  // namespace app
