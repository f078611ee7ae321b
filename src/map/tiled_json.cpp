#include "map/tiled_json.h"

#include <cmath>
#include <limits>

#include "config/language.h"
#include "map/map_file_error.h"
#include "platform/files.h"

namespace map {

using nlohmann::json;
using config::Format;

TextPosition PositionOf(const std::string& text, std::size_t offset) {
  TextPosition position;
  const std::size_t end = std::min(offset, text.size());
  for (std::size_t i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++position.line;
      position.column = 1;
    } else {
      ++position.column;
    }
  }
  return position;
}

json ParseJsonText(const std::string& text) {
  try {
    return json::parse(text);
  } catch (const json::parse_error& error) {
    // The parser counts the byte it stopped at from 1; an error at the end points past the text.
    const std::size_t stop = error.byte > 0 ? error.byte - 1 : 0;
    const TextPosition at = PositionOf(text, stop);
    if (stop >= text.size()) {
      throw MapFileError(Format("the JSON text ends too early (line %d, column %d)", at.line, at.column),
                         Format("el texto JSON termina antes de tiempo (línea %d, columna %d)",
                                at.line, at.column));
    }
    throw MapFileError(Format("it is not valid JSON (line %d, column %d)", at.line, at.column),
                       Format("no es un JSON válido (línea %d, columna %d)", at.line, at.column));
  }
}

json ParseJsonFile(const std::string& path) {
  std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path);
  if (!bytes) throw MapFileError("the file cannot be opened", "el fichero no se puede abrir");
  return ParseJsonText(std::string(bytes->begin(), bytes->end()));
}

namespace {
// "layers[2]: " before a message about that part of the file; nothing for the top level.
std::string Prefix(const std::string& where) { return where.empty() ? where : where + ": "; }
}  // namespace

const json& Member(const json& object, const char* key, const std::string& where) {
  if (object.is_object()) {
    auto found = object.find(key);
    if (found != object.end()) return *found;
    throw MapFileError(Format("%s\"%s\" is missing", Prefix(where).c_str(), key),
                       Format("%sfalta \"%s\"", Prefix(where).c_str(), key));
  }
  throw MapFileError(Format("%sit is not a JSON object", Prefix(where).c_str()),
                     Format("%sno es un objeto JSON", Prefix(where).c_str()));
}

const json& ArrayMember(const json& object, const char* key, const std::string& where) {
  const json& value = Member(object, key, where);
  if (!value.is_array()) {
    throw MapFileError(Format("%s\"%s\" is not a list", Prefix(where).c_str(), key),
                       Format("%s\"%s\" no es una lista", Prefix(where).c_str(), key));
  }
  return value;
}

std::string StringMember(const json& object, const char* key, const std::string& where) {
  const json& value = Member(object, key, where);
  if (!value.is_string()) {
    throw MapFileError(Format("%s\"%s\" is not a text", Prefix(where).c_str(), key),
                       Format("%s\"%s\" no es un texto", Prefix(where).c_str(), key));
  }
  return value.get<std::string>();
}

int64_t IntMember(const json& object, const char* key, const std::string& where, int64_t low,
                  int64_t high) {
  const json& value = Member(object, key, where);
  bool fits = false;
  int64_t number = 0;
  if (value.is_number_unsigned()) {
    uint64_t raw = value.get<uint64_t>();
    fits = raw <= static_cast<uint64_t>(high);
    number = fits ? static_cast<int64_t>(raw) : 0;
  } else if (value.is_number_integer()) {
    number = value.get<int64_t>();
    fits = true;
  }
  if (!fits || number < low || number > high) {
    throw MapFileError(
        Format("%s\"%s\" must be a whole number from %lld to %lld", Prefix(where).c_str(), key,
               static_cast<long long>(low), static_cast<long long>(high)),
        Format("%s\"%s\" debe ser un número entero de %lld a %lld", Prefix(where).c_str(), key,
               static_cast<long long>(low), static_cast<long long>(high)));
  }
  return number;
}

int CoordinateMember(const json& object, const char* key, const std::string& where) {
  const json& value = Member(object, key, where);
  const double number = value.is_number() ? value.get<double>() : std::nan("");
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  if (!(number >= kLow && number <= kHigh)) {
    throw MapFileError(Format("%s\"%s\" is not a usable number", Prefix(where).c_str(), key),
                       Format("%s\"%s\" no es un número utilizable", Prefix(where).c_str(), key));
  }
  return static_cast<int>(std::trunc(number));
}

}  // namespace map
