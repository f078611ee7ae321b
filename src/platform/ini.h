// The private-profile INI reader (GetPrivateProfileStringA): section and key names without
// regard to case, blanks around keys and values trimmed, a value in matching quotes unquoted,
// ';' comment lines, the first occurrence wins (of a key in its section, and of a section in the
// file: a repeated section is not read), a line without '=' is a key with an empty value, CR, LF
// or CRLF line ends. A file saved as UTF-8 or, with a byte-order mark, UTF-16 is read as
// Windows-1252 text.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The value cut to bufferSize - 1 characters, or the default (cut likewise) when the file, the
// section or the key is missing.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path);

// Parsed files are cached by path; tests that rewrite a file between reads call this.
void ClearIniCache();

}  // namespace platform
