// The platform layer: every service the engine needs from the operating system, behind one
// interface. The engine speaks in the terms of the Windows interfaces it was designed around
// (message numbers, virtual keys, message boxes, media commands); each backend maps them onto
// its own system. Texts crossing this interface are Windows-1252 bytes; a backend converts them
// to its own encoding (UTF-8 for SDL and the transcript).
//
// Backends: sdl_platform.cpp (desktop), headless_platform.cpp (tests, CI, screenshots).
// template_platform.cpp shows what a new port must provide.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace platform {

// ---- Messages, with their Windows numbers -------------------------------------------------
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmKeyUp = 0x0101;
inline constexpr uint32_t kWmChar = 0x0102;
inline constexpr uint32_t kWmCommand = 0x0111;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kWmLButtonDown = 0x0201;
inline constexpr uint32_t kWmLButtonUp = 0x0202;
inline constexpr uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr uint32_t kWmRButtonDown = 0x0204;
inline constexpr uint32_t kWmRButtonUp = 0x0205;
inline constexpr uint32_t kWmRButtonDblClk = 0x0206;
inline constexpr uint32_t kWmMButtonDown = 0x0207;
inline constexpr uint32_t kWmMButtonUp = 0x0208;
inline constexpr uint32_t kWmMouseWheel = 0x020A;
inline constexpr uint32_t kMmMciNotify = 0x03B9;

// wParam bits of mouse messages.
inline constexpr uint64_t kMkLButton = 0x0001;
inline constexpr uint64_t kMkRButton = 0x0002;
inline constexpr uint64_t kMkMButton = 0x0010;

// wParam values of MM_MCINOTIFY.
inline constexpr uint64_t kMciNotifySuccessful = 1;
inline constexpr uint64_t kMciNotifySuperseded = 2;
inline constexpr uint64_t kMciNotifyAborted = 4;

// Virtual-key codes the engine reads; letters and digits are their ASCII capitals.
inline constexpr uint32_t kVkEscape = 27;
inline constexpr uint32_t kVkSpace = 32;
inline constexpr uint32_t kVkF1 = 0x70;  // F1..F12 follow in order

struct Message {
  uint32_t id = 0;
  uint64_t wParam = 0;
  int64_t lParam = 0;
};

// Mouse positions travel in lParam as on Windows: x in the low word, y in the high word, signed.
inline int64_t MakeLParam(int x, int y) {
  return static_cast<int64_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) | static_cast<uint16_t>(x));
}
inline int LParamX(int64_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
inline int LParamY(int64_t lParam) { return static_cast<int16_t>((lParam >> 16) & 0xFFFF); }
// The wheel delta is the signed high word of wParam.
inline uint64_t MakeWheelWParam(int delta, uint64_t buttons) {
  return (static_cast<uint64_t>(static_cast<uint16_t>(delta)) << 16) | (buttons & 0xFFFF);
}

// ---- Window -------------------------------------------------------------------------------
struct Size {
  int width = 0;
  int height = 0;
};

struct Rect {  // both edges included
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct MenuItem {
  int id = 0;        // 0 marks a separator
  std::string text;  // '&' marks the mnemonic letter
};

struct MenuPopup {
  std::string title;  // '&' marks the mnemonic letter
  std::vector<MenuItem> items;
  bool atRightEnd = false;  // placed at the right end of the menu bar
};

struct WindowSpec {
  std::string title;
  int x = 0, y = 0, width = 0, height = 0;  // outer size: frame, caption and menu bar included
  std::vector<MenuPopup> menu;
  // The buttons of question boxes, in the game's language like every other text it shows.
  std::string yesButton = "Yes";
  std::string noButton = "No";
};

enum class BoxKind { Error, Info, Question };
// Texts the game draws into its own frame, noted as they appear (see Platform::NoteShown).
enum class ShownText { HudMessage, Bubble, Name, Banner, ImageDialog };
enum class BoxAnswer { Ok, Yes, No };

// ---- The backend interface ------------------------------------------------------------------
class Platform {
 public:
  virtual ~Platform() = default;

  // Window (main thread)
  virtual Size PrimaryScreenSize() = 0;                     // GetSystemMetrics
  virtual void MoveCursorTo(int screenX, int screenY) = 0;  // SetCursorPos
  virtual bool CreateMainWindow(const WindowSpec& window) = 0;
  virtual bool HasMainWindow() const = 0;
  virtual void SetWindowPlacement(int x, int y, int width, int height) = 0;  // SetWindowPos
  virtual void SetWindowTitle(const std::string& title) = 0;                 // SetWindowTextA
  virtual void UseArrowCursor() = 0;                                         // SetCursor
  // WM_SETICON, large and small: pixels 0xAARRGGBB, rows top-down.
  virtual void SetWindowIcon(const std::vector<uint32_t>& pixels, int width, int height) = 0;
  virtual void OpenUrl(const std::string& url) = 0;  // ShellExecute "open"

  // Modal boxes (any thread; owned means owned by the main window)
  virtual BoxAnswer ShowBox(BoxKind kind, bool owned, const std::string& caption, const std::string& text) = 0;

  // Message loop (main thread). GetMessage blocks; false once a quit request was taken.
  virtual bool GetMessage(Message& out) = 0;
  virtual void PostQuit(int exitCode) = 0;  // PostQuitMessage
  // The exit code of the first quit request (the WM_QUIT wParam); 0 before any.
  virtual int QuitCode() const = 0;

  // A text the game has just shown inside its frame (game-loop thread, in drawing order): a HUD
  // message, a speech bubble or a name over the unit `unit` names, the death banner, the image
  // dialog (the text is its file). Windows-1252. The headless backend writes it to the
  // transcript; a desktop one has drawn it already.
  virtual void NoteShown(ShownText /*kind*/, const std::string& /*unit*/, const std::string& /*text*/) {}
  virtual void PostMessage(const Message& message) = 0;  // from any thread

  // Frames (game-loop thread). BeginFrame/EndFrame bracket one pass of the loop, as GetDC and
  // ReleaseDC do; BeginFrame returns false when no pass should run now (the loop is stopping).
  virtual void GameLoopStarting() = 0;  // called before the game-loop thread is created
  virtual void GameLoopStopping() = 0;  // called before the game-loop thread is joined
  virtual bool BeginFrame() = 0;
  // The whole back buffer, rows stored bottom-up (storage row 0 is the bottom row).
  virtual void PresentFrame(const uint32_t* bottomUpPixels, int width, int height) = 0;
  // The same with the frame's top-left pixel at (x, y) of the client area, as a destination
  // given to SetDIBitsToDevice; what falls outside the client area is not shown.
  virtual void PresentFrameAt(const uint32_t* bottomUpPixels, int width, int height, int x, int y) = 0;
  virtual void EndFrame() = 0;
  // The selection box, drawn over the shown picture and never into the back buffer.
  virtual void SetDragRect(std::optional<Rect> clientRect) = 0;

  // Time (any thread)
  // GetTickCount, for the game: it may stand still until GameLoopStarting, so that loading takes
  // no game time.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t ms) = 0;

  // Audio (any thread); each returns false when the command failed.
  virtual bool AudioCloseAll() = 0;                         // "close all"
  virtual bool MusicOpen(const std::string& path) = 0;      // "open <path> type sequencer alias MUSIC"
  virtual bool MusicPlayFromStart() = 0;                    // "play MUSIC from 0 notify"
  virtual void PlaySoundFile(const std::string& path) = 0;  // "play <path>", fire and forget

  // Script threads (any thread). A script thread runs its lines between ScriptThreadStarted
  // (called before the thread is created) and ScriptThreadEnded, and waits only in ScriptSleep
  // (ms of the backend's clock) and ScriptYield (a short pause that lets the game go on), so a
  // backend on virtual time can move its clock only while every script thread waits or has
  // ended. WakeScripts(true) cuts every such wait short until WakeScripts(false) (shutdown).
  // The defaults wait on the real clock.
  virtual void ScriptThreadStarted() {}
  // Called by the script thread itself before its first line. A backend on virtual time holds a
  // script that a pass started (a unit's event during the step) until that pass has drawn, so
  // the frame never depends on which thread took the world lock first.
  virtual void ScriptThreadBegins() {}
  virtual void ScriptThreadEnded() {}
  virtual void ScriptSleep(uint32_t ms);
  virtual void ScriptYield();
  virtual void WakeScripts(bool wake);

  // Saved games. A backend on virtual time says where its clock is (ms since the start of the
  // run and passes begun), and resumes a saved game there: the clock reads on from the saved
  // time, the next pass is the one the save was made before, and input events up to that time
  // are skipped. Backends on the real clock have nothing to keep (false) and ignore the resume.
  struct ClockPosition {
    uint32_t elapsedMs = 0;
    int64_t passes = 0;
  };
  virtual bool VirtualClock(ClockPosition&) const { return false; }
  virtual void ResumeClock(const ClockPosition&) {}

  // Fonts: registers a font file for this process only (AddFontResourceExA, FR_PRIVATE).
  // Returns false when the file is not a usable font.
  virtual bool AddPrivateFont(const std::string& path) = 0;

  // Threads (main thread): a short-lived start-up thread (the tune's) was just created. A
  // desktop backend lets it run alongside start-up; a backend that must give the same
  // transcript on every run waits for it here, so what it does always comes at this point.
  virtual void StartupThreadCreated(std::thread& thread) { (void)thread; }
};

// The backend in use. Install replaces it (tests install a fresh headless one per test).
Platform& Get();
void Install(std::unique_ptr<Platform> backend);
bool IsInstalled();

}  // namespace platform
