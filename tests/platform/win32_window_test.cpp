// The Win32 backend with a real window (run under Wine on a virtual display): the window as the
// game asks for it, messages through the loop in arrival order, quits from any thread, the
// shown picture, question boxes in the game's language, and the clock held until the game loop.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win32_audio.h"
#include "platform/win32_box.h"
#include "platform/win32_platform.h"
#include "platform/win32_windows.h"

namespace platform {
namespace {

constexpr wchar_t kClass[] = L"Tessaloom2DWindowClass";

WindowSpec TestWindow() {
  WindowSpec window;
  window.title = "Prueba \xF1 \x80";
  window.x = 40;
  window.y = 30;
  window.width = 640;
  window.height = 480;
  window.menu = {{"&Juego", {{500, "&Salir"}}, false}, {"&Ayuda", {{522, "Acerca de"}}, true}};
  return window;
}

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    os_ = CreateWin32Platform();
    ASSERT_TRUE(os_->CreateMainWindow(TestWindow()));
    window_ = FindWindowW(kClass, nullptr);
    ASSERT_NE(window_, nullptr);
  }

  std::wstring Title() const {
    wchar_t text[64] = {};
    GetWindowTextW(window_, text, 64);
    return text;
  }

  std::unique_ptr<Platform> os_;
  HWND window_ = nullptr;
};

void ExpectRect(HWND window, int left, int top, int right, int bottom) {
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST_F(Win32Window, HasTheTitlePlacementMenuAndClassAskedFor) {
  EXPECT_TRUE(os_->HasMainWindow());
  EXPECT_EQ(Title(), L"Prueba \u00F1 \u20AC");
  ExpectRect(window_, 40, 30, 680, 510);  // the outer size, frame and menu included
  EXPECT_NE(GetClassLongPtrW(window_, GCL_STYLE) & CS_DBLCLKS, 0u);
  const HMENU bar = GetMenu(window_);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), 500u);

  os_->SetWindowPlacement(100, 50, 800, 600);
  ExpectRect(window_, 100, 50, 900, 650);
  os_->SetWindowTitle("Otro t\xEDtulo");
  EXPECT_EQ(Title(), L"Otro t\u00EDtulo");
  EXPECT_FALSE(os_->CreateMainWindow(TestWindow()));  // one window only
}

TEST_F(Win32Window, MessagesArriveInOrderAndCloseDoesNotDestroy) {
  PostMessageW(window_, WM_KEYDOWN, 'Z', 0x002C0001);
  PostMessageW(window_, WM_PAINT, 0, 0);  // the window's own: not passed on
  PostMessageW(window_, WM_CHAR, 0x20AC, 1);
  PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(12, 34));
  PostMessageW(window_, WM_COMMAND, 500, 0);
  PostMessageW(window_, WM_CLOSE, 0, 0);
  const Message expected[] = {{kWmKeyDown, 'Z', 0x002C0001},
                              {kWmChar, 0x80, 1},
                              {kWmLButtonDown, kMkLButton, MakeLParam(12, 34)},
                              {kWmCommand, 500, 0},
                              {kWmClose, 0, 0}};
  for (const Message& want : expected) {
    Message got;
    ASSERT_TRUE(os_->GetMessage(got));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.wParam, want.wParam);
    EXPECT_EQ(got.lParam, want.lParam);
  }
  EXPECT_TRUE(IsWindow(window_));  // only a quit ends the program
  EXPECT_EQ(os_->QuitCode(), 0);
}

TEST_F(Win32Window, OtherThreadsWakeTheLoopAndTheFirstQuitCounts) {
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    os_->PostMessage(Message{kMmMciNotify, kMciNotifyAborted, 7});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    os_->PostQuit(3);
    os_->PostQuit(5);
  });
  Message got;
  ASSERT_TRUE(os_->GetMessage(got));  // blocked until the other thread posted
  EXPECT_EQ(got.id, kMmMciNotify);
  EXPECT_EQ(got.wParam, kMciNotifyAborted);
  EXPECT_FALSE(os_->GetMessage(got));
  poster.join();
  EXPECT_EQ(os_->QuitCode(), 3);
  os_->PostMessage(Message{kWmClose, 0, 0});
  EXPECT_FALSE(os_->GetMessage(got));  // false from the quit on, messages or not
}

TEST_F(Win32Window, AQuitMessageFromTheSystemEndsTheLoopWithItsCode) {
  PostQuitMessage(7);
  Message got;
  EXPECT_FALSE(os_->GetMessage(got));
  EXPECT_EQ(os_->QuitCode(), 7);
}

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

TEST_F(Win32Window, ShowsTheFrameBottomUpAtItsPlaceWithTheDragBoxOverIt) {
  // 2 x 2, storage row 0 is the bottom row: red green over blue white.
  const uint32_t frame[] = {0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00};
  // 40 x 40 of grey, for the drag box to lie on.
  const std::vector<uint32_t> grey(40 * 40, 0x808080);
  os_->GameLoopStarting();
  ASSERT_TRUE(os_->BeginFrame());
  os_->PresentFrameAt(grey.data(), 40, 40, 100, 100);
  os_->SetDragRect(Rect{130, 130, 110, 110});  // corners in either order
  os_->EndFrame();
  EXPECT_EQ(PixelAt(window_, 110, 110), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(window_, 130, 120), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(window_, 120, 120), RGB(128, 128, 128));  // inside the box: the picture
  EXPECT_EQ(PixelAt(window_, 99, 99), RGB(0, 0, 0));

  Sleep(50);  // the next showing is due
  os_->PresentFrameAt(frame, 2, 2, 10, 20);
  os_->SetDragRect(std::nullopt);
  os_->EndFrame();
  EXPECT_EQ(PixelAt(window_, 10, 20), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(window_, 11, 20), RGB(0, 255, 0));
  EXPECT_EQ(PixelAt(window_, 10, 21), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(window_, 11, 21), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(window_, 110, 110), RGB(0, 0, 0));  // the former picture is gone

  // A repaint shows the last frame again.
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  EXPECT_EQ(PixelAt(window_, 11, 20), RGB(0, 255, 0));
  os_->GameLoopStopping();
  EXPECT_FALSE(os_->BeginFrame());
}

TEST(Win32Clock, StandsStillUntilTheGameLoopStarts) {
  auto os = CreateWin32Platform();
  const uint32_t loading = os->TickCount();
  EXPECT_NE(loading, 0u);  // 0 means "not set" to the game
  Sleep(60);
  EXPECT_EQ(os->TickCount(), loading);
  os->GameLoopStarting();
  Sleep(60);
  const uint32_t running = os->TickCount() - loading;
  EXPECT_GE(running, 30u);
  EXPECT_LT(running, 60000u);  // the loading time is left out
}

TEST(Win32BoxShown, QuestionButtonsSpeakTheGamesLanguage) {
  const std::wstring caption = L"Salir del juego (prueba)";
  std::wstring yesText, noText;
  std::thread answerer([&] {
    for (int tries = 0; tries < 500; ++tries) {
      if (HWND box = FindWindowW(nullptr, caption.c_str())) {
        wchar_t text[32] = {};
        GetDlgItemTextW(box, IDYES, text, 32);
        yesText = text;
        GetDlgItemTextW(box, IDNO, text, 32);
        noText = text;
        PostMessageW(box, WM_COMMAND, IDNO, 0);
        return;
      }
      Sleep(20);
    }
  });
  const BoxAnswer answer = win32::ShowMessageBox(nullptr, BoxKind::Question, "Salir del juego (prueba)",
                                                 "\xBF Salir del juego ?", QuestionLabels{"S\xED", "No"});
  answerer.join();
  EXPECT_EQ(answer, BoxAnswer::No);
  EXPECT_EQ(yesText, L"&S\u00ED");
  EXPECT_EQ(noText, L"&No");
}

// Dispatches this thread's messages (MCI's notices among them) for a while.
void PumpFor(int ms) {
  for (int waited = 0; waited < ms; waited += 10) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

TEST(Win32Audio, EffectsCloseThemselvesAndTheTunesNoticesReachTheEngine) {
  std::vector<Message> heard;
  win32::Win32Audio audio([&](const Message& m) { heard.push_back(m); });
  const std::string sounds = TL_SOURCE_DIR "/Projects/Demo/Sounds/";
  EXPECT_FALSE(audio.MusicOpen(sounds + "no such tune.mid"));
  ASSERT_TRUE(audio.MusicOpen(sounds + "demo_theme.mid"));
  ASSERT_TRUE(audio.MusicPlayFromStart());
  audio.PlaySound(sounds + "fire1.wav");
  audio.PlaySound(sounds + "fire2.wav");  // overlapping: a device each
  EXPECT_NE(mciGetDeviceIDW(L"effect1"), 0u);
  EXPECT_NE(mciGetDeviceIDW(L"effect2"), 0u);
  PumpFor(2000);  // both effects are well under a second long
  EXPECT_EQ(mciGetDeviceIDW(L"effect1"), 0u);
  EXPECT_EQ(mciGetDeviceIDW(L"effect2"), 0u);
  EXPECT_NE(mciGetDeviceIDW(L"MUSIC"), 0u);
  EXPECT_TRUE(heard.empty());  // the tune plays on; effects tell the engine nothing

  // Stopping the tune before its end: the engine hears it was aborted (and does not loop it).
  ASSERT_TRUE(audio.CloseAll());
  PumpFor(200);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].id, kMmMciNotify);
  EXPECT_EQ(heard[0].wParam, kMciNotifyAborted);
  EXPECT_EQ(mciGetDeviceIDW(L"MUSIC"), 0u);
}

}  // namespace
}  // namespace platform
