#include "platform/win32_box.h"

#include <cstdio>
#include <optional>

#include "platform/win32_wide.h"

namespace platform::win32 {
namespace {

// MessageBoxW labels its buttons in the system's language; a question's buttons must speak the
// game's. A hook on this thread relabels them when the box's window is first activated.
struct PendingLabels {
  std::wstring yes;
  std::wstring no;
  HHOOK hook = nullptr;
};
thread_local PendingLabels* g_labels = nullptr;

// '&' before the first letter keeps the Y/N (S/N) keyboard shortcut of the standard buttons.
std::wstring ButtonText(const std::string& label) { return L"&" + WideFromCp1252(label); }

LRESULT CALLBACK RelabelHook(int code, WPARAM wParam, LPARAM lParam) {
  PendingLabels* labels = g_labels;
  if (labels == nullptr) return CallNextHookEx(nullptr, code, wParam, lParam);
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    if (HWND yes = GetDlgItem(box, IDYES)) SetWindowTextW(yes, labels->yes.c_str());
    if (HWND no = GetDlgItem(box, IDNO)) SetWindowTextW(no, labels->no.c_str());
  }
  return CallNextHookEx(labels->hook, code, wParam, lParam);
}

class RelabelScope {
 public:
  explicit RelabelScope(const QuestionLabels& labels) {
    pending_.yes = ButtonText(labels.yes);
    pending_.no = ButtonText(labels.no);
    previous_ = g_labels;
    g_labels = &pending_;
    pending_.hook = SetWindowsHookExW(WH_CBT, RelabelHook, nullptr, GetCurrentThreadId());
  }
  ~RelabelScope() {
    if (pending_.hook) UnhookWindowsHookEx(pending_.hook);
    g_labels = previous_;
  }
  RelabelScope(const RelabelScope&) = delete;
  RelabelScope& operator=(const RelabelScope&) = delete;

 private:
  PendingLabels pending_;
  PendingLabels* previous_ = nullptr;
};

}  // namespace

UINT BoxStyle(BoxKind kind, bool owned) {
  UINT style = 0;
  switch (kind) {
    case BoxKind::Error: style = MB_OK | MB_ICONERROR; break;
    case BoxKind::Info: style = MB_OK | MB_ICONINFORMATION; break;
    case BoxKind::Question: style = MB_YESNO | MB_ICONQUESTION; break;
  }
  return owned ? style : style | MB_SETFOREGROUND;
}

BoxAnswer AnswerFromButton(BoxKind kind, int pressed) {
  if (kind != BoxKind::Question) return BoxAnswer::Ok;
  return pressed == IDYES || pressed == 0 ? BoxAnswer::Yes : BoxAnswer::No;
}

BoxAnswer ShowMessageBox(HWND owner, BoxKind kind, const std::string& caption, const std::string& text,
                         const QuestionLabels& labels) {
  const std::wstring wideCaption = WideFromCp1252(caption);
  const std::wstring wideText = WideFromCp1252(text);
  std::optional<RelabelScope> relabel;
  if (kind == BoxKind::Question) relabel.emplace(labels);
  const int pressed = MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), BoxStyle(kind, owner != nullptr));
  relabel.reset();
  if (pressed == 0) {
    std::fprintf(stderr, "tessaloom: a message box could not be shown (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
  }
  return AnswerFromButton(kind, pressed);
}

}  // namespace platform::win32
