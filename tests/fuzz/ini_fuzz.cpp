// The INI reader on any file: values are single lines cut to the buffer, names match without
// regard to case, a name that cannot be a key gives the default, the value helpers agree with the
// reader, and an ASCII file reads the same saved as UTF-16 with a byte-order mark.
#include <algorithm>

#include "config/ini_values.h"
#include "fuzz_check.h"
#include "platform/ini.h"
#include "platform/letter_case.h"

namespace {

std::string Trimmed(std::string_view text) {
  const char* blanks = " \t";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

// Section and key names worth asking for: the seeds' usual ones, then the first section header
// of the input and the first key-like name after it.
std::vector<std::pair<std::string, std::string>> NamesToAsk(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> names = {
      {"autoexec", "project_name"}, {"game", "game_name"}, {"game", "language"}};
  const auto lines = fuzz::Split(text, "\r\n");
  const auto header = std::find_if(lines.begin(), lines.end(), [](auto line) { return line.find('[') != line.npos; });
  if (header == lines.end()) return names;
  const auto open = header->find('['), close = header->find(']', open);
  const auto keyLine = std::find_if(header + 1, lines.end(), [](auto line) { return !line.empty(); });
  if (close == header->npos || keyLine == lines.end()) return names;
  const std::string key = Trimmed(keyLine->substr(0, keyLine->find('=')));
  if (!key.empty()) names.emplace_back(Trimmed(header->substr(open + 1, close - open - 1)), key);
  return names;
}

bool IsPlainAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F); });
}

std::string Utf16LeWithMark(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile file("ini.ini");
  static const fuzz::ScratchFile utf16File("ini-utf16.ini");
  const std::string text = fuzz::AsString(data, size);
  file.Write(text);
  const bool ascii = IsPlainAscii(text);
  if (ascii) utf16File.Write(Utf16LeWithMark(text));
  platform::ClearIniCache();
  const std::string kDefault = "<none>";

  for (const auto& [section, key] : NamesToAsk(text)) {
    const std::string whole = platform::GetPrivateProfileString(section, key, kDefault, 4096, file.path());
    FUZZ_REQUIRE(whole.size() < 4096);
    FUZZ_REQUIRE(whole.find_first_of("\r\n") == std::string::npos);  // one line of the file at most
    // The buffer only cuts the value.
    for (std::size_t buffer : {std::size_t{0}, std::size_t{1}, std::size_t{8}}) {
      const std::string cut = platform::GetPrivateProfileString(section, key, kDefault, buffer, file.path());
      FUZZ_REQUIRE(cut == whole.substr(0, buffer == 0 ? 0 : buffer - 1));
    }
    FUZZ_REQUIRE(platform::GetPrivateProfileString(platform::AsciiLower(section), platform::AsciiLower(key), kDefault,
                                                   4096, file.path()) == whole);
    // The helper every loader uses reads the same value (its default is empty).
    FUZZ_REQUIRE(config::ReadIniValue(file.path(), section, key, 4096) ==
                 platform::GetPrivateProfileString(section, key, "", 4096, file.path()));
    if (ascii) {
      FUZZ_REQUIRE(platform::GetPrivateProfileString(section, key, kDefault, 4096, utf16File.path()) == whole);
    }
  }
  // A key never holds '=': asking for one always gives the default.
  FUZZ_REQUIRE(platform::GetPrivateProfileString("game", "no=such", kDefault, 4096, file.path()) == kDefault);
  return 0;
}
