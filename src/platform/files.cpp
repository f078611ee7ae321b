#include "platform/files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/ascii_case.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// The entry of `folder` whose name matches `name` without regard to case, if any.
bool FindEntryNoCase(const fs::path& folder, const std::string& name, std::string& found) {
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return false;
  // Directory order is not fixed; pick the smallest matching name so the result is repeatable.
  bool any = false;
  for (const auto& entry : it) {
    std::string candidate = entry.path().filename().string();
    if (EqualsNoCase(candidate, name) && (!any || candidate < found)) {
      found = candidate;
      any = true;
    }
  }
  return any;
}

}  // namespace

std::string ToHostPath(const std::string& path) {
  std::string slashed = path;
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  std::error_code ec;
  if (slashed.empty() || fs::exists(fs::path(slashed), ec)) return slashed;

  // Walk the components, replacing each missing one by its case-insensitive match.
  fs::path built;
  bool absolute = !slashed.empty() && slashed[0] == '/';
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
    fs::path next = built / part;
    std::string match;
    if (part != ".." && !fs::exists(next, ec) && FindEntryNoCase(built, part, match)) {
      next = built / match;
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
