// The headless event-file parser on any text: either one event per line that holds anything
// besides blanks and a comment, in time order, or a one-line reason naming the line.
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
  FUZZ_REQUIRE(std::is_sorted(events.begin(), events.end(),
                              [](const auto& a, const auto& b) { return a.ms < b.ms; }));
  std::vector<platform::InputEvent> again;
  FUZZ_REQUIRE(platform::ParseInputEvents(text, again, error) && again.size() == events.size());
  return 0;
}
