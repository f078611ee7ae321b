// Game texts are Windows-1252 bytes inside the engine, as in the project files; they become
// UTF-8 only where they leave it (window title, menus, boxes, transcript).
#pragma once

#include <cstdint>
#include <optional>
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
// The text of a project file as the engine keeps it: UTF-16 (either byte order) and UTF-8 are
// recognised by their byte-order marks, UTF-8 without one by its multi-byte sequences, and are
// converted; anything else is taken as Windows-1252 already.
std::string Cp1252FromFileText(std::string text);

// The Unicode character of one Windows-1252 byte, and back; the inverse is empty for characters
// with no Windows-1252 form.
char32_t UnicodeFromCp1252(uint8_t byte);
std::optional<uint8_t> Cp1252FromUnicode(char32_t codePoint);

}  // namespace platform
