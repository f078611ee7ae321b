// Platform: desktop Linux (any system SDL2 runs on with X11 or Wayland) through SDL2.
//
// Limitations:
//   - SDL has no menus: the menu bar and its popups are drawn by us (sdl_menu_bar.cpp) at the
//     top of the SDL window, above the client area.
//   - The game-loop thread cannot draw into the window: each presented frame is copied and
//     handed to the main thread, which shows the newest one (older ones are dropped) at most
//     once per display refresh.
//   - Message boxes are SDL's own (no question icon; the information icon stands in). On X11
//     without a window manager nobody would give them the keyboard focus: sdl_box_focus.cpp does.
//   - The window decorations are known only once a window manager reports them; without one
//     (e.g. Xvfb) they count as zero and the SDL window takes the whole outer size.
//   - MIDI plays through SDL2_mixer with the General MIDI sound font when it is installed.
//
// Dependencies: SDL2 (libsdl2-2.0-0), libxcb (libxcb1), SDL2_mixer (libsdl2-mixer-2.0-0, with
// libfluidsynth3 for MIDI), fluid-soundfont-gm, xdg-utils (xdg-open, for web addresses); fonts
// through platform::fonts (FreeType and fontconfig).
#include "platform/sdl_platform.h"

#include <SDL.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/engine_messages.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/sdl_audio.h"
#include "platform/sdl_box_focus.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_menu_bar.h"
#include "platform/sdl_message_box.h"
#include "platform/text_encoding.h"

extern char** environ;

namespace platform {
namespace {

using sdl::Canvas;
using sdl::MenuBar;
using sdl::MenuOutcome;

constexpr uint32_t kWmMButtonDblClk = 0x0209;
constexpr uint64_t kMkShift = 0x0004;
constexpr uint64_t kMkControl = 0x0008;
constexpr int kDefaultRefreshHz = 60;          // when the display does not tell its rate
constexpr uint32_t kBorderWaitMs = 250;        // how long a window manager gets to report borders
constexpr uint64_t kTickOffset = 1000000;      // tick readings never start near 0 ("not set")
constexpr const char* kMenuFace = "Segoe UI";  // fontconfig picks a look-alike sans face
constexpr int kMenuPoints = 9;

struct SdlTextureFree {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
using TexturePtr = std::unique_ptr<SDL_Texture, SdlTextureFree>;

// Uploads a picture into a streaming texture, remaking the texture when the size changed.
void Upload(SDL_Renderer* renderer, TexturePtr& texture, const uint32_t* pixels, int width, int height) {
  if (width <= 0 || height <= 0) {
    texture.reset();
    return;
  }
  int w = 0, h = 0;
  if (!texture || SDL_QueryTexture(texture.get(), nullptr, nullptr, &w, &h) != 0 || w != width || h != height) {
    texture.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height));
  }
  if (texture) SDL_UpdateTexture(texture.get(), nullptr, pixels, width * 4);
}

Rect Ordered(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

bool SameRect(const std::optional<Rect>& a, const std::optional<Rect>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom);
}

class SdlPlatform final : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;

  Size PrimaryScreenSize() override;
  void MoveCursorTo(int screenX, int screenY) override;
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
  // loading takes no game time, and a recorded play replays on the very ticks it was played on.
  void GameLoopStarting() override {
    if (!clockRunning_.load()) {
      clockSkipped_.store(SDL_GetTicks64() - clockStart_);
      clockRunning_.store(true);
    }
    stopping_.store(false);
  }
  void GameLoopStopping() override { stopping_.store(true); }
  bool BeginFrame() override { return !stopping_.load(); }
  void PresentFrame(const uint32_t* bottomUpPixels, int width, int height) override;
  void PresentFrameAt(const uint32_t* bottomUpPixels, int width, int height, int x, int y) override;
  void EndFrame() override;
  void SetDragRect(std::optional<Rect> clientRect) override;

  uint32_t TickCount() override {
    if (!clockRunning_.load()) return static_cast<uint32_t>(clockStart_ + kTickOffset);
    return static_cast<uint32_t>(SDL_GetTicks64() - clockSkipped_.load() + kTickOffset);
  }
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }

  bool AudioCloseAll() override { return audio_->CloseAll(); }
  bool MusicOpen(const std::string& path) override { return audio_->MusicOpen(path); }
  bool MusicPlayFromStart() override { return audio_->MusicPlayFromStart(); }
  void PlaySoundFile(const std::string& path) override { audio_->PlaySound(path); }

  bool AddPrivateFont(const std::string& path) override { return fonts::RegisterPrivateFontFile(ToHostPath(path)); }

 private:
  bool OnMainThread() const { return std::this_thread::get_id() == mainThread_; }
  void Wake();
  void Enqueue(const Message& message);
  void PlaceWindow(int x, int y, int width, int height);
  void WaitForBorders();

  // Input (main thread)
  void HandleEvent(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event, bool down);
  void HandleMotion(const SDL_MouseMotionEvent& event);
  void HandleButton(const SDL_MouseButtonEvent& event, bool down);
  void HandleWheel(const SDL_MouseWheelEvent& event);
  void ApplyMenuOutcome(const MenuOutcome& outcome);
  uint64_t MouseWParam() const;

  // Showing (main thread)
  int ShowIfDue();
  void TakeFrame();
  void RedrawMenu();
  void Render();

  std::thread::id mainThread_ = std::this_thread::get_id();
  bool videoReady_ = false;
  uint32_t wakeEvent_ = 0;
  std::unique_ptr<sdl::SdlAudio> audio_;

  // Set with the window, before any other thread can show a box; read by every box after.
  QuestionLabels questionLabels_;

  // Main thread only.
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Cursor* arrow_ = nullptr;
  bool arrowShown_ = false;
  bool bordersKnown_ = false;
  int borderTop_ = 0, borderLeft_ = 0, borderBottom_ = 0, borderRight_ = 0;
  std::unique_ptr<MenuBar> menu_;
  Canvas barCanvas_, popupCanvas_;
  TexturePtr frameTexture_, barTexture_, popupTexture_;
  std::vector<uint32_t> shown_;  // the picture on screen, top row first
  int shownWidth_ = 0, shownHeight_ = 0;
  int shownX_ = 0, shownY_ = 0;  // where the picture's top-left pixel goes in the client area
  std::optional<Rect> shownDrag_;
  bool needsRender_ = false;
  uint32_t lastRender_ = 0;
  uint32_t frameIntervalMs_ = 1000 / kDefaultRefreshHz;  // one shown picture per display refresh
  uint64_t heldButtons_ = 0;                             // MK_ bits of the buttons down
  uint64_t clientButtons_ = 0;                           // the buttons pressed in the client area (they own the mouse)
  std::atomic<bool> windowReady_{false};

  // Messages, from any thread.
  EngineMessages messages_;

  // Frames: the game-loop thread stages a copy, EndFrame publishes it, the main thread takes it.
  std::vector<uint32_t> staging_;  // game-loop thread only
  int stagingWidth_ = 0, stagingHeight_ = 0;
  int stagingX_ = 0, stagingY_ = 0;
  bool staged_ = false;
  std::mutex frameMutex_;
  std::vector<uint32_t> pending_;
  int pendingWidth_ = 0, pendingHeight_ = 0;
  int pendingX_ = 0, pendingY_ = 0;
  bool pendingHasPixels_ = false;
  std::optional<Rect> pendingDrag_;
  std::atomic<bool> frameReady_{false};  // changed under frameMutex_
  // When the main thread will next show a picture. The game loop runs far faster than the
  // display: frames presented well before then would be replaced unseen, so they are not copied.
  std::atomic<uint32_t> nextShowTick_{0};
  std::atomic<bool> stopping_{false};
  uint64_t clockStart_ = 0;                // SDL's ticks when the platform was made
  std::atomic<uint64_t> clockSkipped_{0};  // the loading time, left out of the game clock
  std::atomic<bool> clockRunning_{false};
};

SdlPlatform::SdlPlatform() {
  // Ctrl+C ends the program as usual instead of becoming a close request.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // No waiting for the display's refresh: the game loop's frame counter shows its real rate.
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    videoReady_ = true;
    wakeEvent_ = SDL_RegisterEvents(1);
    // With no display SDL falls back to a driver that shows nothing; unless that was asked for,
    // a game running unseen is no use: say so and open no window.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible =
        driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
      std::fprintf(stderr, "tessaloom: no display found (set DISPLAY, or run with --headless)\n");
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      videoReady_ = false;
    }
  } else {
    std::fprintf(stderr, "tessaloom: no display (%s)\n", SDL_GetError());
  }
  clockStart_ = SDL_GetTicks64();  // starts SDL's clock here, before other threads read it
  audio_ = std::make_unique<sdl::SdlAudio>([this](const Message& m) { PostMessage(m); });
}

SdlPlatform::~SdlPlatform() {
  audio_.reset();
  frameTexture_.reset();
  barTexture_.reset();
  popupTexture_.reset();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  if (arrow_) SDL_FreeCursor(arrow_);
  if (videoReady_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

// ---- Window -----------------------------------------------------------------------------------

// GetSystemMetrics: the primary display's size.
Size SdlPlatform::PrimaryScreenSize() {
  SDL_Rect bounds{};
  if (!videoReady_ || SDL_GetDisplayBounds(0, &bounds) != 0) return Size{};
  return Size{bounds.w, bounds.h};
}

// SetCursorPos: moves the pointer in screen coordinates.
void SdlPlatform::MoveCursorTo(int screenX, int screenY) {
  if (videoReady_) SDL_WarpMouseGlobal(screenX, screenY);
}

// Creates the one window with its menu bar at the outer size and place asked for.
bool SdlPlatform::CreateMainWindow(const WindowSpec& window) {
  if (!videoReady_ || window_) return false;
  window_ = SDL_CreateWindow(Utf8FromCp1252(window.title).c_str(), window.x, window.y, std::max(window.width, 1),
                             std::max(window.height, MenuBar::kBarHeight), SDL_WINDOW_SHOWN);
  if (!window_) {
    std::fprintf(stderr, "tessaloom: the window could not be created (%s)\n", SDL_GetError());
    return false;
  }
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    std::fprintf(stderr, "tessaloom: no renderer for the window (%s)\n", SDL_GetError());
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return false;
  }
  menu_ = std::make_unique<MenuBar>(window.menu, fonts::OpenFont(kMenuFace, kMenuPoints, false, false));
  questionLabels_ = {window.yesButton, window.noButton};
  // Showing pictures faster than the display refreshes would only take time from the game loop.
  SDL_DisplayMode mode{};
  if (SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0) {
    frameIntervalMs_ = static_cast<uint32_t>(std::max(1000 / mode.refresh_rate, 1));
  }
  PlaceWindow(window.x, window.y, window.width, window.height);
  windowReady_.store(true);
  menu_->TakeChanged();
  RedrawMenu();
  Render();
  return true;
}

// A window manager reports the decorations some time after the window is mapped.
void SdlPlatform::WaitForBorders() {
  const uint64_t until = SDL_GetTicks64() + (bordersKnown_ ? 0 : kBorderWaitMs);
  bordersKnown_ = true;
  do {
    SDL_PumpEvents();
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0 && (top | left | bottom | right) != 0) {
      borderTop_ = top, borderLeft_ = left, borderBottom_ = bottom, borderRight_ = right;
      return;
    }
    SDL_Delay(10);
  } while (SDL_GetTicks64() < until);
}

// Outer placement: the SDL window gets what is left inside the decorations.
void SdlPlatform::PlaceWindow(int x, int y, int width, int height) {
  WaitForBorders();
  const int innerWidth = std::max(width - borderLeft_ - borderRight_, 1);
  const int innerHeight = std::max(height - borderTop_ - borderBottom_, MenuBar::kBarHeight);
  SDL_SetWindowSize(window_, innerWidth, innerHeight);
  SDL_SetWindowPosition(window_, x + borderLeft_, y + borderTop_);
  menu_->Layout(innerWidth, innerHeight);
  needsRender_ = true;
}

// SetWindowPos: moves and resizes by the outer size.
void SdlPlatform::SetWindowPlacement(int x, int y, int width, int height) {
  if (window_) PlaceWindow(x, y, width, height);
}

// SetWindowTextA: the caption, converted from Windows-1252.
void SdlPlatform::SetWindowTitle(const std::string& title) {
  if (window_) SDL_SetWindowTitle(window_, Utf8FromCp1252(title).c_str());
}

// SetCursor: the standard arrow (made once, set once).
void SdlPlatform::UseArrowCursor() {
  if (!videoReady_ || arrowShown_) return;
  if (!arrow_) arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  if (arrow_) SDL_SetCursor(arrow_);
  arrowShown_ = true;
}

// WM_SETICON: SDL keeps its own copy of the picture.
void SdlPlatform::SetWindowIcon(const std::vector<uint32_t>& pixels, int width, int height) {
  if (window_ == nullptr || width <= 0 || height <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return;
  }
  std::vector<uint32_t> copy(pixels);  // SDL's surface wants a writable buffer
  SDL_Surface* icon =
      SDL_CreateRGBSurfaceWithFormatFrom(copy.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

// ShellExecute "open": xdg-open in the background; the address travels as an argument, never
// through the shell's parser. The short-lived shell is reaped here, xdg-open is not waited for.
void SdlPlatform::OpenUrl(const std::string& url) {
  const std::string address = Utf8FromCp1252(url);
  std::string shell = "sh", flag = "-c", script = "xdg-open \"$1\" >/dev/null &", name = "sh";
  char* argv[] = {shell.data(), flag.data(), script.data(), name.data(), const_cast<char*>(address.c_str()), nullptr};
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, "sh", nullptr, nullptr, argv, environ);
  if (error != 0) {
    std::fprintf(stderr, "tessaloom: cannot open %s (%s)\n", address.c_str(), std::strerror(error));
    return;
  }
  int status = 0;
  waitpid(pid, &status, 0);
}

// ---- Dialogs ----------------------------------------------------------------------------------

// A modal box; owned boxes belong to the window when shown from the main thread.
BoxAnswer SdlPlatform::ShowBox(BoxKind kind, bool owned, const std::string& caption, const std::string& text) {
  const bool main = OnMainThread() && window_;
  if (main) {
    menu_->Cancel();
    if (menu_->TakeChanged()) {  // the closed popup must not stay on screen behind the box
      RedrawMenu();
      Render();
    }
  }
  SDL_Window* parent = owned && main ? window_ : nullptr;
  // The box holds the keyboard while it is up. The window behind it gets the keyboard back only
  // at the end of this call, after the input aimed at it meanwhile has been dropped, so that a
  // key pressed once it has the focus again is never dropped with that input.
  const sdl::BoxFocus focus(Utf8FromCp1252(caption));
  const BoxAnswer answer = sdl::ShowMessageBox(parent, kind, caption, text, questionLabels_);
  if (parent) {
    // The owner is disabled while its box is open: input aimed at it meanwhile is dropped,
    // releases included, so the buttons start again from what is held now.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    const uint32_t held = SDL_GetMouseState(nullptr, nullptr);
    heldButtons_ = ((held & SDL_BUTTON_LMASK) ? kMkLButton : 0) | ((held & SDL_BUTTON_RMASK) ? kMkRButton : 0) |
                   ((held & SDL_BUTTON_MMASK) ? kMkMButton : 0);
    clientButtons_ &= heldButtons_;
  }
  if (main) needsRender_ = true;
  return answer;
}

// ---- Messages ---------------------------------------------------------------------------------

void SdlPlatform::Wake() {
  if (!videoReady_) return;
  SDL_Event event{};
  event.type = wakeEvent_;
  SDL_PushEvent(&event);
}

void SdlPlatform::Enqueue(const Message& message) { messages_.Push(message); }

// PostMessageA: queued behind what has arrived so far; any thread.
void SdlPlatform::PostMessage(const Message& message) {
  Enqueue(message);
  Wake();
}

// PostQuitMessage: GetMessage answers false from now on.
void SdlPlatform::PostQuit(int exitCode) {
  messages_.Quit(exitCode);
  Wake();
}

// GetMessageA: the next message in arrival order; shows frames while it waits.
bool SdlPlatform::GetMessage(Message& out) {
  while (true) {
    // Without video there is nothing to show or poll: wait for a message.
    const EngineMessages::Next next = messages_.Take(out, !videoReady_);
    if (next != EngineMessages::Next::Empty) return next == EngineMessages::Next::Message;
    const int waitMs = ShowIfDue();
    SDL_Event event;
    const int got = waitMs < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, waitMs);
    if (!got) continue;
    HandleEvent(event);
    while (SDL_PollEvent(&event)) HandleEvent(event);
  }
}

void SdlPlatform::HandleEvent(const SDL_Event& event) {
  if (!window_) return;
  switch (event.type) {
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(event.key, event.type == SDL_KEYDOWN); break;
    case SDL_MOUSEMOTION: HandleMotion(event.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: HandleButton(event.button, event.type == SDL_MOUSEBUTTONDOWN); break;
    case SDL_MOUSEWHEEL: HandleWheel(event.wheel); break;
    default: break;  // the wake event and everything else: the loop looks at its queues anyway
  }
}

void SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      menu_->Cancel();
      Enqueue(Message{kWmClose, 0, 0});
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      menu_->Layout(event.data1, event.data2);
      needsRender_ = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST: menu_->Cancel(); break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED: needsRender_ = true; break;
    default: break;
  }
}

void SdlPlatform::ApplyMenuOutcome(const MenuOutcome& outcome) {
  if (outcome.command != 0) {
    Enqueue(Message{kWmCommand, static_cast<uint64_t>(static_cast<uint16_t>(outcome.command)), 0});
  }
  if (outcome.close) Enqueue(Message{kWmClose, 0, 0});
}

// Keys become WM_KEYDOWN/WM_KEYUP unless the menu takes them (menu mode, Alt combinations).
void SdlPlatform::HandleKey(const SDL_KeyboardEvent& event, bool down) {
  const uint32_t vk = sdl::VirtualKey(event.keysym);
  if (vk == 0 || (vk == sdl::kVkMenu && event.repeat)) return;
  const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
  const MenuOutcome outcome = down ? menu_->KeyDown(vk, alt) : menu_->KeyUp(vk);
  ApplyMenuOutcome(outcome);
  if (outcome.consumed || alt) return;
  Enqueue(Message{down ? kWmKeyDown : kWmKeyUp, vk, sdl::KeyLParam(down, event.repeat != 0)});
}

uint64_t SdlPlatform::MouseWParam() const {
  const SDL_Keymod mod = SDL_GetModState();
  return heldButtons_ | ((mod & KMOD_SHIFT) ? kMkShift : 0) | ((mod & KMOD_CTRL) ? kMkControl : 0);
}

// Pointer moves over the client area, or anywhere while a button pressed there is held.
void SdlPlatform::HandleMotion(const SDL_MouseMotionEvent& event) {
  if (clientButtons_ == 0) {
    const MenuOutcome outcome = menu_->MouseMove(event.x, event.y);
    if (outcome.consumed) return;
  }
  Enqueue(Message{kWmMouseMove, MouseWParam(), MakeLParam(event.x, event.y - MenuBar::kBarHeight)});
}

void SdlPlatform::HandleButton(const SDL_MouseButtonEvent& event, bool down) {
  struct ButtonMessages {
    uint64_t bit;
    uint32_t down, up, doubleClick;
  };
  ButtonMessages b{};
  switch (event.button) {
    case SDL_BUTTON_LEFT: b = {kMkLButton, kWmLButtonDown, kWmLButtonUp, kWmLButtonDblClk}; break;
    case SDL_BUTTON_RIGHT: b = {kMkRButton, kWmRButtonDown, kWmRButtonUp, kWmRButtonDblClk}; break;
    case SDL_BUTTON_MIDDLE: b = {kMkMButton, kWmMButtonDown, kWmMButtonUp, kWmMButtonDblClk}; break;
    default: return;
  }
  const int64_t at = MakeLParam(event.x, event.y - MenuBar::kBarHeight);
  if (down) {
    heldButtons_ |= b.bit;
    if (clientButtons_ == 0) {
      const MenuOutcome outcome = menu_->MouseDown(event.x, event.y);
      ApplyMenuOutcome(outcome);
      if (outcome.consumed) return;
    }
    clientButtons_ |= b.bit;
    // The window class asks for double clicks: every second click of a series is one.
    const uint32_t id = event.clicks >= 2 && event.clicks % 2 == 0 ? b.doubleClick : b.down;
    Enqueue(Message{id, MouseWParam(), at});
    return;
  }
  heldButtons_ &= ~b.bit;
  if (clientButtons_ & b.bit) {
    clientButtons_ &= ~b.bit;
    Enqueue(Message{b.up, MouseWParam(), at});
    return;
  }
  ApplyMenuOutcome(menu_->MouseUp(event.x, event.y));
}

// WM_MOUSEWHEEL: 120 per notch, pointer in screen coordinates as on Windows.
void SdlPlatform::HandleWheel(const SDL_MouseWheelEvent& event) {
  if (menu_->Active()) return;
  int notches = event.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.y : event.y;
  notches = std::clamp(notches, -273, 273);  // 120 per notch must fit the signed high word
  if (notches == 0) return;
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  Enqueue(Message{kWmMouseWheel, MakeWheelWParam(notches * 120, MouseWParam()), MakeLParam(x, y)});
}

// ---- Frames -----------------------------------------------------------------------------------

// Copies the back buffer turned top row first; EndFrame hands it over.
void SdlPlatform::PresentFrame(const uint32_t* bottomUpPixels, int width, int height) {
  PresentFrameAt(bottomUpPixels, width, height, 0, 0);
}

void SdlPlatform::PresentFrameAt(const uint32_t* bottomUpPixels, int width, int height, int x, int y) {
  if (!bottomUpPixels || width <= 0 || height <= 0) return;
  constexpr int32_t kCopyAheadMs = 2;  // copy the frames of the last moments before a showing
  const int32_t untilShow = static_cast<int32_t>(nextShowTick_.load(std::memory_order_relaxed) - SDL_GetTicks());
  if (untilShow > kCopyAheadMs) return;
  const size_t rowPixels = static_cast<size_t>(width);
  staging_.resize(rowPixels * static_cast<size_t>(height));
  for (int row = 0; row < height; ++row) {
    std::memcpy(&staging_[static_cast<size_t>(row) * rowPixels],
                bottomUpPixels + static_cast<size_t>(height - 1 - row) * rowPixels, rowPixels * sizeof(uint32_t));
  }
  stagingWidth_ = width;
  stagingHeight_ = height;
  stagingX_ = x;
  stagingY_ = y;
  staged_ = true;
}

// Publishes the staged frame, replacing one the main thread has not taken yet.
void SdlPlatform::EndFrame() {
  if (!staged_) return;
  staged_ = false;
  bool wasReady = false;
  {
    std::lock_guard<std::mutex> lock(frameMutex_);
    std::swap(staging_, pending_);
    pendingWidth_ = stagingWidth_;
    pendingHeight_ = stagingHeight_;
    pendingX_ = stagingX_;
    pendingY_ = stagingY_;
    pendingHasPixels_ = true;
    wasReady = frameReady_.exchange(true);
  }
  if (!wasReady) Wake();
}

// The selection box, drawn by the main thread over the shown picture.
void SdlPlatform::SetDragRect(std::optional<Rect> clientRect) {
  bool wasReady = true;
  {
    std::lock_guard<std::mutex> lock(frameMutex_);
    if (SameRect(pendingDrag_, clientRect)) return;
    pendingDrag_ = clientRect;
    wasReady = frameReady_.exchange(true);
  }
  if (!wasReady) Wake();
}

void SdlPlatform::TakeFrame() {
  bool newPixels = false;
  {
    std::lock_guard<std::mutex> lock(frameMutex_);
    if (pendingHasPixels_) {
      std::swap(pending_, shown_);
      shownWidth_ = pendingWidth_;
      shownHeight_ = pendingHeight_;
      shownX_ = pendingX_;
      shownY_ = pendingY_;
      pendingHasPixels_ = false;
      newPixels = true;
    }
    shownDrag_ = pendingDrag_;
    frameReady_.store(false);
  }
  if (newPixels) Upload(renderer_, frameTexture_, shown_.data(), shownWidth_, shownHeight_);
}

// Takes and shows what is waiting when it is time; returns how long to wait for the next
// showing (-1: nothing waits).
int SdlPlatform::ShowIfDue() {
  if (!window_) return -1;
  if (menu_->TakeChanged()) {
    RedrawMenu();
    needsRender_ = true;
  }
  const uint32_t now = SDL_GetTicks();
  if (frameReady_.load()) {
    const uint32_t since = now - lastRender_;
    if (since < frameIntervalMs_ && !needsRender_) {
      return static_cast<int>(frameIntervalMs_ - since);
    }
    TakeFrame();
    needsRender_ = true;
  }
  if (needsRender_) {
    Render();
    lastRender_ = now;
    nextShowTick_.store(now + frameIntervalMs_, std::memory_order_relaxed);
  }
  return -1;
}

void SdlPlatform::RedrawMenu() {
  menu_->DrawBar(barCanvas_);
  Upload(renderer_, barTexture_, barCanvas_.pixels.data(), barCanvas_.width, barCanvas_.height);
  menu_->DrawPopup(popupCanvas_);
  Upload(renderer_, popupTexture_, popupCanvas_.pixels.data(), popupCanvas_.width, popupCanvas_.height);
}

// The picture one to one below the menu bar, the selection box over it, the menu on top.
void SdlPlatform::Render() {
  needsRender_ = false;
  int windowWidth = 0, windowHeight = 0;
  SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  const int clientHeight = std::max(windowHeight - MenuBar::kBarHeight, 0);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect client{0, MenuBar::kBarHeight, windowWidth, clientHeight};
  if (frameTexture_ && clientHeight > 0) {
    // One to one at its position; the clip keeps it out of the menu bar.
    const SDL_Rect place{shownX_, MenuBar::kBarHeight + shownY_, shownWidth_, shownHeight_};
    SDL_RenderSetClipRect(renderer_, &client);
    SDL_RenderCopy(renderer_, frameTexture_.get(), nullptr, &place);
    SDL_RenderSetClipRect(renderer_, nullptr);
  }
  if (shownDrag_) {
    const Rect r = Ordered(*shownDrag_);
    const SDL_Rect box{r.left, r.top + MenuBar::kBarHeight, r.right - r.left + 1, r.bottom - r.top + 1};
    SDL_RenderSetClipRect(renderer_, &client);
    SDL_SetRenderDrawColor(renderer_, 255, 0, 0, 255);  // a one-pixel red pen
    SDL_RenderDrawRect(renderer_, &box);
    SDL_RenderSetClipRect(renderer_, nullptr);
  }
  if (barTexture_) {
    const SDL_Rect place{0, 0, barCanvas_.width, barCanvas_.height};
    SDL_RenderCopy(renderer_, barTexture_.get(), nullptr, &place);
  }
  const sdl::Box popup = menu_->PopupBox();
  if (popupTexture_ && popup.w > 0) {
    const SDL_Rect place{popup.x, popup.y, popup.w, popup.h};
    SDL_RenderCopy(renderer_, popupTexture_.get(), nullptr, &place);
  }
  SDL_RenderPresent(renderer_);
}

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform() { return std::make_unique<SdlPlatform>(); }

}  // namespace platform
