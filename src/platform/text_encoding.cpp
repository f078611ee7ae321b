#include "platform/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform {
namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows
// converts them, so every byte survives a trip through UTF-8.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t Cp1252ToUnicode(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

// The Windows-1252 byte of a code point, or '?' when the code page has none.
char Cp1252OrQuestionMark(char32_t cp) { return static_cast<char>(Cp1252FromUnicode(cp).value_or('?')); }

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is not valid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string Utf8FromCp1252(std::string_view text) {
  // Most text (file names, transcript lines) is plain ASCII, the same in both: copied at once up
  // to the first byte that needs encoding.
  std::string out;
  out.reserve(text.size());
  const auto firstWide =
      std::find_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  out.append(text.begin(), firstWide);
  for (auto it = firstWide; it != text.end(); ++it) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(*it)));
  return out;
}

std::string Cp1252FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    std::size_t length = DecodeUtf8(text, i, cp);
    if (length == 0) {  // not UTF-8: keep the byte
      out += text[i++];
      continue;
    }
    i += length;
    out += Cp1252OrQuestionMark(cp);
  }
  return out;
}

std::string Cp1252FromUtf16(std::string_view bytes, bool bigEndian) {
  auto unit = [&](std::size_t i) -> char32_t {
    auto first = static_cast<unsigned char>(bytes[i]);
    auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8) | second : (second << 8) | first;
  };
  std::string out;
  out.reserve(bytes.size() / 2);
  const std::size_t units = bytes.size() / 2;  // an odd last byte is not a character
  for (std::size_t k = 0; k < units; ++k) {
    char32_t cp = unit(2 * k);
    if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units) {
      char32_t low = unit(2 * (k + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        ++k;
      }
    }
    out += Cp1252OrQuestionMark(cp);  // a lone surrogate has no form either and becomes '?'
  }
  return out;
}

bool LooksLikeUtf8(std::string_view text) {
  bool multiByte = false;
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    std::size_t length = DecodeUtf8(text, i, cp);
    if (length == 0) return false;
    multiByte = multiByte || length > 1;
    i += length;
  }
  return multiByte;
}

char32_t UnicodeFromCp1252(uint8_t byte) { return Cp1252ToUnicode(byte); }

std::optional<uint8_t> Cp1252FromUnicode(char32_t codePoint) {
  if (codePoint < 0x100 && Cp1252ToUnicode(static_cast<unsigned char>(codePoint)) == codePoint) {
    return static_cast<uint8_t>(codePoint);
  }
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == codePoint && codePoint != 0) return static_cast<uint8_t>(0x80 + k);
  }
  return std::nullopt;
}

std::string Cp1252FromFileText(std::string text) {
  if (text.rfind("\xFF\xFE", 0) == 0) return Cp1252FromUtf16(std::string_view(text).substr(2), false);
  if (text.rfind("\xFE\xFF", 0) == 0) return Cp1252FromUtf16(std::string_view(text).substr(2), true);
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  if (LooksLikeUtf8(text)) text = Cp1252FromUtf8(text);
  return text;
}

}  // namespace platform
