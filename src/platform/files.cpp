#include "platform/files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <system_error>

#include "platform/letter_case.h"
#include "platform/text_encoding.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace platform {
namespace fs = std::filesystem;

namespace {

// Names inside the engine are Windows-1252; the host file system names files in UTF-8. A
// component that already reads as UTF-8 (a path typed on a Linux command line) is kept as it is.
std::string HostName(const std::string& part) { return LooksLikeUtf8(part) ? part : Utf8FromCp1252(part); }

// The engine's form of a name: UTF-8 becomes Windows-1252, other bytes are kept (a name written
// to the disk as Windows-1252 bytes, as some unpackers do, then still compares).
std::string EngineName(const std::string& name) { return Cp1252FromUtf8(name); }

bool HostExists(const std::string& hostPath) {
  std::error_code ec;
  return fs::exists(HostFsPath(hostPath), ec);
}

// The entry of `folder` whose name matches `name` without regard to case, if any.
bool FindEntryNoCase(const std::string& folder, const std::string& name, std::string& found) {
  std::error_code ec;
  fs::directory_iterator it(HostFsPath(folder.empty() ? std::string(".") : folder), ec);
  if (ec) return false;
  const std::string wanted = EngineName(name);
  // Directory order is not fixed; pick the smallest matching name so the result is repeatable.
  bool any = false;
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string candidate = HostPathText(it->path().filename());
    if (EqualsNoCase(EngineName(candidate), wanted) && (!any || candidate < found)) {
      found = candidate;
      any = true;
    }
  }
  return any;
}

// The length of the root at the start of a path: / here; C:\ or C: or \ on Windows (either
// slash); 0 for a relative path.
std::size_t RootLength(const std::string& slashed) {
  const std::string root = HostPathText(HostFsPath(slashed).root_path());
  return slashed.starts_with(root) ? root.size() : 0;
}

std::mutex gCaseFoldMutex;
CaseFoldLog gCaseFoldLog;  // guarded by gCaseFoldMutex

void NoteCaseFold(const std::string& written, const std::string& found) {
  std::lock_guard<std::mutex> lock(gCaseFoldMutex);
  if (gCaseFoldLog) gCaseFoldLog(written, found);
}

}  // namespace

void SetCaseFoldLog(CaseFoldLog log) {
  std::lock_guard<std::mutex> lock(gCaseFoldMutex);
  gCaseFoldLog = std::move(log);
}

std::string PlainHostSpelling(const std::string& path) {
  std::string slashed = path;
#ifndef _WIN32
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
#endif
  return slashed;
}

std::string ToHostPath(const std::string& path) {
  const std::string slashed = PlainHostSpelling(path);
#ifdef _WIN32
  // Windows takes either separator, and a path keeps the ones it was written with: they differ
  // at the start of a path under Wine, where "/" begins a Unix path and "\\" the drive's root.
  const char* separators = "/\\";
#else
  const char* separators = "/";
#endif
  if (slashed.empty() || HostExists(slashed)) return slashed;

  // Walk the components: each one in its host spelling, else as the bytes given, else the
  // entry that matches it without regard to case.
  std::size_t start = RootLength(slashed);
  std::string built = slashed.substr(0, start);
  std::string separator;  // none after the root or before the first relative name
  while (start <= slashed.size()) {
    std::size_t end = slashed.find_first_of(separators, start);
    if (end == std::string::npos) end = slashed.size();
    std::string part = slashed.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") {
      if (end == slashed.size()) break;
      continue;
    }
    const std::string prefix = built + separator;
    std::string next = prefix + HostName(part);
    std::string match;
    if (part != ".." && !HostExists(next)) {
      if (HostExists(prefix + part)) {
        next = prefix + part;
      } else if (FindEntryNoCase(built, part, match)) {
        NoteCaseFold(next, prefix + match);
        next = prefix + match;
      }
    }
    built = next;
    separator = slashed.substr(end, 1);
    if (end == slashed.size()) break;
  }
  return built;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::exists(HostFsPath(ToHostPath(path)), ec);
}

bool PlainFileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(HostFsPath(ToHostPath(path)), ec);
}

std::string CurrentFolder() {
  std::error_code ec;
  const fs::path folder = fs::current_path(ec);
  return ec ? std::string(".") : HostPathText(folder);
}

std::vector<std::string> ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(HostFsPath(ToHostPath(folder)), ec);
  if (ec) return names;
  for (const auto& entry : it) {
    if (entry.is_regular_file(ec)) names.push_back(HostPathText(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());  // directory order is not fixed
  return names;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const fs::path host = HostFsPath(ToHostPath(path));
  std::error_code ec;
  if (fs::is_directory(host, ec)) return std::nullopt;
  std::ifstream in(host, std::ios::binary);
  if (!in) return std::nullopt;
  // Read at once into room for the file's length, instead of growing (and copying) the bytes
  // as they come; whatever a file has beyond that length (it grew, or it has no length) is
  // read after.
  std::vector<uint8_t> bytes;
  in.seekg(0, std::ios::end);
  const std::streamoff length = in.tellg();
  in.seekg(0, std::ios::beg);
  if (in && length > 0) {
    bytes.resize(static_cast<std::size_t>(length));
    in.read(reinterpret_cast<char*>(bytes.data()), length);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  in.clear();
  bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

#ifndef _WIN32
std::optional<FileStamp> StampOf(const std::string& hostPath) {
  struct stat status {};
  if (::stat(hostPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const int64_t modified = int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec;
  return FileStamp{modified, static_cast<uint64_t>(status.st_size)};
}
#endif

#ifndef _WIN32
// Elsewhere the file system takes the bytes of a name as they are (win32_files.cpp for Windows).
fs::path HostFsPath(const std::string& hostPath) { return fs::path(hostPath); }
std::string HostPathText(const fs::path& path) { return path.string(); }
#endif

}  // namespace platform
