// Files named the way project files name them: relative, joined with backslashes, in
// Windows-1252, written on Windows where names are not case-sensitive. On the host the names are
// UTF-8, and on a case-sensitive file system a missing exact name falls back to a
// component-by-component match without regard to case (accented letters included).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Host paths are UTF-8 text on every system. Every file the program opens, lists or tests goes
// through this path: on Windows it is made from UTF-16 (a narrow std::filesystem::path or file
// stream name would go through the ANSI code page there), elsewhere from the bytes as they are.
std::filesystem::path HostFsPath(const std::string& hostPath);
// The other way: a path the file system gave, as UTF-8 host text.
std::string HostPathText(const std::filesystem::path& path);

// Maps a Windows-1252 backslash path onto an existing host path where one matches (the bytes as
// given first, then each component in UTF-8, as given, or without regard to case); otherwise
// returns the path with '/' separators (on Windows, the separators as written) and its names in
// UTF-8.
std::string ToHostPath(const std::string& path);
// The host spelling ToHostPath tries first, made without looking at the file system: on Windows
// the path as it is, elsewhere with '/' for each '\\'.
std::string PlainHostSpelling(const std::string& path);

// When a plain file last changed and how long it is: a file read before and unchanged since
// has the same stamp. Nothing for a folder or a missing file. One look at the file system.
struct FileStamp {
  int64_t modified = 0;  // in the host's own units
  uint64_t size = 0;
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> StampOf(const std::string& hostPath);

// While set, hears each name that matched an entry only without regard to case: the name as
// written and the entry's name, both as the host spells them. The game loads such a project
// anyway; a project checker warns of them so that the names can be put right.
using CaseFoldLog = std::function<void(const std::string& written, const std::string& found)>;
void SetCaseFoldLog(CaseFoldLog log);

// PathFileExistsA: a file or a folder of that name exists.
bool FileExists(const std::string& path);

// A plain file (not a folder) of that name exists: what a file a project names must be.
bool PlainFileExists(const std::string& path);

// The folder relative names start from (the working directory), as the host spells it.
std::string CurrentFolder();

// The names of the plain files in a folder, sorted by their bytes; empty when the folder is
// missing.
std::vector<std::string> ListFiles(const std::string& folder);

// The whole file, or nothing when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace platform
