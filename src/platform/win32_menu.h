// The main window's menu bar, built from the popups the game asks for: each item sends
// WM_COMMAND with its id, id 0 is a separator, and a popup marked for the right end starts the
// part of the bar drawn at the right. Texts are Windows-1252, shown through the wide calls.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_windows.h"

namespace platform::win32 {

struct MenuFree {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A menu no window owns yet; a window given it with SetMenu destroys it with itself.
using MenuPtr = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuFree>;

MenuPtr BuildMenuBar(const std::vector<MenuPopup>& popups);

}  // namespace platform::win32
