// Files named the way project files name them: relative, joined with backslashes, written on
// Windows where names are not case-sensitive. On a case-sensitive file system a missing exact
// name falls back to a component-by-component match without regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Maps a backslash path onto an existing host path where one matches (exactly first, then each
// component without regard to case); otherwise returns the path with '/' separators.
std::string ToHostPath(const std::string& path);

// PathFileExistsA: a file or a folder of that name exists.
bool FileExists(const std::string& path);

// The names of the plain files in a folder, sorted by their bytes; empty when the folder is
// missing.
std::vector<std::string> ListFiles(const std::string& folder);

// The whole file, or nothing when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace platform
