#include "platform/ini.h"

#include <map>
#include <mutex>
#include <optional>
#include <set>
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
  std::string name;          // lower case
  std::vector<IniKey> keys;  // in file order
};

// The first value of each (section, key), both in lower case: lookups stay fast in files of
// thousands of sections, which the loaders read key by key.
using IniIndex = std::map<std::pair<std::string, std::string>, std::string>;

struct IniFile {
  FileStamp stamp;
  IniIndex values;
};

// Only the first section of a name is searched, and in it the first key of a name, as the
// Windows reader does: a repeated section is never read.
IniIndex Index(std::vector<IniSection> sections) {
  IniIndex index;
  std::set<std::string> seen;
  for (IniSection& section : sections) {
    if (!seen.insert(section.name).second) continue;
    for (IniKey& key : section.keys) {
      index.try_emplace({section.name, std::move(key.name)}, std::move(key.value));
    }
  }
  return index;
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\v\f";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
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
IniReadLog gReadLog;  // guarded by gCacheMutex

// The parsed file, re-read when its size or time changed; null when it cannot be read. The
// loaders read thousands of values key by key, so a name the host spells as written costs one
// look at the file system; only another spelling is looked for as ToHostPath does.
const IniFile* Load(const std::string& path) {
  std::string hostPath = PlainHostSpelling(path);
  std::optional<FileStamp> stamp = hostPath.empty() ? std::nullopt : StampOf(hostPath);
  if (!stamp) {
    hostPath = ToHostPath(path);
    stamp = StampOf(hostPath);
    if (!stamp) return nullptr;
  }
  auto found = gCache.find(hostPath);
  if (found != gCache.end() && found->second.stamp == *stamp) return &found->second;
  auto bytes = ReadWholeFile(hostPath);
  if (!bytes) return nullptr;
  IniFile file{*stamp, Index(Parse(std::string(bytes->begin(), bytes->end())))};
  return &(gCache[hostPath] = std::move(file));
}

std::string Cut(const std::string& text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return text.size() < bufferSize ? text : text.substr(0, bufferSize - 1);
}

}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                                    std::size_t bufferSize, const std::string& path) {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  const std::string sectionName = Cp1252Lower(Trim(section)), keyName = Cp1252Lower(Trim(key));
  if (gReadLog) gReadLog(path, sectionName, keyName);
  const IniFile* file = Load(path);
  if (file != nullptr) {
    auto found = file->values.find({sectionName, keyName});
    if (found != file->values.end()) return Cut(found->second, bufferSize);
  }
  return Cut(defaultValue, bufferSize);
}

void ClearIniCache() {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  gCache.clear();
}

bool IniSectionHasKeys(const std::string& path, const std::string& section) {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  const IniFile* file = Load(path);
  if (file == nullptr) return false;
  const std::string name = Cp1252Lower(Trim(section));
  auto found = file->values.lower_bound({name, std::string()});
  return found != file->values.end() && found->first.first == name;
}

std::optional<std::vector<IniSectionOutline>> ReadIniOutline(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  std::vector<IniSectionOutline> outline;
  std::set<std::string> seen;
  for (IniSection& section : Parse(std::string(bytes->begin(), bytes->end()))) {
    IniSectionOutline entry{section.name, {}, !seen.insert(section.name).second};
    for (IniKey& key : section.keys) entry.keys.push_back(std::move(key.name));
    outline.push_back(std::move(entry));
  }
  return outline;
}

void SetIniReadLog(IniReadLog log) {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  gReadLog = std::move(log);
}

}  // namespace platform
