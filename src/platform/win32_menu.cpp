#include "platform/win32_menu.h"

#include "platform/win32_wide.h"

namespace platform::win32 {
namespace {

MenuPtr BuildPopup(const MenuPopup& popup) {
  MenuPtr menu(CreatePopupMenu());
  if (!menu) return menu;
  for (const MenuItem& item : popup.items) {
    if (item.id == 0) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), WideFromCp1252(item.text).c_str());
    }
  }
  return menu;
}

}  // namespace

MenuPtr BuildMenuBar(const std::vector<MenuPopup>& popups) {
  MenuPtr bar(CreateMenu());
  if (!bar) return bar;
  for (const MenuPopup& popup : popups) {
    MenuPtr sub = BuildPopup(popup);
    if (!sub) return nullptr;
    std::wstring title = WideFromCp1252(popup.title);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    // The right-justified item and all that follow it go to the right end of the bar.
    info.fType = MFT_STRING | (popup.atRightEnd ? MFT_RIGHTJUSTIFY : 0);
    info.dwTypeData = title.data();
    info.hSubMenu = sub.get();
    if (!InsertMenuItemW(bar.get(), GetMenuItemCount(bar.get()), TRUE, &info)) return nullptr;
    sub.release();  // the bar owns it now
  }
  return bar;
}

}  // namespace platform::win32
