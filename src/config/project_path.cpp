#include "config/project_path.h"

#include <vector>

#include "config/launcher_settings.h"

namespace config {
namespace {

std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

// Resolves "." and ".." (and drops empty components); false when ".." climbs above the start.
bool Normalise(const std::vector<std::string>& parts, std::vector<std::string>& out) {
  for (const std::string& part : parts) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (out.empty()) return false;
      out.pop_back();
    } else {
      out.push_back(part);
    }
  }
  return true;
}

}  // namespace

std::string JoinedPath(const LauncherSettings& launcher, int folder, const std::string& name) {
  return launcher.Folder(folder) + "\\" + name;
}

std::optional<std::string> FileInProjectFolder(const LauncherSettings& launcher, int folder, const std::string& name) {
  // Absolute names and drive letters never name a project file.
  if (name.empty() || name.front() == '\\' || name.front() == '/' || name.find(':') != std::string::npos) {
    return std::nullopt;
  }
  const std::string joined = JoinedPath(launcher, folder, name);
  if (joined.find("..") == std::string::npos) return joined;
  std::vector<std::string> resolved;
  std::vector<std::string> root;
  if (!Normalise(SplitComponents(joined), resolved)) return std::nullopt;
  if (!Normalise(SplitComponents("Projects\\" + launcher.projectName), root)) return std::nullopt;
  if (resolved.size() <= root.size()) return std::nullopt;
  for (std::size_t i = 0; i < root.size(); ++i) {
    if (resolved[i] != root[i]) return std::nullopt;
  }
  std::string path;
  for (const std::string& part : resolved) path += (path.empty() ? "" : "\\") + part;
  return path;
}

}  // namespace config
