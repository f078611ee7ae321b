// <windows.h> for the Win32 backend's files. Windows renames some functions by macro to their
// ...A or ...W forms; the ones that share a name with Platform's members are undone here, so
// that the members keep their names and the Windows calls are made by their full names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// windows.h first: mmsystem.h builds on it.
#include <windows.h>

#include <mmsystem.h>

#undef GetMessage
#undef PostMessage
#undef PlaySound
#undef CreateWindow

namespace platform::win32 {

// The object a window procedure serves: given to CreateWindowExW as its creation parameter,
// kept in the window's user data from WM_NCCREATE on; null before then and once cleared.
template <typename T>
T* WindowOwner(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace platform::win32
