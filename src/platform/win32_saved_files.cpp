// Saved games' files on Windows: the roaming application data folder, and a replacement by
// MoveFileEx, which renames over an existing file in one step.
#include <algorithm>
#include <string>

#include "platform/files.h"
#include "platform/saved_files.h"
#include "platform/win32_wide.h"
#include "platform/win32_windows.h"

#include <shlobj.h>

namespace platform {

std::string UserDataFolder() {
  // The call writes at most MAX_PATH characters and their terminator.
  std::wstring folder(MAX_PATH + 1, L'\0');
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder.data()))) return {};
  folder.resize(folder.find(L'\0'));
  return win32::Utf8FromWide(folder);
}

bool ReplaceFileWith(const std::string& hostPath, std::string_view bytes) {
  const std::wstring target = win32::WideFromUtf8(hostPath);
  const std::wstring temporary = target + L".tmp";
  HANDLE file =
      CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD done = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) break;
    written += done;
  }
  const bool complete = written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!complete ||
      !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
