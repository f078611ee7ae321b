// The first line of a recording: written and read back, and anything else is not a header.
#include <gtest/gtest.h>

#include "app/play_recording.h"

namespace {

TEST(PlayRecording, TheHeaderReadsBackAndAnythingElseIsNoHeader) {
  const app::RecordingHeader header{{1280, 832}, {1920, 1080}, 4294967295u};
  const std::string line = app::RecordingHeaderLine(header);
  EXPECT_EQ(line, "# tessaloom recording: window 1280x832, screen 1920x1080, clock 4294967295");
  for (const std::string& text : {line, line + "\n10 pass\n", line + "\r\n"}) {
    const auto read = app::ParseRecordingHeader(text);
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_EQ(read->window.width, 1280);
    EXPECT_EQ(read->screen.height, 1080);
    EXPECT_EQ(read->clock, 4294967295u);
  }
  for (const char* text : {"", "10 pass\n# tessaloom recording: window 1x1, screen 1x1, clock 0",
                           "# tessaloom recording: window 0x832, screen 1920x1080, clock 1",
                           "# tessaloom recording: window 1280x832, screen 1920x1080, clock 4294967296",
                           "# tessaloom recording: window 1280x832, screen 1920x1080, clock 1 more",
                           "# tessaloom recording: window 99999999999x832, screen 1920x1080, clock 1"}) {
    EXPECT_FALSE(app::ParseRecordingHeader(text).has_value()) << text;
  }
}

}  // namespace
