// Platform: Windows (native Win32 desktop; also runs under Wine).
//
// Limitations:
//   - User-visible texts (title, menus, boxes) go through the wide (...W) calls from
//     Windows-1252, so accented texts show right whatever the system's ANSI code page is; the
//     window is therefore a Unicode window, its loop GetMessageW/DispatchMessageW, and WM_CHAR
//     is turned back into Windows-1252 ('?' where it has no form there).
//   - The game-loop thread draws into the window itself (GetDC, SetDIBitsToDevice, ReleaseDC),
//     at most once per display refresh: frames in between would be replaced unseen. WM_PAINT
//     redraws the last frame shown. The class has no own device context, since two threads draw.
//   - The drag box is a one-pixel red outline drawn with GDI over the shown picture.
//   - Boxes are MessageBoxW; a box is owned by the window only when shown from the main
//     thread, as an owner on another thread could wait for a thread that is waiting for it.
//   - Question buttons are relabelled in the game's language by a hook on the showing thread.
//   - The tick count is GetTickCount's (its steps are the system timer's, 10 to 16 ms).
//   - The tune and effects play through MCI (the system's MIDI sequencer and wave devices).
//
// Dependencies: user32, gdi32, winmm, shell32 (all part of Windows); fonts through
// platform::fonts.
#include "platform/win32_platform.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/engine_messages.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/win32_audio.h"
#include "platform/win32_box.h"
#include "platform/win32_menu.h"
#include "platform/win32_messages.h"
#include "platform/win32_wide.h"
#include "platform/win32_windows.h"

#include <shellapi.h>

namespace platform {
namespace {

constexpr wchar_t kWindowClass[] = L"Tessaloom2DWindowClass";
constexpr UINT kWakeMessage = WM_APP + 1;  // a thread message: look at the queue again
constexpr int kDefaultRefreshHz = 60;      // when the display does not tell its rate
constexpr uint64_t kTickOffset = 1000000;  // tick readings never start near 0 ("not set")
constexpr COLORREF kDragColour = RGB(255, 0, 0);

struct IconFree {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconPtr = std::unique_ptr<std::remove_pointer_t<HICON>, IconFree>;

struct ObjectFree {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using BitmapPtr = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectFree>;

Rect Ordered(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

// An icon from 0xAARRGGBB pixels, rows top-down: the colour with its alpha, and a mask that
// marks the fully transparent pixels for systems that ignore the alpha.
IconPtr MakeIcon(const std::vector<uint32_t>& pixels, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapPtr colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || bits == nullptr) return nullptr;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::memcpy(bits, pixels.data(), count * sizeof(uint32_t));
  GdiFlush();
  // Monochrome rows are padded to 16 bits; a set bit is transparent.
  const int rowBytes = ((width + 15) / 16) * 2;
  std::vector<uint8_t> mask(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] >> 24) ==
          0) {
        mask[static_cast<std::size_t>(y * rowBytes + x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  BitmapPtr maskBitmap(CreateBitmap(width, height, 1, 1, mask.data()));
  if (!maskBitmap) return nullptr;
  ICONINFO icon{};
  icon.fIcon = TRUE;
  icon.hbmMask = maskBitmap.get();
  icon.hbmColor = colour.get();
  return IconPtr(CreateIconIndirect(&icon));  // copies both bitmaps
}

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;

  Size PrimaryScreenSize() override { return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
  void MoveCursorTo(int screenX, int screenY) override { SetCursorPos(screenX, screenY); }
  bool CreateMainWindow(const WindowSpec& window) override;
  bool HasMainWindow() const override { return windowReady_.load(); }
  void SetWindowPlacement(int x, int y, int width, int height) override;
  void SetWindowTitle(const std::string& title) override;
  void UseArrowCursor() override;
  void SetWindowIcon(const std::vector<uint32_t>& pixels, int width, int height) override;
  void OpenUrl(const std::string& url) override;

  BoxAnswer ShowBox(BoxKind kind, bool owned, const std::string& caption, const std::string& text) override;

  bool GetMessage(Message& out) override;
  void PostQuit(int exitCode) override;
  int QuitCode() const override { return messages_.QuitCode(); }
  void PostMessage(const Message& message) override;

  // The game clock stands still while the project loads and runs from the game loop's start:
  // loading takes no game time.
  void GameLoopStarting() override {
    if (!clockRunning_.load()) {
      clockSkipped_.store(GetTickCount64() - clockStart_);
      clockRunning_.store(true);
    }
    stopping_.store(false);
  }
  void GameLoopStopping() override { stopping_.store(true); }
  bool BeginFrame() override { return !stopping_.load(); }
  void PresentFrame(const uint32_t* bottomUpPixels, int width, int height) override {
    PresentFrameAt(bottomUpPixels, width, height, 0, 0);
  }
  void PresentFrameAt(const uint32_t* bottomUpPixels, int width, int height, int x, int y) override;
  void EndFrame() override;
  void SetDragRect(std::optional<Rect> clientRect) override;

  uint32_t TickCount() override {
    if (!clockRunning_.load()) return static_cast<uint32_t>(clockStart_ + kTickOffset);
    return static_cast<uint32_t>(GetTickCount64() - clockSkipped_.load() + kTickOffset);
  }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }

  bool AudioCloseAll() override { return audio_->CloseAll(); }
  bool MusicOpen(const std::string& path) override { return audio_->MusicOpen(path); }
  bool MusicPlayFromStart() override { return audio_->MusicPlayFromStart(); }
  void PlaySoundFile(const std::string& path) override { audio_->PlaySound(path); }

  bool AddPrivateFont(const std::string& path) override { return fonts::RegisterPrivateFontFile(ToHostPath(path)); }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnMainThread() const { return GetCurrentThreadId() == mainThread_; }
  void Wake() { PostThreadMessageW(mainThread_, kWakeMessage, 0, 0); }
  void Enqueue(const Message& message);
  void TrackCapture(UINT message, WPARAM wParam);
  void Paint();
  void DrawShownLocked(HDC dc, bool clear);
  bool InsidePictureLocked(const Rect& r) const {
    return r.left >= shownX_ && r.top >= shownY_ && r.right < shownX_ + shownWidth_ &&
           r.bottom < shownY_ + shownHeight_;
  }

  DWORD mainThread_ = GetCurrentThreadId();
  HINSTANCE instance_ = GetModuleHandleW(nullptr);
  bool classRegistered_ = false;
  std::unique_ptr<win32::Win32Audio> audio_;
  QuestionLabels questionLabels_;  // set with the window, before any other thread shows a box

  // Main thread only.
  HWND window_ = nullptr;
  IconPtr icon_;
  HCURSOR arrow_ = nullptr;
  std::atomic<bool> windowReady_{false};

  // Messages, from any thread.
  EngineMessages messages_;

  // Frames: the game-loop thread names its back buffer, EndFrame shows a copy when one is due.
  const uint32_t* staged_ = nullptr;  // game-loop thread only; valid until EndFrame
  int stagedWidth_ = 0, stagedHeight_ = 0, stagedX_ = 0, stagedY_ = 0;
  // Game-loop thread only. A steady clock finer than GetTickCount's 10 to 16 ms steps, which
  // would skip every other refresh.
  std::optional<std::chrono::steady_clock::time_point> lastShow_;
  std::atomic<uint32_t> frameIntervalMs_{1000 / kDefaultRefreshHz};
  std::mutex frameMutex_;        // guards what follows and every drawing into the window
  std::vector<uint32_t> shown_;  // the picture on screen, bottom row first
  int shownWidth_ = 0, shownHeight_ = 0, shownX_ = 0, shownY_ = 0;
  std::optional<Rect> drag_;       // asked for
  std::optional<Rect> shownDrag_;  // on screen
  bool dragChanged_ = false;

  std::atomic<bool> stopping_{false};
  uint64_t clockStart_ = GetTickCount64();
  std::atomic<uint64_t> clockSkipped_{0};
  std::atomic<bool> clockRunning_{false};
};

Win32Platform::Win32Platform() {
  // The thread gets its message queue now, so that wakes posted before any window arrive.
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  audio_ = std::make_unique<win32::Win32Audio>([this](const Message& m) { PostMessage(m); });
}

Win32Platform::~Win32Platform() {
  audio_.reset();
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (classRegistered_) UnregisterClassW(kWindowClass, instance_);
}

// ---- Window -----------------------------------------------------------------------------------

// Registers the class and opens the window with its menu bar at the outer size and place asked for.
bool Win32Platform::CreateMainWindow(const WindowSpec& window) {
  if (window_) return false;
  if (!classRegistered_) {
    WNDCLASSW type{};
    // Redrawn whole on resizing; double clicks reported.
    type.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    type.lpfnWndProc = &Win32Platform::WindowProcedure;
    type.hInstance = instance_;
    type.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    type.hCursor = nullptr;  // the game sets its cursor (UseArrowCursor)
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    type.lpszClassName = kWindowClass;
    if (!RegisterClassW(&type)) {
      std::fprintf(stderr, "tessaloom: the window class could not be registered (error %lu)\n",
                   static_cast<unsigned long>(GetLastError()));
      return false;
    }
    classRegistered_ = true;
  }
  win32::MenuPtr menu = win32::BuildMenuBar(window.menu);
  questionLabels_ = {window.yesButton, window.noButton};
  // A fixed frame with caption and system menu: no sizing border, no minimise or maximise box.
  const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
  window_ = CreateWindowExW(0, kWindowClass, win32::WideFromCp1252(window.title).c_str(), style, window.x, window.y,
                            window.width, window.height, nullptr, menu.get(), instance_, this);
  if (!window_) {
    std::fprintf(stderr, "tessaloom: the window could not be created (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
    return false;
  }
  menu.release();  // the window owns it now
  if (HDC dc = GetDC(window_)) {
    const int hz = GetDeviceCaps(dc, VREFRESH);
    if (hz > 1) frameIntervalMs_.store(static_cast<uint32_t>(std::max(1000 / hz, 1)));
    ReleaseDC(window_, dc);
  }
  UpdateWindow(window_);
  windowReady_.store(true);
  return true;
}

// SetWindowPos: moves and resizes by the outer size.
void Win32Platform::SetWindowPlacement(int x, int y, int width, int height) {
  if (window_) SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::SetWindowTitle(const std::string& title) {
  if (window_) SetWindowTextW(window_, win32::WideFromCp1252(title).c_str());
}

// SetCursor: the standard arrow, kept over the client area from now on.
void Win32Platform::UseArrowCursor() {
  if (!arrow_) arrow_ = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  SetCursor(arrow_);
}

// WM_SETICON, large and small: the system scales the one picture to both sizes.
void Win32Platform::SetWindowIcon(const std::vector<uint32_t>& pixels, int width, int height) {
  if (window_ == nullptr || width <= 0 || height <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return;
  }
  IconPtr icon = MakeIcon(pixels, width, height);
  if (!icon) return;
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
  icon_ = std::move(icon);  // the former icon is no longer in use
}

// ShellExecute "open", shown normally.
void Win32Platform::OpenUrl(const std::string& url) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(window_, L"open", win32::WideFromCp1252(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    std::fprintf(stderr, "tessaloom: cannot open %s (error %lld)\n", url.c_str(), static_cast<long long>(result));
  }
}

// ---- Dialogs ----------------------------------------------------------------------------------

BoxAnswer Win32Platform::ShowBox(BoxKind kind, bool owned, const std::string& caption, const std::string& text) {
  const HWND owner = owned && OnMainThread() ? window_ : nullptr;
  return win32::ShowMessageBox(owner, kind, caption, text, questionLabels_);
}

// ---- Messages ---------------------------------------------------------------------------------

void Win32Platform::Enqueue(const Message& message) { messages_.Push(message); }

// PostMessageA: queued behind what has arrived so far; any thread.
void Win32Platform::PostMessage(const Message& message) {
  Enqueue(message);
  Wake();
}

// PostQuitMessage: GetMessage answers false from now on, whichever thread asked.
void Win32Platform::PostQuit(int exitCode) {
  messages_.Quit(exitCode);
  Wake();
}

// GetMessageW: dispatches the thread's messages until one for the engine is queued. A wake
// posted while a modal loop (a box, a menu) runs is lost there, which is harmless: the queue
// is looked at before every wait.
bool Win32Platform::GetMessage(Message& out) {
  while (true) {
    const EngineMessages::Next next = messages_.Take(out, false);
    if (next != EngineMessages::Next::Empty) return next == EngineMessages::Next::Message;
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {  // WM_QUIT from elsewhere, or no queue at all
      PostQuit(got == 0 ? static_cast<int>(message.wParam) : 0);
      continue;
    }
    if (message.hwnd == nullptr && message.message == kWakeMessage) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

LRESULT CALLBACK Win32Platform::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = win32::WindowOwner<Win32Platform>(window, message, lParam);
  if (self == nullptr || self->window_ != window) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->OnWindowMessage(message, wParam, lParam);
}

LRESULT Win32Platform::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_SETCURSOR:
      if (arrow_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(arrow_);
        return TRUE;
      }
      break;
    case WM_CHAR: wParam = static_cast<WPARAM>(win32::CharFromUtf16(wParam)); break;
    default: TrackCapture(message, wParam); break;
  }
  if (const std::optional<Message> forward = win32::EngineMessage(message, wParam, lParam)) {
    Enqueue(*forward);  // the close request included: only a quit ends the program
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// A button pressed in the client area keeps the mouse until every button is up, so that a drag
// that leaves the window goes on being reported.
void Win32Platform::TrackCapture(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: SetCapture(window_); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
      break;
    default: break;
  }
}

// ---- Frames -----------------------------------------------------------------------------------

void Win32Platform::PresentFrameAt(const uint32_t* bottomUpPixels, int width, int height, int x, int y) {
  if (!bottomUpPixels || width <= 0 || height <= 0) return;
  staged_ = bottomUpPixels;
  stagedWidth_ = width;
  stagedHeight_ = height;
  stagedX_ = x;
  stagedY_ = y;
}

void Win32Platform::SetDragRect(std::optional<Rect> clientRect) {
  if (clientRect) clientRect = Ordered(*clientRect);
  std::lock_guard<std::mutex> lock(frameMutex_);
  const bool same = drag_.has_value() == clientRect.has_value() &&
                    (!drag_ || (drag_->left == clientRect->left && drag_->top == clientRect->top &&
                                drag_->right == clientRect->right && drag_->bottom == clientRect->bottom));
  if (same) return;
  drag_ = clientRect;
  dragChanged_ = true;
}

// Shows the frame of this pass when a showing is due: a copy is kept for WM_PAINT.
void Win32Platform::EndFrame() {
  const uint32_t* pixels = staged_;
  staged_ = nullptr;
  if (!windowReady_.load()) return;
  const auto now = std::chrono::steady_clock::now();
  if (lastShow_ && now - *lastShow_ < std::chrono::milliseconds(frameIntervalMs_.load())) return;
  std::lock_guard<std::mutex> lock(frameMutex_);
  if (pixels == nullptr && !dragChanged_) return;
  lastShow_ = now;
  bool moved = false;
  if (pixels != nullptr) {
    moved = stagedWidth_ != shownWidth_ || stagedHeight_ != shownHeight_ || stagedX_ != shownX_ || stagedY_ != shownY_;
    shown_.assign(pixels, pixels + static_cast<std::size_t>(stagedWidth_) * static_cast<std::size_t>(stagedHeight_));
    shownWidth_ = stagedWidth_;
    shownHeight_ = stagedHeight_;
    shownX_ = stagedX_;
    shownY_ = stagedY_;
  }
  if (HDC dc = GetDC(window_)) {
    // A drag box that leaves the picture leaves its old outline on the black around it.
    const bool dragOutside = dragChanged_ && shownDrag_ && !InsidePictureLocked(*shownDrag_);
    DrawShownLocked(dc, moved || dragOutside);
    ReleaseDC(window_, dc);
  }
}

void Win32Platform::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);  // the class brush has cleared what needs it
  {
    std::lock_guard<std::mutex> lock(frameMutex_);
    DrawShownLocked(dc, false);
  }
  EndPaint(window_, &paint);
}

// The picture one to one at its place, then the drag box over it. `clear` blackens the client
// area first, for what the former picture or drag box left outside the new picture.
void Win32Platform::DrawShownLocked(HDC dc, bool clear) {
  if (clear) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  if (!shown_.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shownWidth_;
    info.bmiHeader.biHeight = shownHeight_;  // positive: rows stored bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, shownX_, shownY_, static_cast<DWORD>(shownWidth_), static_cast<DWORD>(shownHeight_), 0, 0, 0,
                      static_cast<UINT>(shownHeight_), shown_.data(), &info, DIB_RGB_COLORS);
  }
  shownDrag_ = drag_;
  dragChanged_ = false;
  if (shownDrag_) {
    HPEN pen = CreatePen(PS_SOLID, 1, kDragColour);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, shownDrag_->left, shownDrag_->top, shownDrag_->right + 1, shownDrag_->bottom + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
}

}  // namespace

std::unique_ptr<Platform> CreateWin32Platform() { return std::make_unique<Win32Platform>(); }

}  // namespace platform
