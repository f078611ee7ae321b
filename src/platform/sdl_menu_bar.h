// The window's menu bar for the SDL backend, drawn by ourselves because SDL has no menus: the
// popups of a WindowSpec laid out like a Windows menu bar, driven by the mouse and by Alt plus
// the underlined letter, and painted in software with platform::fonts. The class knows nothing
// of SDL: the backend feeds it window coordinates and virtual-key codes and shows its pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.h"
#include "platform/platform.h"

namespace platform::sdl {

// A menu text with its '&' markers resolved: "&&" is a literal '&', "&x" underlines x.
struct MnemonicText {
  std::string shown;
  int underline = -1;  // index into `shown`, -1 when no letter is marked
};
MnemonicText ParseMnemonic(std::string_view text);

// A 32-bit picture (0x00RRGGBB), rows top-down.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  void Resize(int w, int h);
  void FillRect(int x, int y, int w, int h, uint32_t colour);
};

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// What one input event did to the menu.
struct MenuOutcome {
  bool consumed = false;  // the event belongs to the menu (or the non-client area)
  int command = 0;        // a chosen item id (WM_COMMAND), 0 for none
  bool close = false;     // Alt+F4: the window should get WM_CLOSE
};

class MenuBar {
 public:
  static constexpr int kBarHeight = 20;

  // `font` draws and measures the texts; null lays out with no text (nothing is drawn).
  MenuBar(std::vector<MenuPopup> popups, std::shared_ptr<const fonts::Font> font);

  // Lays the titles out across a window of this width (the right-end popup and those after it
  // are pushed to the right edge) and keeps popups inside it.
  void Layout(int windowWidth, int windowHeight);

  // Input in window coordinates (the bar occupies rows 0 .. kBarHeight-1).
  MenuOutcome MouseMove(int x, int y);
  MenuOutcome MouseDown(int x, int y);
  MenuOutcome MouseUp(int x, int y);
  // Virtual-key codes; `alt` tells whether an Alt key is held.
  MenuOutcome KeyDown(uint32_t vk, bool alt);
  MenuOutcome KeyUp(uint32_t vk);
  void Cancel();  // leaves menu mode (focus lost, window closing)

  // In menu mode every key and mouse event belongs to the menu.
  bool Active() const { return mode_ != Mode::Idle; }
  int OpenPopup() const { return mode_ == Mode::PopupOpen ? current_ : -1; }
  int HotItem() const { return hotItem_; }

  // Geometry, for hit tests and for showing the pictures.
  Box TitleBox(int popup) const { return titles_.at(popup).box; }
  Box PopupBox() const;         // the open popup; empty when none
  Box ItemBox(int item) const;  // an item of the open popup, window coordinates

  // True once after anything visible changed.
  bool TakeChanged();
  void DrawBar(Canvas& canvas) const;    // kBarHeight rows, the window's width
  void DrawPopup(Canvas& canvas) const;  // the size of PopupBox()

 private:
  enum class Mode { Idle, BarArmed, PopupOpen };
  struct Title {
    MnemonicText text;
    Box box;
  };
  struct Item {
    int id = 0;
    MnemonicText text;
    int top = 0;  // inside the popup
    int height = 0;
  };
  struct PopupLayout {
    std::vector<Item> items;
    int width = 0;
    int height = 0;
  };

  int TextWidth(const std::string& text) const;
  void DrawText(Canvas& canvas, int x, int top, int height, const MnemonicText& text) const;
  int TitleAt(int x, int y) const;
  int ItemAt(int x, int y) const;
  void Open(int popup, bool byKeyboard);
  void CloseAll();
  void MoveHot(int step);
  int FindByLetter(const std::vector<MnemonicText*>& texts, char letter, int after) const;
  MenuOutcome Choose(int item);
  MenuOutcome KeyInPopup(uint32_t vk);
  MenuOutcome KeyOnBar(uint32_t vk);
  void SetHotTitle(int title);
  void SetHotItem(int item);

  std::vector<MenuPopup> popups_;
  std::shared_ptr<const fonts::Font> font_;
  std::vector<Title> titles_;
  std::vector<PopupLayout> layouts_;
  int windowWidth_ = 0;
  int windowHeight_ = 0;

  Mode mode_ = Mode::Idle;
  int current_ = 0;           // highlighted title (BarArmed) or open popup (PopupOpen)
  int hotTitle_ = -1;         // title under the pointer while idle
  int hotItem_ = -1;          // highlighted item of the open popup
  bool buttonOwned_ = false;  // the pressed mouse button went to the menu
  bool altAlone_ = false;     // Alt is down and nothing else was pressed since
  bool changed_ = true;
};

}  // namespace platform::sdl
