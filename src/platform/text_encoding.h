// Game texts are Windows-1252 bytes inside the engine, as in the project files; they become
// UTF-8 only where they leave it (window title, menus, boxes, transcript).
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string Utf8FromCp1252(std::string_view text);
// Characters with no Windows-1252 form become '?'. Invalid UTF-8 bytes are kept as they are.
std::string Cp1252FromUtf8(std::string_view text);
// UTF-16 bytes (no byte-order mark) to Windows-1252; characters with no Windows-1252 form,
// lone surrogates included, become '?'.
std::string Cp1252FromUtf16(std::string_view bytes, bool bigEndian);
// True when the bytes are valid UTF-8 and hold at least one multi-byte sequence.
bool LooksLikeUtf8(std::string_view text);

}  // namespace platform
