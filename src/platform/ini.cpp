#include "platform/ini.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

struct IniKey {
  std::string name;  // lower case
  std::string value;
};

struct IniSection {
  std::string name;           // lower case
  std::vector<IniKey> keys;  // in file order
};

struct IniFile {
  std::filesystem::file_time_type modified{};
  std::uintmax_t size = 0;
  std::vector<IniSection> sections;  // in file order, a repeated name repeated too
};

std::string Trim(const std::string& text) {
  const char* blanks = " \t\v\f";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::vector<IniSection> Parse(const std::string& bytes) {
  const std::string text = Cp1252FromFileText(bytes);
  std::vector<IniSection> sections;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      std::string name = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
      sections.push_back({Cp1252Lower(Trim(name)), {}});
      continue;
    }
    if (sections.empty()) continue;  // lines before the first section belong to none
    // A line without '=' is a key with an empty value, as the Windows reader takes it.
    std::size_t equals = line.find('=');
    IniKey key{Cp1252Lower(Trim(line.substr(0, equals))),
               equals == std::string::npos ? std::string() : Unquote(Trim(line.substr(equals + 1)))};
    if (!key.name.empty()) sections.back().keys.push_back(std::move(key));
  }
  return sections;
}

std::mutex gCacheMutex;
std::map<std::string, IniFile> gCache;

// The parsed file, re-read when its size or time changed; null when it cannot be read.
const IniFile* Load(const std::string& hostPath) {
  std::error_code ec;
  auto modified = std::filesystem::last_write_time(hostPath, ec);
  if (ec) return nullptr;
  auto size = std::filesystem::file_size(hostPath, ec);
  if (ec) return nullptr;
  auto found = gCache.find(hostPath);
  if (found != gCache.end() && found->second.modified == modified && found->second.size == size) {
    return &found->second;
  }
  auto bytes = ReadWholeFile(hostPath);
  if (!bytes) return nullptr;
  IniFile file{modified, size, Parse(std::string(bytes->begin(), bytes->end()))};
  return &(gCache[hostPath] = std::move(file));
}

std::string Cut(const std::string& text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return text.size() < bufferSize ? text : text.substr(0, bufferSize - 1);
}

}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  const IniFile* file = Load(ToHostPath(path));
  if (file != nullptr) {
    // Only the first section of a name is searched, and in it the first key of a name, as
    // the Windows reader does: a repeated section is never read.
    const std::string wantedSection = Cp1252Lower(Trim(section));
    const std::string wantedKey = Cp1252Lower(Trim(key));
    auto found = std::find_if(file->sections.begin(), file->sections.end(),
                              [&](const IniSection& s) { return s.name == wantedSection; });
    if (found != file->sections.end()) {
      for (const IniKey& entry : found->keys) {
        if (entry.name == wantedKey) return Cut(entry.value, bufferSize);
      }
    }
  }
  return Cut(defaultValue, bufferSize);
}

void ClearIniCache() {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  gCache.clear();
}

}  // namespace platform
