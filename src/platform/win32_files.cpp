// Host paths on Windows: UTF-8 text in the engine, UTF-16 for the file system.
#include "platform/files.h"
#include "platform/win32_wide.h"

namespace platform {

std::filesystem::path HostFsPath(const std::string& hostPath) {
  return std::filesystem::path(win32::WideFromUtf8(hostPath));
}

std::string HostPathText(const std::filesystem::path& path) { return win32::Utf8FromWide(path.native()); }

}  // namespace platform
