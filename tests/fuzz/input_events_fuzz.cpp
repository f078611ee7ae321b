// The headless event-file parser on any text: either one event per line that holds anything
// besides blanks and a comment, in time order, or a one-line reason naming the line; and the
// events, written back as a recording writes them, read back the same.
#include <algorithm>

#include "fuzz_check.h"
#include "platform/headless_platform.h"

namespace {

// Lines (split at LF, as the parser reads them) with something left after a '#' comment is cut
// and blanks are skipped.
std::size_t LinesWithContent(const std::string& text) {
  const auto lines = fuzz::Split(text, "\n");
  return std::count_if(lines.begin(), lines.end(), [](std::string_view line) {
    return line.substr(0, line.find('#')).find_first_not_of(" \t\r\v\f") != std::string_view::npos;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = fuzz::AsString(data, size);
  std::vector<platform::InputEvent> events;
  std::string error;
  if (!platform::ParseInputEvents(text, events, error)) {
    FUZZ_REQUIRE(error.rfind("line ", 0) == 0);
    FUZZ_REQUIRE(error.size() > 5 && error.find('\n') == std::string::npos);
    return 0;
  }
  FUZZ_REQUIRE(error.empty());
  // A line is an event or an error; none is dropped without a word.
  FUZZ_REQUIRE(events.size() == LinesWithContent(text));
  FUZZ_REQUIRE(std::is_sorted(events.begin(), events.end(), [](const auto& a, const auto& b) { return a.ms < b.ms; }));
  std::vector<platform::InputEvent> again;
  FUZZ_REQUIRE(platform::ParseInputEvents(text, again, error) && again.size() == events.size());
  // What a recording writes of the events reads back as the same events.
  std::string written;
  for (const platform::InputEvent& event : events) {
    const std::string words = event.pass ? "pass" : platform::InputEventWords(event.message);
    FUZZ_REQUIRE(!words.empty());
    written += std::to_string(event.ms) + " " + words + "\n";
  }
  std::vector<platform::InputEvent> reread;
  FUZZ_REQUIRE(platform::ParseInputEvents(written, reread, error) && reread.size() == events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    const platform::Message& a = events[i].message;
    const platform::Message& b = reread[i].message;
    FUZZ_REQUIRE(events[i].ms == reread[i].ms && events[i].pass == reread[i].pass);
    FUZZ_REQUIRE(a.id == b.id && a.wParam == b.wParam && a.lParam == b.lParam);
  }
  return 0;
}
