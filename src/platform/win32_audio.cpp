#include "platform/win32_audio.h"

#include "platform/files.h"
#include "platform/win32_wide.h"

namespace platform::win32 {
namespace {

constexpr wchar_t kNoticeClass[] = L"Tessaloom2DMciNotices";

// The host path in quotes, so that names with spaces survive MCI's parser.
std::wstring QuotedHostPath(const std::string& path) {
  std::wstring wide = WideFromUtf8(ToHostPath(path));
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return L"\"" + wide + L"\"";
}

}  // namespace

MciNotices::Route MciNotices::Take(uint32_t device) {
  const auto effect = effects_.find(device);
  if (effect != effects_.end()) {
    Route route{Kind::CloseEffect, std::move(effect->second)};
    effects_.erase(effect);
    return route;
  }
  if (device != 0 && device == music_) return Route{Kind::ToEngine, {}};
  return Route{};
}

Win32Audio::Win32Audio(std::function<void(const Message&)> notify) : notify_(std::move(notify)) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW type{};
  type.lpfnWndProc = &Win32Audio::NoticeProcedure;
  type.hInstance = instance;
  type.lpszClassName = kNoticeClass;
  RegisterClassW(&type);  // fails harmlessly when a former player registered it
  window_ = CreateWindowExW(0, kNoticeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

Win32Audio::~Win32Audio() {
  CloseAll();
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK Win32Audio::NoticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* audio = WindowOwner<Win32Audio>(window, message, lParam);
  if (message == MM_MCINOTIFY && audio) {
    audio->OnNotice(wParam, lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Audio::OnNotice(WPARAM wParam, LPARAM lParam) {
  MciNotices::Route route;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    route = notices_.Take(static_cast<uint32_t>(lParam));
  }
  switch (route.kind) {
    case MciNotices::Kind::ToEngine: notify_(Message{kMmMciNotify, static_cast<uint64_t>(wParam), 0}); break;
    case MciNotices::Kind::CloseEffect: Send(L"close " + route.alias); break;
    case MciNotices::Kind::Drop: break;
  }
}

bool Win32Audio::Send(const std::wstring& command) { return mciSendStringW(command.c_str(), nullptr, 0, window_) == 0; }

// Each device by its alias rather than "close all": Wine's "close all" never ends when a device
// fails to close (a playing tune without a sound device).
bool Win32Audio::CloseAll() {
  std::vector<std::wstring> aliases;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    aliases = notices_.EffectAliases();
    if (musicOpen_) aliases.push_back(L"MUSIC");
    musicOpen_ = false;
    notices_.AllClosed();
  }
  bool closed = true;
  for (const std::wstring& alias : aliases) closed = Send(L"close " + alias) && closed;
  return closed;
}

bool Win32Audio::MusicOpen(const std::string& path) {
  if (!Send(L"open " + QuotedHostPath(path) + L" type sequencer alias MUSIC")) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  musicOpen_ = true;
  notices_.MusicOpened(mciGetDeviceIDW(L"MUSIC"));
  return true;
}

bool Win32Audio::MusicPlayFromStart() { return Send(L"play MUSIC from 0 notify"); }

// Fire and forget: the effect's device closes itself when its end notice comes back.
void Win32Audio::PlaySound(const std::string& path) {
  std::wstring alias;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    alias = L"effect" + std::to_wstring(++nextEffect_);
  }
  if (!Send(L"open " + QuotedHostPath(path) + L" alias " + alias)) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    notices_.EffectOpened(mciGetDeviceIDW(alias.c_str()), alias);
  }
  if (!Send(L"play " + alias + L" notify")) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      notices_.Take(mciGetDeviceIDW(alias.c_str()));
    }
    Send(L"close " + alias);
  }
}

}  // namespace platform::win32
