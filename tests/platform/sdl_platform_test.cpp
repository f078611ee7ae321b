// The SDL backend on SDL's display-less "dummy" drivers: what must hold without a screen.
#include "platform/sdl_platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace platform {
namespace {

class SdlPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // No display either, so that no real box can open and wait for an answer.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    backend = CreateSdlPlatform();
  }
  static WindowSpec Layout() {
    WindowSpec layout;
    layout.title = "T\xE9st";
    layout.width = 320;
    layout.height = 240;
    layout.menu = {{"&Game", {{500, "&Quit"}}, false}};
    return layout;
  }
  std::unique_ptr<Platform> backend;
};

TEST_F(SdlPlatformTest, MessagesFromOtherThreadsArriveInOrderUntilTheQuit) {
  ASSERT_TRUE(backend->CreateMainWindow(Layout()));
  EXPECT_TRUE(backend->HasMainWindow());
  EXPECT_FALSE(backend->CreateMainWindow(Layout()));  // one window per process
  std::thread poster([&] {
    for (uint64_t i = 1; i <= 50; ++i) backend->PostMessage(Message{kMmMciNotify, i, 0});
  });
  Message m;
  for (uint64_t i = 1; i <= 50; ++i) {
    ASSERT_TRUE(backend->GetMessage(m));
    EXPECT_EQ(m.id, kMmMciNotify);
    EXPECT_EQ(m.wParam, i);
  }
  poster.join();
  backend->PostMessage(Message{kWmKeyDown, 'Z', 0});
  // The first quit request gives the exit code, as a failure's quit must not be undone.
  std::thread quitter([&] {
    backend->PostQuit(1);
    backend->PostQuit(0);
  });
  quitter.join();
  EXPECT_FALSE(backend->GetMessage(m));
  EXPECT_FALSE(backend->GetMessage(m));
  EXPECT_EQ(backend->QuitCode(), 1);
}

TEST_F(SdlPlatformTest, FramesFromTheLoopThreadWhileTheMainThreadWaits) {
  ASSERT_TRUE(backend->CreateMainWindow(Layout()));
  backend->GameLoopStarting();
  std::thread loop([&] {
    std::vector<uint32_t> pixels(320 * 240, 0x123456);
    int passes = 0;
    while (backend->BeginFrame()) {
      backend->PresentFrame(pixels.data(), 320, 240);
      backend->SetDragRect(Rect{passes % 50, 10, 5, 60});
      backend->EndFrame();
      if (++passes == 200) backend->PostMessage(Message{kWmCommand, 500, 0});
    }
  });
  Message m;
  ASSERT_TRUE(backend->GetMessage(m));  // shows frames while it waits
  EXPECT_EQ(m.id, kWmCommand);
  backend->GameLoopStopping();
  loop.join();
  EXPECT_FALSE(backend->BeginFrame());
}

TEST_F(SdlPlatformTest, BoxesThatCannotShowAnswerYesAndOk) {
  // The dummy video driver has no message boxes.
  EXPECT_EQ(backend->ShowBox(BoxKind::Question, false, "Quit game", "Quit game ?"), BoxAnswer::Yes);
  EXPECT_EQ(backend->ShowBox(BoxKind::Error, false, "Error", "Bad"), BoxAnswer::Ok);
}

TEST_F(SdlPlatformTest, AudioFailuresAreQuietResults) {
  EXPECT_FALSE(backend->MusicOpen("no such folder\\tune.mid"));
  EXPECT_FALSE(backend->MusicPlayFromStart());
  backend->PlaySoundFile("no such folder\\effect.wav");
  EXPECT_TRUE(backend->AudioCloseAll());
  // The game clock stands still until the game loop starts, then runs.
  const uint32_t before = backend->TickCount();
  EXPECT_GT(before, 0u);
  backend->Sleep(60);
  EXPECT_EQ(backend->TickCount(), before);
  backend->GameLoopStarting();
  backend->Sleep(3);
  EXPECT_GE(backend->TickCount() - before, 3u);
  EXPECT_LT(backend->TickCount() - before, 60u);  // the 60 ms before the start are left out
}

TEST_F(SdlPlatformTest, ATunePlaysBesideAnEffectToItsEndNotice) {
  const std::string sounds = std::string(TL_SOURCE_DIR) + "/Projects/Demo/Sounds\\";
  ASSERT_TRUE(backend->MusicOpen(sounds + "checkpoint.wav"));  // a short tune
  ASSERT_TRUE(backend->MusicPlayFromStart());
  backend->PlaySoundFile(sounds + "fire1.wav");
  // A notice that never comes fails the test instead of leaving it waiting.
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    for (int waited = 0; waited < 200 && !done.load(); ++waited) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!done.load()) backend->PostMessage(Message{kWmKeyDown, 'T', 0});
  });
  Message m;
  const bool got = backend->GetMessage(m);
  done.store(true);
  watchdog.join();
  ASSERT_TRUE(got);
  EXPECT_EQ(m.id, kMmMciNotify);
  EXPECT_EQ(m.wParam, kMciNotifySuccessful);
  EXPECT_TRUE(backend->AudioCloseAll());
}

}  // namespace
}  // namespace platform
