// The Win32 backend's rules that need no window: which window messages reach the engine and as
// what, box styles and answers, the menu bar built from the game's popups, and where MCI's
// notices go.
#include <gtest/gtest.h>

#include "platform/win32_audio.h"
#include "platform/win32_box.h"
#include "platform/win32_menu.h"
#include "platform/win32_messages.h"
#include "platform/win32_wide.h"

namespace platform::win32 {
namespace {

TEST(Win32Messages, ReachTheEngineWithTheirWindowsParameters) {
  struct Case {
    const char* what;
    uint32_t id;
    uint64_t wParam;
    int64_t lParam;
    std::optional<Message> expected;
  };
  const int64_t keyUpSignExtended = static_cast<int32_t>(0xC0010001u);  // as a 64-bit LPARAM may carry it
  const Case cases[] = {
      {"key down", kWmKeyDown, 'Z', 0x002C0001, Message{kWmKeyDown, 'Z', 0x002C0001}},
      {"key up: 32-bit lParam", kWmKeyUp, kVkEscape, keyUpSignExtended, Message{kWmKeyUp, kVkEscape, 0xC0010001}},
      {"char", kWmChar, 0xF1, 1, Message{kWmChar, 0xF1, 1}},
      {"move", kWmMouseMove, kMkLButton | 0x4, MakeLParam(-5, 700),
       Message{kWmMouseMove, kMkLButton | 0x4, MakeLParam(-5, 700)}},
      {"double click", kWmLButtonDblClk, kMkLButton, MakeLParam(3, 4),
       Message{kWmLButtonDblClk, kMkLButton, MakeLParam(3, 4)}},
      {"middle up", kWmMButtonUp, 0, MakeLParam(1, 2), Message{kWmMButtonUp, 0, MakeLParam(1, 2)}},
      {"wheel", kWmMouseWheel, MakeWheelWParam(-240, kMkRButton), MakeLParam(900, 10),
       Message{kWmMouseWheel, MakeWheelWParam(-240, kMkRButton), MakeLParam(900, 10)}},
      {"menu command", kWmCommand, 500, 0, Message{kWmCommand, 500, 0}},
      {"accelerator", kWmCommand, (1u << 16) | 521, 0, Message{kWmCommand, 521, 0}},
      {"control notice", kWmCommand, (0x300u << 16) | 5, 0x1234, std::nullopt},
      {"button click", kWmCommand, 7, 0x1234, std::nullopt},
      {"close", kWmClose, 9, 9, Message{kWmClose, 0, 0}},
      {"alt key (menu)", kWmSysKeyDown, 18, 0x20380001, std::nullopt},
      {"destroy", kWmDestroy, 0, 0, std::nullopt},
      {"paint", 0x000F, 0, 0, std::nullopt},
      {"horizontal wheel", 0x020E, 0, 0, std::nullopt},
      {"tune ended (comes from the audio side)", kMmMciNotify, 1, 7, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<Message> got = EngineMessage(c.id, c.wParam, c.lParam);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (!got) continue;
    EXPECT_EQ(got->id, c.expected->id);
    EXPECT_EQ(got->wParam, c.expected->wParam);
    EXPECT_EQ(got->lParam, c.expected->lParam);
  }
}

TEST(Win32Messages, CharactersBecomeWindows1252) {
  const std::pair<uint64_t, uint64_t> cases[] = {{'a', 'a'},     {0xF1, 0xF1},  {0x20AC, 0x80},
                                                 {0x2019, 0x92}, {0x03A9, '?'}, {0xD83D, '?'}};
  for (const auto& [utf16, cp1252] : cases) EXPECT_EQ(CharFromUtf16(utf16), cp1252) << utf16;
}

TEST(Win32Text, Windows1252AndUtf8BecomeTheSameUtf16) {
  EXPECT_EQ(WideFromCp1252("\xBF"
                           "Salir? \x80 \x92"),
            L"\u00BFSalir? \u20AC \u2019");
  EXPECT_EQ(WideFromUtf8("Canci\xC3\xB3n \xE2\x82\xAC"), L"Canci\u00F3n \u20AC");
  EXPECT_EQ(Utf8FromWide(L"Canci\u00F3n \u20AC"), "Canci\xC3\xB3n \xE2\x82\xAC");
  EXPECT_EQ(WideFromCp1252(""), L"");
}

TEST(Win32Box, StyleAndAnswerPerKind) {
  EXPECT_EQ(BoxStyle(BoxKind::Error, true), UINT(MB_OK | MB_ICONERROR));
  EXPECT_EQ(BoxStyle(BoxKind::Info, true), UINT(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(BoxStyle(BoxKind::Question, true), UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(BoxStyle(BoxKind::Error, false), UINT(MB_OK | MB_ICONERROR | MB_SETFOREGROUND));

  struct Case {
    BoxKind kind;
    int pressed;
    BoxAnswer answer;
  };
  const Case cases[] = {
      {BoxKind::Question, IDYES, BoxAnswer::Yes},   {BoxKind::Question, IDNO, BoxAnswer::No},
      {BoxKind::Question, 0, BoxAnswer::Yes},  // a quit box that cannot show counts as Yes
      {BoxKind::Question, IDCANCEL, BoxAnswer::No}, {BoxKind::Info, IDOK, BoxAnswer::Ok},
      {BoxKind::Error, 0, BoxAnswer::Ok},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnswerFromButton(c.kind, c.pressed), c.answer) << static_cast<int>(c.kind) << " pressed " << c.pressed;
  }
}

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

UINT ItemType(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.fType;
}

TEST(Win32Menu, BarHoldsThePopupsWithTheirCommandIds) {
  const std::vector<MenuPopup> popups = {
      {"&Juego", {{500, "&Salir"}}, false},
      {"&Ayuda", {{520, "Acerca del juego"}, {521, "Controles del juego"}, {0, ""}, {533, "Ir al sitio web"}}, true}};
  const MenuPtr bar = BuildMenuBar(popups);
  ASSERT_TRUE(bar);
  ASSERT_EQ(GetMenuItemCount(bar.get()), 2);
  EXPECT_EQ(ItemText(bar.get(), 0), L"&Juego");
  EXPECT_EQ(ItemText(bar.get(), 1), L"&Ayuda");
  EXPECT_EQ(ItemType(bar.get(), 0) & MFT_RIGHTJUSTIFY, 0u);
  EXPECT_NE(ItemType(bar.get(), 1) & MFT_RIGHTJUSTIFY, 0u);

  struct Item {
    int popup, position;
    int id;  // 0: separator
    const wchar_t* text;
  };
  const Item items[] = {{0, 0, 500, L"&Salir"},
                        {1, 0, 520, L"Acerca del juego"},
                        {1, 1, 521, L"Controles del juego"},
                        {1, 2, 0, L""},
                        {1, 3, 533, L"Ir al sitio web"}};
  for (const Item& item : items) {
    SCOPED_TRACE(item.text);
    HMENU popup = GetSubMenu(bar.get(), item.popup);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), item.popup == 0 ? 1 : 4);
    EXPECT_EQ(ItemType(popup, static_cast<UINT>(item.position)) & MFT_SEPARATOR,
              item.id == 0 ? UINT(MFT_SEPARATOR) : 0u);
    if (item.id == 0) continue;
    EXPECT_EQ(GetMenuItemID(popup, item.position), static_cast<UINT>(item.id));
    EXPECT_EQ(ItemText(popup, static_cast<UINT>(item.position)), item.text);
  }
}

TEST(Win32Mci, NoticesGoByTheDeviceTheyName) {
  using Kind = MciNotices::Kind;
  MciNotices notices;
  EXPECT_EQ(notices.Take(0).kind, Kind::Drop);  // nothing opened: device 0 is no tune
  EXPECT_EQ(notices.Take(3).kind, Kind::Drop);
  notices.MusicOpened(3);
  EXPECT_EQ(notices.Take(3).kind, Kind::ToEngine);
  EXPECT_EQ(notices.Take(3).kind, Kind::ToEngine);  // the tune's notices go on every time
  notices.EffectOpened(4, L"effect1");
  notices.EffectOpened(5, L"effect2");
  const MciNotices::Route effect = notices.Take(4);
  EXPECT_EQ(effect.kind, Kind::CloseEffect);
  EXPECT_EQ(effect.alias, L"effect1");
  EXPECT_EQ(notices.Take(4).kind, Kind::Drop);  // closed once only
  notices.AllClosed();
  EXPECT_EQ(notices.Take(5).kind, Kind::Drop);  // "close all" closed it already
  // A closed tune's id handed to an effect, and back.
  notices.EffectOpened(3, L"effect3");
  EXPECT_EQ(notices.Take(3).kind, Kind::CloseEffect);
  EXPECT_EQ(notices.Take(3).kind, Kind::Drop);
  notices.EffectOpened(6, L"effect4");
  notices.MusicOpened(6);
  EXPECT_EQ(notices.Take(6).kind, Kind::ToEngine);
}

}  // namespace
}  // namespace platform::win32
