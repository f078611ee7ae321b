#include "platform/sdl_menu_bar.h"

#include <algorithm>
#include <cctype>

namespace platform::sdl {
namespace {

// Virtual keys the menu reacts to.
constexpr uint32_t kVkReturn = 13;
constexpr uint32_t kVkMenu = 18;  // either Alt key
constexpr uint32_t kVkLeft = 37;
constexpr uint32_t kVkUp = 38;
constexpr uint32_t kVkRight = 39;
constexpr uint32_t kVkDown = 40;
constexpr uint32_t kVkF4 = kVkF1 + 3;
constexpr uint32_t kVkF10 = kVkF1 + 9;

// Light Windows-like colours.
constexpr uint32_t kBarColour = 0xF0F0F0;
constexpr uint32_t kTextColour = 0x000000;
constexpr uint32_t kHotFill = 0xE5F3FF;
constexpr uint32_t kHotBorder = 0xCCE8FF;
constexpr uint32_t kOpenFill = 0xCCE8FF;
constexpr uint32_t kOpenBorder = 0x99D1FF;
constexpr uint32_t kPopupColour = 0xF2F2F2;
constexpr uint32_t kPopupBorder = 0xCCCCCC;
constexpr uint32_t kSeparatorColour = 0xD7D7D7;
constexpr uint32_t kItemHighlight = 0x91C9F7;

// Metrics in pixels.
constexpr int kTitlePadding = 7;
constexpr int kPopupFrame = 3;  // border and inner margin, top and bottom
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 9;
constexpr int kItemTextLeft = 28;  // room for a check mark column, as on Windows
constexpr int kItemTextRight = 24;
constexpr int kMinPopupWidth = 100;

bool IsLetterKey(uint32_t vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }

char UpperAscii(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The letter that chooses a text: the marked one, or else its first character.
char MnemonicLetter(const MnemonicText& text, bool explicitOnly) {
  if (text.underline >= 0) return UpperAscii(text.shown[static_cast<size_t>(text.underline)]);
  if (explicitOnly || text.shown.empty()) return 0;
  return UpperAscii(text.shown.front());
}

uint32_t Shade(uint32_t background, uint32_t ink, int level) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int b = static_cast<int>((background >> shift) & 0xFF);
    const int i = static_cast<int>((ink >> shift) & 0xFF);
    out |= static_cast<uint32_t>((b * (64 - level) + i * level) / 64) << shift;
  }
  return out;
}

void FrameRect(Canvas& canvas, const Box& box, uint32_t border, uint32_t fill) {
  canvas.FillRect(box.x, box.y, box.w, box.h, border);
  canvas.FillRect(box.x + 1, box.y + 1, box.w - 2, box.h - 2, fill);
}

}  // namespace

MnemonicText ParseMnemonic(std::string_view text) {
  MnemonicText out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && out.underline < 0) out.underline = static_cast<int>(out.shown.size());
    }
    out.shown.push_back(text[i]);
  }
  return out;
}

void Canvas::Resize(int w, int h) {
  width = std::max(w, 0);
  height = std::max(h, 0);
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

void Canvas::FillRect(int x, int y, int w, int h, uint32_t colour) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width), y1 = std::min(y + h, height);
  for (int row = y0; row < y1; ++row) {
    std::fill_n(pixels.begin() + static_cast<ptrdiff_t>(row) * width + x0, std::max(x1 - x0, 0), colour);
  }
}

MenuBar::MenuBar(std::vector<MenuPopup> popups, std::shared_ptr<const fonts::Font> font)
    : popups_(std::move(popups)), font_(std::move(font)) {
  for (const MenuPopup& popup : popups_) {
    titles_.push_back(Title{ParseMnemonic(popup.title), Box{}});
    PopupLayout layout;
    for (const MenuItem& item : popup.items) {
      layout.items.push_back(Item{item.id, ParseMnemonic(item.text), 0, 0});
    }
    layouts_.push_back(std::move(layout));
  }
}

// ---- Layout -----------------------------------------------------------------------------------

int MenuBar::TextWidth(const std::string& text) const {
  if (!font_) return 0;
  int width = 0;
  for (char c : text) width += font_->GetGlyph(static_cast<uint8_t>(c)).advance;
  return width;
}

void MenuBar::Layout(int windowWidth, int windowHeight) {
  windowWidth_ = std::max(windowWidth, 0);
  windowHeight_ = std::max(windowHeight, 0);
  // Titles from the left; the right-end one and those after it sit against the right edge.
  size_t rightGroup = titles_.size();
  for (size_t i = 0; i < popups_.size(); ++i) {
    if (popups_[i].atRightEnd) {
      rightGroup = i;
      break;
    }
  }
  int x = 0;
  for (size_t i = 0; i < titles_.size(); ++i) {
    Box& box = titles_[i].box;
    box = Box{x, 0, TextWidth(titles_[i].text.shown) + 2 * kTitlePadding, kBarHeight};
    x += box.w;
  }
  if (rightGroup < titles_.size()) {
    const int leftEnd = titles_[rightGroup].box.x;
    const int groupWidth = x - leftEnd;
    const int shift = std::max(windowWidth_ - groupWidth, leftEnd) - leftEnd;
    for (size_t i = rightGroup; i < titles_.size(); ++i) titles_[i].box.x += shift;
  }
  for (PopupLayout& layout : layouts_) {
    int top = kPopupFrame;
    int textWidth = 0;
    for (Item& item : layout.items) {
      item.top = top;
      item.height = item.id == 0 ? kSeparatorHeight : kItemHeight;
      top += item.height;
      textWidth = std::max(textWidth, TextWidth(item.text.shown));
    }
    layout.width = std::max(kMinPopupWidth, textWidth + kItemTextLeft + kItemTextRight);
    layout.height = top + kPopupFrame;
  }
  changed_ = true;
}

Box MenuBar::PopupBox() const {
  if (mode_ != Mode::PopupOpen) return Box{};
  const PopupLayout& layout = layouts_[static_cast<size_t>(current_)];
  const int x = std::clamp(titles_[static_cast<size_t>(current_)].box.x, 0, std::max(windowWidth_ - layout.width, 0));
  return Box{x, kBarHeight, layout.width, layout.height};
}

Box MenuBar::ItemBox(int item) const {
  const Box popup = PopupBox();
  if (popup.w == 0) return Box{};
  const Item& it = layouts_[static_cast<size_t>(current_)].items.at(static_cast<size_t>(item));
  return Box{popup.x, popup.y + it.top, popup.w, it.height};
}

int MenuBar::TitleAt(int x, int y) const {
  for (size_t i = 0; i < titles_.size(); ++i) {
    if (titles_[i].box.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

int MenuBar::ItemAt(int x, int y) const {
  const Box popup = PopupBox();
  if (!popup.Contains(x, y)) return -1;
  const auto& items = layouts_[static_cast<size_t>(current_)].items;
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    if (item.id != 0 && y >= popup.y + item.top && y < popup.y + item.top + item.height) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// ---- State ------------------------------------------------------------------------------------

bool MenuBar::TakeChanged() {
  const bool was = changed_;
  changed_ = false;
  return was;
}

void MenuBar::SetHotTitle(int title) {
  if (hotTitle_ != title) changed_ = true;
  hotTitle_ = title;
}

void MenuBar::SetHotItem(int item) {
  if (hotItem_ != item) changed_ = true;
  hotItem_ = item;
}

void MenuBar::Open(int popup, bool byKeyboard) {
  mode_ = Mode::PopupOpen;
  current_ = popup;
  hotItem_ = -1;
  if (byKeyboard) MoveHot(1);
  changed_ = true;
}

void MenuBar::CloseAll() {
  if (mode_ != Mode::Idle) changed_ = true;
  mode_ = Mode::Idle;
  hotItem_ = -1;
}

void MenuBar::Cancel() {
  CloseAll();
  SetHotTitle(-1);
  altAlone_ = false;
  buttonOwned_ = false;
}

void MenuBar::MoveHot(int step) {
  const auto& items = layouts_[static_cast<size_t>(current_)].items;
  const int n = static_cast<int>(items.size());
  int at = hotItem_ < 0 ? (step > 0 ? -1 : n) : hotItem_;
  for (int tries = 0; tries < n; ++tries) {
    at = ((at + step) % n + n) % n;
    if (items[static_cast<size_t>(at)].id != 0) {
      SetHotItem(at);
      return;
    }
  }
}

// The next text after `after` (cyclic) chosen by the letter: marked letters first, then first
// letters of the texts that mark none. -1 when none matches.
int MenuBar::FindByLetter(const std::vector<MnemonicText*>& texts, char letter, int after) const {
  for (bool explicitOnly : {true, false}) {
    const int n = static_cast<int>(texts.size());
    for (int k = 1; k <= n; ++k) {
      const int i = ((after + k) % n + n) % n;
      if (texts[static_cast<size_t>(i)] && MnemonicLetter(*texts[static_cast<size_t>(i)], explicitOnly) == letter) {
        return i;
      }
    }
  }
  return -1;
}

MenuOutcome MenuBar::Choose(int item) {
  const int id = layouts_[static_cast<size_t>(current_)].items.at(static_cast<size_t>(item)).id;
  CloseAll();
  return MenuOutcome{true, id, false};
}

// ---- Mouse ------------------------------------------------------------------------------------

MenuOutcome MenuBar::MouseMove(int x, int y) {
  const int title = TitleAt(x, y);
  switch (mode_) {
    case Mode::PopupOpen:
      if (title >= 0 && title != current_) {
        Open(title, false);
      } else if (PopupBox().Contains(x, y)) {
        SetHotItem(ItemAt(x, y));
      }
      return MenuOutcome{true};
    case Mode::BarArmed:
      if (title >= 0 && title != current_) {
        current_ = title;
        changed_ = true;
      }
      return MenuOutcome{true};
    case Mode::Idle: break;
  }
  SetHotTitle(title);
  return MenuOutcome{y >= 0 && y < kBarHeight};
}

MenuOutcome MenuBar::MouseDown(int x, int y) {
  altAlone_ = false;
  const int title = TitleAt(x, y);
  if (mode_ == Mode::PopupOpen) {
    if (title == current_) {
      CloseAll();
    } else if (title >= 0) {
      Open(title, false);
    } else if (PopupBox().Contains(x, y)) {
      SetHotItem(ItemAt(x, y));  // chosen when the button comes up over it
    } else {
      CloseAll();
    }
  } else if (title >= 0) {
    Open(title, false);
  } else if (mode_ == Mode::BarArmed) {
    CloseAll();
  } else if (y < 0 || y >= kBarHeight) {
    return MenuOutcome{};  // a click in the client area
  }
  buttonOwned_ = true;
  return MenuOutcome{true};
}

MenuOutcome MenuBar::MouseUp(int x, int y) {
  const bool owned = buttonOwned_;
  buttonOwned_ = false;
  if (mode_ == Mode::PopupOpen) {
    const int item = ItemAt(x, y);
    if (item >= 0) return Choose(item);
  }
  return MenuOutcome{owned || Active()};
}

// ---- Keyboard ---------------------------------------------------------------------------------

MenuOutcome MenuBar::KeyDown(uint32_t vk, bool alt) {
  if (vk == kVkMenu) {
    altAlone_ = !Active();
    CloseAll();
    return MenuOutcome{true};
  }
  altAlone_ = false;
  if (mode_ == Mode::Idle && alt && vk == kVkF4) return MenuOutcome{true, 0, true};
  if (titles_.empty()) return MenuOutcome{alt};
  switch (mode_) {
    case Mode::BarArmed: return KeyOnBar(vk);
    case Mode::PopupOpen: return KeyInPopup(vk);
    case Mode::Idle: break;
  }
  if (alt) return KeyOnBar(vk);  // keys with Alt are system keys: the menu's, never the game's
  if (vk == kVkF10) {
    mode_ = Mode::BarArmed;
    current_ = 0;
    changed_ = true;
    return MenuOutcome{true};
  }
  return MenuOutcome{};
}

MenuOutcome MenuBar::KeyUp(uint32_t vk) {
  if (vk == kVkMenu) {
    if (altAlone_ && mode_ == Mode::Idle && !titles_.empty()) {
      mode_ = Mode::BarArmed;  // Alt pressed and released alone selects the first title
      current_ = 0;
      changed_ = true;
    }
    altAlone_ = false;
    return MenuOutcome{true};
  }
  return MenuOutcome{Active()};
}

MenuOutcome MenuBar::KeyOnBar(uint32_t vk) {
  const int n = static_cast<int>(titles_.size());
  if (vk == kVkEscape) {
    CloseAll();
  } else if (vk == kVkLeft || vk == kVkRight) {
    if (mode_ == Mode::BarArmed) {
      current_ = ((current_ + (vk == kVkLeft ? -1 : 1)) % n + n) % n;
      changed_ = true;
    }
  } else if (vk == kVkDown || vk == kVkUp || vk == kVkReturn) {
    if (mode_ == Mode::BarArmed) Open(current_, true);
  } else if (IsLetterKey(vk)) {
    std::vector<MnemonicText*> texts;
    for (Title& title : titles_) texts.push_back(&title.text);
    const int title = FindByLetter(texts, static_cast<char>(vk), -1);
    if (title >= 0) Open(title, true);
  }
  return MenuOutcome{true};
}

MenuOutcome MenuBar::KeyInPopup(uint32_t vk) {
  const int n = static_cast<int>(titles_.size());
  if (vk == kVkEscape) {
    CloseAll();
  } else if (vk == kVkUp || vk == kVkDown) {
    MoveHot(vk == kVkUp ? -1 : 1);
  } else if (vk == kVkLeft || vk == kVkRight) {
    Open(((current_ + (vk == kVkLeft ? -1 : 1)) % n + n) % n, true);
  } else if (vk == kVkReturn) {
    if (hotItem_ >= 0) return Choose(hotItem_);
  } else if (IsLetterKey(vk)) {
    auto& items = layouts_[static_cast<size_t>(current_)].items;
    std::vector<MnemonicText*> texts;
    for (Item& item : items) texts.push_back(item.id != 0 ? &item.text : nullptr);
    const int first = FindByLetter(texts, static_cast<char>(vk), -1);
    if (first >= 0) {
      // One item with this letter is chosen at once; several are stepped through.
      const int next = FindByLetter(texts, static_cast<char>(vk), first);
      if (next == first) return Choose(first);
      SetHotItem(FindByLetter(texts, static_cast<char>(vk), hotItem_));
    }
  }
  return MenuOutcome{true};
}

// ---- Drawing ----------------------------------------------------------------------------------

void MenuBar::DrawText(Canvas& canvas, int x, int top, int height, const MnemonicText& text) const {
  if (!font_) return;
  const int baseline = top + (height - font_->LineHeight()) / 2 + font_->Ascent();
  int pen = x;
  for (size_t i = 0; i < text.shown.size(); ++i) {
    const fonts::Glyph& glyph = font_->GetGlyph(static_cast<uint8_t>(text.shown[i]));
    const int left = pen + glyph.originX;
    const int glyphTop = baseline - glyph.originY;
    for (int gy = 0; gy < glyph.height; ++gy) {
      const int py = glyphTop + gy;
      if (py < 0 || py >= canvas.height) continue;
      for (int gx = 0; gx < glyph.width; ++gx) {
        const int px = left + gx;
        const int level = glyph.levels[static_cast<size_t>(gy * glyph.width + gx)];
        if (px < 0 || px >= canvas.width || level == 0) continue;
        uint32_t& pixel = canvas.pixels[static_cast<size_t>(py) * canvas.width + px];
        pixel = Shade(pixel, kTextColour, std::min(level, 64));
      }
    }
    if (static_cast<int>(i) == text.underline) {
      canvas.FillRect(pen, baseline + 2, std::max(glyph.advance, 1), 1, kTextColour);
    }
    pen += glyph.advance;
  }
}

void MenuBar::DrawBar(Canvas& canvas) const {
  canvas.Resize(windowWidth_, kBarHeight);
  canvas.FillRect(0, 0, canvas.width, canvas.height, kBarColour);
  for (size_t i = 0; i < titles_.size(); ++i) {
    const int index = static_cast<int>(i);
    const Box& box = titles_[i].box;
    if (mode_ == Mode::PopupOpen && index == current_) {
      FrameRect(canvas, box, kOpenBorder, kOpenFill);
    } else if ((mode_ == Mode::BarArmed && index == current_) || (mode_ == Mode::Idle && index == hotTitle_)) {
      FrameRect(canvas, box, kHotBorder, kHotFill);
    }
    DrawText(canvas, box.x + kTitlePadding, box.y, box.h, titles_[i].text);
  }
}

void MenuBar::DrawPopup(Canvas& canvas) const {
  const Box popup = PopupBox();
  canvas.Resize(popup.w, popup.h);
  if (popup.w == 0) return;
  FrameRect(canvas, Box{0, 0, popup.w, popup.h}, kPopupBorder, kPopupColour);
  const auto& items = layouts_[static_cast<size_t>(current_)].items;
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    if (item.id == 0) {
      canvas.FillRect(kItemTextLeft, item.top + item.height / 2, popup.w - kItemTextLeft - 2, 1, kSeparatorColour);
      continue;
    }
    if (static_cast<int>(i) == hotItem_) {
      canvas.FillRect(2, item.top, popup.w - 4, item.height, kItemHighlight);
    }
    DrawText(canvas, kItemTextLeft, item.top, item.height, item.text);
  }
}

}  // namespace platform::sdl
