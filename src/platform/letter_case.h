// Names in project files (INI sections and keys, file names, font faces, layer and tileset
// names) compare without regard to case, as Windows compares them: the ASCII letters and the
// accented letters of Windows-1252 alike.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// ASCII letters only: safe on UTF-8 text, whose multi-byte sequences it leaves alone.
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLower(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}

// Windows-1252 letters: ASCII, À-Þ to à-þ (× has no lower case), and Š, Œ, Ž, Ÿ.
inline char Cp1252Lower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return static_cast<char>(byte + 0x20);
  switch (byte) {
    case 0x8A: return static_cast<char>(0x9A);  // Š
    case 0x8C: return static_cast<char>(0x9C);  // Œ
    case 0x8E: return static_cast<char>(0x9E);  // Ž
    case 0x9F: return static_cast<char>(0xFF);  // Ÿ
    default: return AsciiLower(c);
  }
}

inline std::string Cp1252Lower(std::string text) {
  for (char& c : text) c = Cp1252Lower(c);
  return text;
}

// Windows-1252 texts equal without regard to case.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Cp1252Lower(a[i]) != Cp1252Lower(b[i])) return false;
  }
  return true;
}

}  // namespace platform
