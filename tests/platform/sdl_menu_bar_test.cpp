// The SDL backend's own menu bar: layout, mouse and keyboard use, and its picture.
#include "platform/sdl_menu_bar.h"

#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

constexpr uint32_t kVkReturn = 13;
constexpr uint32_t kVkMenu = 18;
constexpr uint32_t kVkUp = 38;
constexpr uint32_t kVkDown = 40;
constexpr uint32_t kVkRight = 39;

// Every glyph a solid 6x8 block on an 8-pixel advance, so layout does not depend on fonts.
class BlockFont : public fonts::Font {
 public:
  BlockFont() {
    glyph_.advance = 8;
    glyph_.width = 6;
    glyph_.height = 8;
    glyph_.originY = 8;
    glyph_.levels.assign(48, 64);
  }
  int LineHeight() const override { return 12; }
  int Ascent() const override { return 10; }
  const fonts::Glyph& GetGlyph(uint8_t) const override { return glyph_; }
  const fonts::Glyph& GetUnicodeGlyph(char32_t) const override { return glyph_; }

 private:
  fonts::Glyph glyph_;
};

std::vector<MenuPopup> GameMenu() {
  return {{"&Game", {{500, "&Quit"}}, false},
          {"&Help",
           {{520, "About the game"},
            {521, "Game controls"},
            {0, ""},
            {522, "About Tessaloom 2D"},
            {533, "Go to Tessaloom 2D Website"}},
           true}};
}

class MenuBarTest : public ::testing::Test {
 protected:
  MenuBarTest() : menu(GameMenu(), std::make_shared<BlockFont>()) { menu.Layout(800, 480); }

  static int CentreX(const Box& b) { return b.x + b.w / 2; }
  static int CentreY(const Box& b) { return b.y + b.h / 2; }
  MenuOutcome Click(const Box& b) {
    const MenuOutcome down = menu.MouseDown(CentreX(b), CentreY(b));
    const MenuOutcome up = menu.MouseUp(CentreX(b), CentreY(b));
    EXPECT_TRUE(down.consumed);
    return up;
  }

  MenuBar menu;
};

TEST(MnemonicTest, MarkersResolve) {
  const MnemonicText literal = ParseMnemonic("R&&D &x");
  EXPECT_EQ(literal.shown, "R&D x");
  EXPECT_EQ(literal.underline, 4);
  EXPECT_EQ(ParseMnemonic("end&").shown, "end&");
  EXPECT_EQ(ParseMnemonic("end&").underline, -1);
}

TEST_F(MenuBarTest, HelpSitsAtTheRightEndAndItsPopupStaysInside) {
  const Box game = menu.TitleBox(0), help = menu.TitleBox(1);
  EXPECT_EQ(game.x, 0);
  EXPECT_EQ(help.x + help.w, 800);
  EXPECT_EQ(help.h, MenuBar::kBarHeight);
  Click(help);
  ASSERT_EQ(menu.OpenPopup(), 1);
  const Box popup = menu.PopupBox();
  EXPECT_LE(popup.x + popup.w, 800);
  EXPECT_EQ(popup.y, MenuBar::kBarHeight);
  // A window narrower than both titles keeps Help after Game rather than over it.
  menu.Layout(10, 100);
  EXPECT_GE(menu.TitleBox(1).x, menu.TitleBox(0).x + menu.TitleBox(0).w);
}

TEST_F(MenuBarTest, MouseChoosesItemsAndClicksElsewhereClose) {
  EXPECT_FALSE(menu.MouseDown(400, 300).consumed);  // client area while idle
  EXPECT_FALSE(menu.MouseUp(400, 300).consumed);

  Click(menu.TitleBox(0));
  ASSERT_EQ(menu.OpenPopup(), 0);
  EXPECT_EQ(Click(menu.ItemBox(0)).command, 500);
  EXPECT_FALSE(menu.Active());

  // Separators choose nothing; a click outside closes and is eaten.
  Click(menu.TitleBox(1));
  EXPECT_EQ(Click(menu.ItemBox(2)).command, 0);
  EXPECT_TRUE(menu.Active());
  EXPECT_TRUE(menu.MouseDown(100, 400).consumed);
  EXPECT_TRUE(menu.MouseUp(100, 400).consumed);
  EXPECT_FALSE(menu.Active());

  // Clicking the open title again closes its popup; moving onto the other title switches.
  Click(menu.TitleBox(0));
  Click(menu.TitleBox(0));
  EXPECT_FALSE(menu.Active());
  Click(menu.TitleBox(0));
  menu.MouseMove(CentreX(menu.TitleBox(1)), 5);
  EXPECT_EQ(menu.OpenPopup(), 1);
  // Press on the title, drag to an item, release: chosen.
  menu.Cancel();
  menu.MouseDown(CentreX(menu.TitleBox(1)), 5);
  const Box item = menu.ItemBox(4);
  menu.MouseMove(CentreX(item), CentreY(item));
  EXPECT_EQ(menu.MouseUp(CentreX(item), CentreY(item)).command, 533);
}

TEST_F(MenuBarTest, AltLetterOpensAndKeysNavigate) {
  MenuOutcome out = menu.KeyDown('H', true);
  EXPECT_TRUE(out.consumed);
  ASSERT_EQ(menu.OpenPopup(), 1);
  EXPECT_EQ(menu.HotItem(), 0);
  menu.KeyDown(kVkDown, false);
  menu.KeyDown(kVkDown, false);  // over the separator
  EXPECT_EQ(menu.HotItem(), 3);
  menu.KeyDown(kVkUp, false);
  menu.KeyDown(kVkUp, false);
  menu.KeyDown(kVkUp, false);  // wraps to the last item
  EXPECT_EQ(menu.HotItem(), 4);
  EXPECT_EQ(menu.KeyDown(kVkReturn, false).command, 533);
  EXPECT_FALSE(menu.Active());

  menu.KeyDown('G', true);
  EXPECT_EQ(menu.KeyDown('Q', false).command, 500);

  // Right moves to the next popup; Escape leaves menu mode and is not the game's.
  menu.KeyDown('G', true);
  menu.KeyDown(kVkRight, false);
  EXPECT_EQ(menu.OpenPopup(), 1);
  EXPECT_TRUE(menu.KeyDown(kVkEscape, false).consumed);
  EXPECT_FALSE(menu.Active());
  EXPECT_FALSE(menu.KeyDown(kVkEscape, false).consumed);
}

TEST_F(MenuBarTest, LettersWithoutMarkersUseFirstLetters) {
  menu.KeyDown('H', true);
  // "Game controls" and "Go to ..." share G: the highlight steps instead of choosing.
  EXPECT_EQ(menu.KeyDown('G', false).command, 0);
  EXPECT_EQ(menu.HotItem(), 1);
  menu.KeyDown('G', false);
  EXPECT_EQ(menu.HotItem(), 4);
  menu.KeyDown('G', false);
  EXPECT_EQ(menu.HotItem(), 1);
  EXPECT_EQ(menu.KeyDown('Z', false).command, 0);  // no item: nothing happens
  EXPECT_TRUE(menu.Active());
}

TEST_F(MenuBarTest, AltAloneArmsTheBarAndTakesTheKeyboard) {
  menu.KeyDown(kVkMenu, true);
  EXPECT_FALSE(menu.Active());
  EXPECT_TRUE(menu.KeyUp(kVkMenu).consumed);
  ASSERT_TRUE(menu.Active());
  EXPECT_EQ(menu.OpenPopup(), -1);
  EXPECT_TRUE(menu.KeyDown('Z', false).consumed);  // a game key goes to the menu now
  EXPECT_TRUE(menu.KeyUp('Z').consumed);
  menu.KeyDown(kVkReturn, false);
  EXPECT_EQ(menu.OpenPopup(), 0);
  menu.Cancel();

  // Alt used with another key does not arm the bar; Alt+F4 asks for the close.
  menu.KeyDown(kVkMenu, true);
  EXPECT_TRUE(menu.KeyDown(kVkF1 + 3, true).close);
  menu.KeyUp(kVkMenu);
  EXPECT_FALSE(menu.Active());
}

TEST_F(MenuBarTest, PictureShowsOpenTitleUnderlineAndHighlight) {
  menu.KeyDown('H', true);
  Canvas bar;
  menu.DrawBar(bar);
  ASSERT_EQ(bar.width, 800);
  ASSERT_EQ(bar.height, MenuBar::kBarHeight);
  const Box game = menu.TitleBox(0), help = menu.TitleBox(1);
  auto at = [](const Canvas& c, int x, int y) { return c.pixels[static_cast<size_t>(y * c.width + x)]; };
  EXPECT_NE(at(bar, help.x + 2, 2), at(bar, game.x + 2, 2));  // the open title is marked
  // Text rows: baseline 4 + 10 = 14, glyphs from row 6; the underline two rows below the
  // baseline runs under the first letter only.
  const int textX = game.x + 7;
  EXPECT_EQ(at(bar, textX + 1, 10), 0x000000u);
  EXPECT_EQ(at(bar, textX + 1, 16), 0x000000u);
  EXPECT_NE(at(bar, textX + 8 + 1, 16), 0x000000u);

  Canvas popup;
  menu.DrawPopup(popup);
  const Box box = menu.PopupBox();
  ASSERT_EQ(popup.width, box.w);
  const Box first = menu.ItemBox(0), second = menu.ItemBox(1);
  EXPECT_NE(at(popup, 3, first.y - box.y + 1), at(popup, 3, second.y - box.y + 1));
}

}  // namespace
}  // namespace platform::sdl
