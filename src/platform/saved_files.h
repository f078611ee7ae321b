// The files of saved games: where a player's own data goes, a file written so that a crash never
// leaves it half written, and what a fingerprint of a project reads. Paths here are host paths
// (UTF-8, '/' or the system's separator), not project paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The player's own data folder for programs: $XDG_DATA_HOME, else ~/.local/share, on Linux; the
// per-user application data folder on Windows. Empty when the system names none.
std::string UserDataFolder();

// Creates the folder and those above it; true when it exists afterwards.
bool MakeFolders(const std::string& hostPath);

// Writes the bytes to a temporary file beside the target, flushes it to the disk and renames it
// over the target in one step: the target holds either its old bytes or all the new ones.
bool ReplaceFileWith(const std::string& hostPath, std::string_view bytes);

// The whole file when it exists and holds at most maxBytes; nothing otherwise.
std::optional<std::string> ReadHostFile(const std::string& hostPath, std::size_t maxBytes);

// The plain files under a folder (a project path), subfolders and linked folders included (at
// most 16 levels deep and 100000 files), as paths relative to it with '/' between names, sorted
// by their bytes; empty when the folder is missing.
std::vector<std::string> ListFilesUnder(const std::string& folder);

}  // namespace platform
