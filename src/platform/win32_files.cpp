// Host paths on Windows: UTF-8 text in the engine, UTF-16 for the file system.
#include "platform/files.h"
#include "platform/win32_wide.h"
#include "platform/win32_windows.h"

namespace platform {

std::filesystem::path HostFsPath(const std::string& hostPath) {
  return std::filesystem::path(win32::WideFromUtf8(hostPath));
}

std::string HostPathText(const std::filesystem::path& path) { return win32::Utf8FromWide(path.native()); }

std::optional<FileStamp> StampOf(const std::string& hostPath) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(win32::WideFromUtf8(hostPath).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  const uint64_t written = (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return FileStamp{static_cast<int64_t>(written), size};
}

}  // namespace platform
