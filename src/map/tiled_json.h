// Reading Tiled's JSON files: parsing with a position the user can find in an editor, and typed
// access to members that explains in both languages what is missing or of the wrong kind.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace map {

// The whole file parsed; MapFileError when it cannot be read or is not JSON (with the line and
// column where the parser stopped).
nlohmann::json ParseJsonFile(const std::string& path);
nlohmann::json ParseJsonText(const std::string& text);

// Line and column (both from 1) of the byte at a 0-based offset of the text.
struct TextPosition {
  int line = 1;
  int column = 1;
};
TextPosition PositionOf(const std::string& text, std::size_t offset);

// Members of a JSON object. `where` names the object in messages as a path inside the file,
// e.g. "tilesets[1]" (empty for the top level), which reads the same in both languages.
const nlohmann::json& Member(const nlohmann::json& object, const char* key, const std::string& where);
const nlohmann::json& ArrayMember(const nlohmann::json& object, const char* key,
                                  const std::string& where);
std::string StringMember(const nlohmann::json& object, const char* key, const std::string& where);
// A whole number within [low, high].
int64_t IntMember(const nlohmann::json& object, const char* key, const std::string& where,
                  int64_t low, int64_t high);
// Any number within the 32-bit range, truncated toward zero (Tiled writes object positions
// with fractions).
int CoordinateMember(const nlohmann::json& object, const char* key, const std::string& where);

}  // namespace map
