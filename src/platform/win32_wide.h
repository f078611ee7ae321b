// UTF-8 and Windows-1252 text to and from the UTF-16 the wide Windows calls take. Only for the
// win32_*.cpp files.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Invalid UTF-8 bytes and lone surrogates become U+FFFD rather than failing.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// Every byte has a character; the mapping is the engine's own, not the ANSI code page's.
std::wstring WideFromCp1252(std::string_view cp1252);

}  // namespace platform::win32
