#include "platform/saved_files.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/files.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace platform {

namespace fs = std::filesystem;

namespace {
constexpr std::size_t kMaxListedFiles = 100000;
constexpr int kMaxListedDepth = 16;
}  // namespace

bool MakeFolders(const std::string& hostPath) {
  std::error_code ec;
  fs::create_directories(HostFsPath(hostPath), ec);
  return fs::is_directory(HostFsPath(hostPath), ec);
}

std::optional<std::string> ReadHostFile(const std::string& hostPath, std::size_t maxBytes) {
  const fs::path path = HostFsPath(hostPath);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const auto size = fs::file_size(path, ec);
  if (ec || size > maxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (static_cast<std::size_t>(in.gcount()) != size) return std::nullopt;
  return bytes;
}

std::vector<std::string> ListFilesUnder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  const fs::path root = HostFsPath(ToHostPath(folder));
  // Folders linked into the project are part of it; a link that loops stops at the depth bound.
  fs::recursive_directory_iterator it(root, fs::directory_options::follow_directory_symlink, ec);
  if (ec) return names;
  for (; it != fs::recursive_directory_iterator() && names.size() < kMaxListedFiles; it.increment(ec)) {
    if (ec) break;
    if (it.depth() >= kMaxListedDepth) it.disable_recursion_pending();
    if (!it->is_regular_file(ec)) continue;
    std::string name = HostPathText(it->path().lexically_relative(root));
    std::replace(name.begin(), name.end(), '\\', '/');
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());  // directory order is not fixed
  return names;
}

#ifndef _WIN32
std::string UserDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;  // the variable must name an absolute path
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::string(home) + "/.local/share";
}

bool ReplaceFileWith(const std::string& hostPath, std::string_view bytes) {
  const std::string temporary = hostPath + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool complete = written == bytes.size() && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!complete || !closed || std::rename(temporary.c_str(), hostPath.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
#endif

}  // namespace platform
