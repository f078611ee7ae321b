#include "platform/files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <iterator>
#include <system_error>

#include "platform/letter_case.h"
#include "platform/text_encoding.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// Names inside the engine are Windows-1252; the host file system names files in UTF-8. A
// component that already reads as UTF-8 (a path typed on a Linux command line) is kept as it is.
std::string HostName(const std::string& part) { return LooksLikeUtf8(part) ? part : Utf8FromCp1252(part); }

// The engine's form of a name: UTF-8 becomes Windows-1252, other bytes are kept (a name written
// to the disk as Windows-1252 bytes, as some unpackers do, then still compares).
std::string EngineName(const std::string& name) { return Cp1252FromUtf8(name); }

// The entry of `folder` whose name matches `name` without regard to case, if any.
bool FindEntryNoCase(const fs::path& folder, const std::string& name, std::string& found) {
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return false;
  const std::string wanted = EngineName(name);
  // Directory order is not fixed; pick the smallest matching name so the result is repeatable.
  bool any = false;
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (EqualsNoCase(EngineName(candidate), wanted) && (!any || candidate < found)) {
      found = candidate;
      any = true;
    }
  }
  return any;
}

std::mutex gCaseFoldMutex;
CaseFoldLog gCaseFoldLog;  // guarded by gCaseFoldMutex

void NoteCaseFold(const fs::path& written, const fs::path& found) {
  std::lock_guard<std::mutex> lock(gCaseFoldMutex);
  if (gCaseFoldLog) gCaseFoldLog(written.string(), found.string());
}

}  // namespace

void SetCaseFoldLog(CaseFoldLog log) {
  std::lock_guard<std::mutex> lock(gCaseFoldMutex);
  gCaseFoldLog = std::move(log);
}

std::string ToHostPath(const std::string& path) {
  std::string slashed = path;
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  std::error_code ec;
  if (slashed.empty() || fs::exists(fs::path(slashed), ec)) return slashed;

  // Walk the components: each one in its host spelling, else as the bytes given, else the
  // entry that matches it without regard to case.
  fs::path built;
  bool absolute = slashed[0] == '/';
  if (absolute) built = "/";
  std::size_t start = absolute ? 1 : 0;
  while (start <= slashed.size()) {
    std::size_t end = slashed.find('/', start);
    if (end == std::string::npos) end = slashed.size();
    std::string part = slashed.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") {
      if (end == slashed.size()) break;
      continue;
    }
    fs::path next = built / HostName(part);
    std::string match;
    if (part != ".." && !fs::exists(next, ec)) {
      if (fs::exists(built / part, ec)) {
        next = built / part;
      } else if (FindEntryNoCase(built, part, match)) {
        NoteCaseFold(next, built / match);
        next = built / match;
      }
    }
    built = next;
    if (end == slashed.size()) break;
  }
  return built.string();
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::exists(fs::path(ToHostPath(path)), ec);
}

bool PlainFileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(fs::path(ToHostPath(path)), ec);
}

std::string CurrentFolder() {
  std::error_code ec;
  const fs::path folder = fs::current_path(ec);
  return ec ? std::string(".") : folder.string();
}

std::vector<std::string> ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(fs::path(ToHostPath(folder)), ec);
  if (ec) return names;
  for (const auto& entry : it) {
    if (entry.is_regular_file(ec)) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());  // directory order is not fixed
  return names;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::string host = ToHostPath(path);
  std::error_code ec;
  if (fs::is_directory(fs::path(host), ec)) return std::nullopt;
  std::ifstream in(host, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace platform
