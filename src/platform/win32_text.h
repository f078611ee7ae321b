// Texts handed to Windows' wide (...W) calls: the engine's Windows-1252 texts and the host's
// UTF-8 file names become UTF-16, whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring WideFromCp1252(std::string_view text);
// Invalid UTF-8 bytes become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform::win32
