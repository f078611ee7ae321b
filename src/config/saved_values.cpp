#include "config/saved_values.h"

#include "platform/text_encoding.h"

namespace config {
namespace {

[[noreturn]] void Refuse(const char* key, const char* what) { throw SaveError(std::string("'") + key + "' " + what); }

int64_t CheckedNumber(const SavedObject& value, const char* key, int64_t low, int64_t high) {
  int64_t number = 0;
  if (value.is_number_unsigned()) {
    const uint64_t raw = value.get<uint64_t>();
    if (raw > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) Refuse(key, "is out of range");
    number = static_cast<int64_t>(raw);
  } else if (value.is_number_integer()) {
    number = value.get<int64_t>();
  } else {
    Refuse(key, "is not a whole number");
  }
  if (number < low || number > high) Refuse(key, "is out of range");
  return number;
}

}  // namespace

const SavedObject& SavedMember(const SavedObject& object, const char* key) {
  if (!object.is_object()) Refuse(key, "is in something that is not a record");
  const auto found = object.find(key);
  if (found == object.end()) Refuse(key, "is missing");
  return *found;
}

const SavedObject& SavedArray(const SavedObject& object, const char* key, std::size_t maxCount) {
  const SavedObject& value = SavedMember(object, key);
  if (!value.is_array()) Refuse(key, "is not a list");
  if (value.size() > maxCount) Refuse(key, "has too many entries");
  return value;
}

int64_t SavedNumber(const SavedObject& object, const char* key, int64_t low, int64_t high) {
  return CheckedNumber(SavedMember(object, key), key, low, high);
}

bool SavedBool(const SavedObject& object, const char* key) {
  const SavedObject& value = SavedMember(object, key);
  if (!value.is_boolean()) Refuse(key, "is not true or false");
  return value.get<bool>();
}

std::string SavedText(const SavedObject& object, const char* key, std::size_t maxBytes) {
  const SavedObject& value = SavedMember(object, key);
  if (!value.is_string()) Refuse(key, "is not text");
  const std::string& text = value.get_ref<const std::string&>();
  if (text.size() > maxBytes) Refuse(key, "is too long");
  return text;
}

int64_t SavedNumberAt(const SavedObject& array, std::size_t index, int64_t low, int64_t high) {
  if (!array.is_array() || index >= array.size()) Refuse("list", "is too short");
  return CheckedNumber(array[index], "list entry", low, high);
}

void SaveWriter::Text(const char* key, std::string& value, std::size_t maxBytes) {
  out_[key] = platform::Utf8FromCp1252(value.substr(0, maxBytes));
}

void SaveReader::Text(const char* key, std::string& value, std::size_t maxBytes) {
  // Each Windows-1252 byte takes at most three bytes of UTF-8.
  value = platform::Cp1252FromUtf8(SavedText(in_, key, maxBytes * 3));
  if (value.size() > maxBytes) throw SaveError(std::string("'") + key + "' is too long");
}

}  // namespace config
