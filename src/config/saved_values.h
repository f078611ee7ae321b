// Checked reading of the values of a saved game. A save is read from a file anybody can edit:
// every value is looked up by name, checked for its type and range, and anything else is refused
// with a SaveError naming the value, before a running game is touched.
#pragma once

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace config {

class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using SavedObject = nlohmann::json;

// The member of that name; refused when the value is not an object or has no such member.
const SavedObject& SavedMember(const SavedObject& object, const char* key);
// The array member of that name, at most `maxCount` entries.
const SavedObject& SavedArray(const SavedObject& object, const char* key, std::size_t maxCount);
// A whole number within [low, high].
int64_t SavedNumber(const SavedObject& object, const char* key, int64_t low, int64_t high);
inline int SavedInt(const SavedObject& object, const char* key, int low = std::numeric_limits<int>::min(),
                    int high = std::numeric_limits<int>::max()) {
  return static_cast<int>(SavedNumber(object, key, low, high));
}
inline uint32_t SavedTick(const SavedObject& object, const char* key) {
  return static_cast<uint32_t>(SavedNumber(object, key, 0, std::numeric_limits<uint32_t>::max()));
}
bool SavedBool(const SavedObject& object, const char* key);
// Text of at most `maxBytes` bytes.
std::string SavedText(const SavedObject& object, const char* key, std::size_t maxBytes);
// The same checks for an entry of an array instead of a named member.
int64_t SavedNumberAt(const SavedObject& array, std::size_t index, int64_t low, int64_t high);

// The two directions of one list of fields: the writer stores each field under its name, the
// reader checks and sets it. A record written with the same list of calls it is read with
// cannot drift between saving and loading.
class SaveWriter {
 public:
  explicit SaveWriter(SavedObject& out) : out_(out) {}
  static constexpr bool kReading = false;
  void Int(const char* key, int& value, int = 0, int = 0) { out_[key] = value; }
  void Tick(const char* key, uint32_t& value) { out_[key] = value; }
  void Bool(const char* key, bool& value) { out_[key] = value; }
  // Windows-1252 text, stored as UTF-8.
  void Text(const char* key, std::string& value, std::size_t maxBytes);
  SavedObject& Out() { return out_; }

 private:
  SavedObject& out_;
};

class SaveReader {
 public:
  explicit SaveReader(const SavedObject& in) : in_(in) {}
  static constexpr bool kReading = true;
  void Int(const char* key, int& value, int low = std::numeric_limits<int>::min(),
           int high = std::numeric_limits<int>::max()) {
    value = SavedInt(in_, key, low, high);
  }
  void Tick(const char* key, uint32_t& value) { value = SavedTick(in_, key); }
  void Bool(const char* key, bool& value) { value = SavedBool(in_, key); }
  void Text(const char* key, std::string& value, std::size_t maxBytes);
  const SavedObject& In() const { return in_; }

 private:
  const SavedObject& in_;
};

}  // namespace config
