// The background tune and the sound effects: the commands sent, looping on the end notice only,
// the start thread and shutdown.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/music.h"
#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "config/autoexec_reader.h"
#include "config/launcher_settings.h"
#include "config/config_recording_platform.h"
#include "support/test_world.h"

namespace {

using testing_support::RecordingPlatform;
using Commands = std::vector<std::string>;

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = std::make_unique<testing_support::ScopedCwd>(dir_.path());
    config::ResetLauncher();
    config::BuildProjectFolders("Demo");
    auto backend = std::make_unique<RecordingPlatform>();
    os_ = backend.get();
    platform::Install(std::move(backend));
  }
  void TearDown() override {
    audio::ShutdownMusic();
    platform::Install(nullptr);
    cwd_.reset();
  }

  // A tune file whose name has spaces, as projects made on Windows may have.
  std::string WriteTune() {
    dir_.Write("Projects/Demo/Sounds/valley theme.mid", "MThd");
    return "Projects\\Demo\\Sounds\\valley theme.mid";
  }

  // The start thread is done once the player exists (it opens the tune under the same lock).
  static void WaitForPlayer() {
    for (int i = 0; i < 2000 && !audio::HasMusicPlayer(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(audio::HasMusicPlayer());
  }

  testing_support::TempDir dir_;
  std::unique_ptr<testing_support::ScopedCwd> cwd_;
  RecordingPlatform* os_ = nullptr;
};

TEST_F(MusicTest, OpenClosesEverythingThenOpensAndPlaysTheWholePath) {
  const std::string tune = WriteTune();
  audio::CMusicPlayer player;

  EXPECT_TRUE(player.Open(tune));

  EXPECT_EQ(os_->Audio(), (Commands{"close all", "open " + tune, "play"}));
  EXPECT_EQ(player.File(), tune);
}

TEST_F(MusicTest, ReplayReportsOnlyAFailingPlay) {
  audio::CMusicPlayer player;
  player.Open(WriteTune());

  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(player.Replay());
  os_->playSucceeds = false;
  EXPECT_FALSE(player.Replay());
  const std::string report = ::testing::internal::GetCapturedStdout();

  EXPECT_EQ(report.rfind("ERROR: Sequencer device did not open!\r\n", 0), 0u) << report;
  EXPECT_EQ(os_->Audio().size(), 9u);  // three commands for the open and for each replay

  // A tune that can no longer be opened fails quietly.
  audio::CMusicPlayer gone;
  gone.Open("Projects\\Demo\\Sounds\\absent.mid");
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(gone.Replay());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

TEST_F(MusicTest, TuneRestartsOnlyWhenItEndedNormally) {
  const std::string tune = WriteTune();
  audio::StartMusic(tune);
  WaitForPlayer();
  const Commands started{"close all", "open " + tune, "play"};
  ASSERT_EQ(os_->Audio(), started);

  audio::OnMusicNotify(platform::kMciNotifySuperseded);
  audio::OnMusicNotify(platform::kMciNotifyAborted);
  EXPECT_EQ(os_->Audio(), started);

  audio::OnMusicNotify(platform::kMciNotifySuccessful);
  EXPECT_EQ(os_->Audio(), (Commands{"close all", "open " + tune, "play", "close all", "open " + tune,
                                    "play"}));
}

TEST_F(MusicTest, ShutdownClosesAndFreesThePlayer) {
  audio::StartMusic(WriteTune());
  audio::ShutdownMusic();  // waits for the start thread first

  EXPECT_FALSE(audio::HasMusicPlayer());
  EXPECT_EQ(os_->Audio().size(), 4u);
  EXPECT_EQ(os_->Audio().back(), "close all");

  // Without a player no tune can restart.
  audio::OnMusicNotify(platform::kMciNotifySuccessful);
  EXPECT_EQ(os_->Audio().size(), 4u);
}

TEST_F(MusicTest, ShutdownWithoutMusicStillClosesEverything) {
  audio::ShutdownMusic();
  EXPECT_EQ(os_->Audio(), Commands{"close all"});
}

TEST_F(MusicTest, SoundEffectsPlayFromTheSoundsFolderAndMayOverlap) {
  audio::PlaySoundEffect("fire1.wav");
  audio::PlaySoundEffect("explosion1.wav");
  EXPECT_EQ(os_->Audio(), (Commands{"effect Projects\\Demo\\Sounds\\fire1.wav",
                                    "effect Projects\\Demo\\Sounds\\explosion1.wav"}));
}

// A tune that ends while the start thread is still opening it restarts only once the opening
// is complete: the two threads' commands never interleave.
TEST_F(MusicTest, NoticeDuringStartWaitsForTheOpening) {
  const std::string tune = WriteTune();
  std::atomic<bool> opening{false};
  os_->onMusicOpen = [&opening] {
    if (opening.exchange(true)) return;  // only the first open lingers
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  };

  audio::StartMusic(tune);
  while (!opening) std::this_thread::yield();
  audio::OnMusicNotify(platform::kMciNotifySuccessful);

  EXPECT_EQ(os_->Audio(), (Commands{"close all", "open " + tune, "play", "close all", "open " + tune,
                                    "play"}));
}

}  // namespace
