// JSON text parsed into the library's document with a limit on how deeply values nest. The
// library's document is copied, compared and destroyed recursively, so a file of a million
// nested brackets would exhaust the stack; the limit refuses such a file while parsing, before
// any deep document exists. Every failure is returned, none is thrown.
#pragma once

#include <cstddef>
#include <string>
#include <variant>

#include <nlohmann/json.hpp>

namespace map {

struct JsonParseFailure {
  enum class Kind {
    kSyntax,          // not JSON; `offset` is the byte where the parser stopped
    kEndsEarly,       // the text ends inside a value
    kNumberTooLarge,  // a number beyond the range of a double; `offset` is its first byte
    kTooDeep,         // arrays and objects nested deeper than the limit
  };
  Kind kind = Kind::kSyntax;
  std::size_t offset = 0;  // 0-based, into the text
};

std::variant<nlohmann::json, JsonParseFailure> ParseBoundedJson(const std::string& text, std::size_t maxDepth);

}  // namespace map
