// The template backend degrades instead of failing hard: it keeps the message loop and time
// working, refuses the rest with one note per operation, and answers boxes as failed boxes.
#include "platform/template_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "support/test_files.h"

namespace platform {
namespace {

using testing_support::CountOf;

TEST(TemplatePlatformTest, MissingServicesFailWithOneNoteEach) {
  auto backend = CreateTemplatePlatform();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(backend->CreateMainWindow(WindowSpec{}));
  EXPECT_FALSE(backend->MusicOpen("Projects\\a.mid"));
  EXPECT_FALSE(backend->MusicOpen("Projects\\b.mid"));
  EXPECT_FALSE(backend->AudioCloseAll());
  const uint32_t pixel = 0;
  for (int i = 0; i < 3; ++i) backend->PresentFrame(&pixel, 1, 1);
  EXPECT_EQ(backend->ShowBox(BoxKind::Question, true, "Quit game", "Quit game ?"), BoxAnswer::Yes);
  EXPECT_EQ(backend->ShowBox(BoxKind::Error, false, "Error", "Bad file"), BoxAnswer::Ok);
  const std::string notes = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(notes, "MusicOpen"), 1u);
  EXPECT_EQ(CountOf(notes, "PresentFrame"), 1u);
  EXPECT_EQ(CountOf(notes, "CreateMainWindow"), 1u);
  EXPECT_NE(notes.find("Bad file"), std::string::npos);  // a box's text is not lost
}

TEST(TemplatePlatformTest, MessagesArriveInOrderUntilTheQuit) {
  auto backend = CreateTemplatePlatform();
  backend->PostMessage(Message{kWmKeyDown, 'F', 0});
  std::thread poster([&] { backend->PostMessage(Message{kWmCommand, 500, 0}); });
  Message m;
  ASSERT_TRUE(backend->GetMessage(m));
  EXPECT_EQ(m.wParam, uint64_t{'F'});
  ASSERT_TRUE(backend->GetMessage(m));  // waits for the other thread's message
  EXPECT_EQ(m.id, kWmCommand);
  poster.join();
  backend->PostMessage(Message{kWmKeyDown, 'Z', 0});
  backend->PostQuit(0);
  EXPECT_FALSE(backend->GetMessage(m));
}

TEST(TemplatePlatformTest, LoopBracketAndClock) {
  auto backend = CreateTemplatePlatform();
  backend->GameLoopStarting();
  EXPECT_TRUE(backend->BeginFrame());
  backend->GameLoopStopping();
  EXPECT_FALSE(backend->BeginFrame());
  const uint32_t before = backend->TickCount();
  EXPECT_NE(before, 0u);  // 0 means "not set" to the engine
  backend->Sleep(5);
  EXPECT_GE(backend->TickCount() - before, 5u);
}

}  // namespace
}  // namespace platform
