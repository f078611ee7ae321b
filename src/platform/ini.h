// The private-profile INI reader (GetPrivateProfileStringA): section and key names without
// regard to case, blanks around keys and values trimmed, a value in matching quotes unquoted,
// ';' comment lines, the first occurrence wins (of a key in its section, and of a section in the
// file: a repeated section is not read), a line without '=' is a key with an empty value, CR, LF
// or CRLF line ends. A file saved as UTF-8 or, with a byte-order mark, UTF-16 is read as
// Windows-1252 text.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The value cut to bufferSize - 1 characters, or the default (cut likewise) when the file, the
// section or the key is missing.
std::string GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                                    std::size_t bufferSize, const std::string& path);

// Parsed files are cached by path; tests that rewrite a file between reads call this.
void ClearIniCache();

// ---- For a project checker ------------------------------------------------------------------
// A file's sections in file order (repeated ones included, flagged), each with its key names in
// file order; names in lower case. Nothing when the file cannot be read.
struct IniSectionOutline {
  std::string name;
  std::vector<std::string> keys;
  bool repeated = false;  // an earlier section has the name: this one is never read
};
std::optional<std::vector<IniSectionOutline>> ReadIniOutline(const std::string& path);
// True when the file has a section of that name with at least one key (from the cache).
bool IniSectionHasKeys(const std::string& path, const std::string& section);
// While set, hears every read of a value: the path as given, the section and the key in lower
// case. Empty: no log.
using IniReadLog = std::function<void(const std::string& path, const std::string& section, const std::string& key)>;
void SetIniReadLog(IniReadLog log);

}  // namespace platform
