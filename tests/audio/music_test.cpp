// The background tune: restarted only on the normal end notice, closed at shutdown after the
// start thread has finished.
#include <gtest/gtest.h>

#include "audio/music.h"
#include "support/test_world.h"

namespace {

// A tune file whose name has spaces, as projects made on Windows may have.
constexpr const char* kTune = "valley theme.mid";
constexpr const char* kStarted = "0 music close\n0 music open valley theme.mid\n0 music play\n";

class Music : public testing_support::HeadlessWorld {
 protected:
  void SetUp() override {
    HeadlessWorld::SetUp();
    dir_.Write(kTune, "MThd");
  }
  void TearDown() override {
    music_.Shutdown();
    HeadlessWorld::TearDown();
  }

  audio::Music music_;
};

TEST_F(Music, TuneRestartsOnlyWhenItEndedNormally) {
  music_.Start(kTune);
  ASSERT_EQ(Transcript(), kStarted);

  music_.OnNotify(platform::kMciNotifySuperseded);
  music_.OnNotify(platform::kMciNotifyAborted);
  EXPECT_EQ(Transcript(), kStarted);
  music_.OnNotify(platform::kMciNotifySuccessful);
  EXPECT_EQ(Transcript(), std::string(kStarted) + kStarted);
}

// Headless runs must give the same transcript every time, so the start thread's lines come
// before anything start-up writes after starting the tune.
TEST_F(Music, OnTheHeadlessBackendTheTuneHasStartedWhenStartMusicReturns) {
  music_.Start(kTune);
  headless_->Note("font next");
  EXPECT_EQ(Transcript(), std::string(kStarted) + "0 font next\n");
  EXPECT_TRUE(music_.HasPlayer());
}

TEST_F(Music, ShutdownWaitsForTheStartThreadThenClosesAndFreesThePlayer) {
  music_.Start(kTune);
  music_.Shutdown();
  EXPECT_EQ(Transcript(), std::string(kStarted) + "0 music close\n");
  EXPECT_FALSE(music_.HasPlayer());

  // Without a player no tune restarts, and a second shutdown still closes every device.
  music_.OnNotify(platform::kMciNotifySuccessful);
  music_.Shutdown();
  EXPECT_EQ(Transcript(), std::string(kStarted) + "0 music close\n0 music close\n");
}

}  // namespace
