// Reading Tiled's JSON files: parsing with a position the user can find in an editor, and typed
// access to members that explains in both languages what is missing or of the wrong kind.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace map {

// How deeply arrays and objects may nest in a map or tileset file: far more than any file the
// engine can use needs, few enough that nothing that walks the document recursively runs deep.
inline constexpr std::size_t kMaxJsonDepth = 512;

// The whole file parsed; MapFileError when it cannot be read or is not JSON (with the line and
// column where the parser stopped), holds a number too large for a double or nests too deeply.
nlohmann::json ParseJsonFile(const std::string& path);
nlohmann::json ParseJsonText(const std::string& text);

// Line and column (both from 1) of the byte at a 0-based offset of the text.
struct TextPosition {
  int line = 1;
  int column = 1;
};
TextPosition PositionOf(const std::string& text, std::size_t offset);

// Where a value sits inside the file, named in messages as a path such as "layers[2].objects[0]"
// (empty for the top level), which reads the same in both languages. Each step is a link to its
// parent on the reader's stack, so the path is only spelled out when a message needs it, however
// deep the file nests. A location must not outlive its parent (or the text it was made from).
class JsonLocation {
 public:
  JsonLocation() = default;
  // A place already named by a text.
  explicit JsonLocation(const std::string& named) : named_(&named) {}
  // The element `index` of the list `list` of the parent.
  JsonLocation(const JsonLocation& parent, const char* list, std::size_t index)
      : parent_(&parent), list_(list), index_(index) {}

  std::string Text() const;
  // The step just below the top level that leads here ("layers[3]" for any place inside the
  // fourth layer); the place itself when it has no parent.
  const JsonLocation& Outermost() const;

 private:
  const JsonLocation* parent_ = nullptr;
  const std::string* named_ = nullptr;
  const char* list_ = nullptr;
  std::size_t index_ = 0;
};

// The top level of the file.
inline constexpr JsonLocation kTopLevel{};

// Members of a JSON object; `where` is the object's place in the file.
const nlohmann::json& Member(const nlohmann::json& object, const char* key, const JsonLocation& where);
const nlohmann::json& ArrayMember(const nlohmann::json& object, const char* key, const JsonLocation& where);
std::string StringMember(const nlohmann::json& object, const char* key, const JsonLocation& where);
// A whole number within [low, high].
int64_t IntMember(const nlohmann::json& object, const char* key, const JsonLocation& where, int64_t low, int64_t high);
// Any number within the 32-bit range, truncated toward zero (Tiled writes object positions
// with fractions).
int CoordinateMember(const nlohmann::json& object, const char* key, const JsonLocation& where);

// Runs a reading step and turns any error the JSON library throws into a MapFileError, so a
// value of an unexpected kind that slipped past the checks above is still reported as a file
// the engine cannot use rather than ending the program.
[[noreturn]] void ThrowUnexpectedJsonError(const nlohmann::json::exception& error);
template <typename Step>
decltype(auto) WithJsonErrorsReported(Step&& step) {
  try {
    return step();
  } catch (const nlohmann::json::exception& error) {
    ThrowUnexpectedJsonError(error);
  }
}

}  // namespace map
