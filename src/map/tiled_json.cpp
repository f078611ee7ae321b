#include "map/tiled_json.h"

#include <cmath>
#include <limits>
#include <variant>
#include <vector>

#include "config/language.h"
#include "map/bounded_json.h"
#include "map/map_file_error.h"
#include "platform/files.h"

namespace map {

using config::Format;
using nlohmann::json;

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
  std::variant<json, JsonParseFailure> parsed = ParseBoundedJson(text, kMaxJsonDepth);
  if (json* document = std::get_if<json>(&parsed)) return std::move(*document);
  const JsonParseFailure& failure = std::get<JsonParseFailure>(parsed);
  const TextPosition at = PositionOf(text, failure.offset);
  switch (failure.kind) {
    case JsonParseFailure::Kind::kEndsEarly:
      throw MapFileError(Format("the JSON text ends too early (line %d, column %d)", at.line, at.column),
                         Format("el texto JSON termina antes de tiempo (línea %d, columna %d)", at.line, at.column));
    case JsonParseFailure::Kind::kNumberTooLarge:
      throw MapFileError(
          Format("it holds a number too large to use (line %d, column %d)", at.line, at.column),
          Format("contiene un número demasiado grande para usarlo (línea %d, columna %d)", at.line, at.column));
    case JsonParseFailure::Kind::kTooDeep:
      throw MapFileError(Format("its lists and objects are nested more than %zu levels deep", kMaxJsonDepth),
                         Format("sus listas y objetos están anidados a más de %zu niveles", kMaxJsonDepth));
    case JsonParseFailure::Kind::kSyntax: break;
  }
  throw MapFileError(Format("it is not valid JSON (line %d, column %d)", at.line, at.column),
                     Format("no es un JSON válido (línea %d, columna %d)", at.line, at.column));
}

json ParseJsonFile(const std::string& path) {
  std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path);
  if (!bytes) throw MapFileError("the file cannot be opened", "el fichero no se puede abrir");
  return ParseJsonText(std::string(bytes->begin(), bytes->end()));
}

std::string JsonLocation::Text() const {
  if (named_) return *named_;
  if (!parent_) return std::string();
  std::string text = parent_->Text();
  if (!text.empty()) text += '.';
  return text + list_ + "[" + std::to_string(index_) + "]";
}

const JsonLocation& JsonLocation::Outermost() const {
  const JsonLocation* step = this;
  while (step->parent_ && step->parent_->parent_) step = step->parent_;
  return *step;
}

void ThrowUnexpectedJsonError(const json::exception& error) {
  throw MapFileError(Format("a value is not of the kind expected (%s)", error.what()),
                     Format("un valor no es del tipo esperado (%s)", error.what()));
}

namespace {
// "layers[2]: " before a message about that part of the file; nothing for the top level.
std::string Prefix(const JsonLocation& where) {
  std::string text = where.Text();
  return text.empty() ? text : text + ": ";
}
}  // namespace

const json& Member(const json& object, const char* key, const JsonLocation& where) {
  if (object.is_object()) {
    auto found = object.find(key);
    if (found != object.end()) return *found;
    throw MapFileError(Format("%s\"%s\" is missing", Prefix(where).c_str(), key),
                       Format("%sfalta \"%s\"", Prefix(where).c_str(), key));
  }
  throw MapFileError(Format("%sit is not a JSON object", Prefix(where).c_str()),
                     Format("%sno es un objeto JSON", Prefix(where).c_str()));
}

const json& ArrayMember(const json& object, const char* key, const JsonLocation& where) {
  const json& value = Member(object, key, where);
  if (!value.is_array()) {
    throw MapFileError(Format("%s\"%s\" is not a list", Prefix(where).c_str(), key),
                       Format("%s\"%s\" no es una lista", Prefix(where).c_str(), key));
  }
  return value;
}

std::string StringMember(const json& object, const char* key, const JsonLocation& where) {
  const json& value = Member(object, key, where);
  if (!value.is_string()) {
    throw MapFileError(Format("%s\"%s\" is not a text", Prefix(where).c_str(), key),
                       Format("%s\"%s\" no es un texto", Prefix(where).c_str(), key));
  }
  return value.get<std::string>();
}

int64_t IntMember(const json& object, const char* key, const JsonLocation& where, int64_t low, int64_t high) {
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
    throw MapFileError(Format("%s\"%s\" must be a whole number from %lld to %lld", Prefix(where).c_str(), key,
                              static_cast<long long>(low), static_cast<long long>(high)),
                       Format("%s\"%s\" debe ser un número entero de %lld a %lld", Prefix(where).c_str(), key,
                              static_cast<long long>(low), static_cast<long long>(high)));
  }
  return number;
}

int CoordinateMember(const json& object, const char* key, const JsonLocation& where) {
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
