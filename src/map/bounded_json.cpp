#include "map/bounded_json.h"

#include <optional>
#include <vector>

namespace map {

using nlohmann::json;

namespace {

// Builds the document from the parser's events, as the library's own builder does, but refuses
// to open a container deeper than the limit and keeps what went wrong instead of throwing.
class BoundedDomBuilder : public json::json_sax_t {
 public:
  BoundedDomBuilder(const std::string& text, std::size_t maxDepth) : text_(text), maxDepth_(maxDepth) {}

  bool null() override { return Add(json(nullptr)); }
  bool boolean(bool value) override { return Add(json(value)); }
  bool number_integer(number_integer_t value) override { return Add(json(value)); }
  bool number_unsigned(number_unsigned_t value) override { return Add(json(value)); }
  bool number_float(number_float_t value, const string_t&) override { return Add(json(value)); }
  bool string(string_t& value) override { return Add(json(std::move(value))); }
  bool binary(binary_t& value) override { return Add(json(std::move(value))); }
  bool start_object(std::size_t) override { return Open(json::object()); }
  bool key(string_t& name) override {
    key_ = std::move(name);
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(json::array()); }
  bool end_array() override { return Close(); }

  bool parse_error(std::size_t position, const std::string& token, const json::exception& error) override {
    // The parser counts the byte it stopped at from 1; for a number that overflows it gives the
    // byte after the number, so the number starts its own length before.
    constexpr int kNumberOverflow = 406;
    if (error.id == kNumberOverflow) {
      const std::size_t start = position >= token.size() ? position - token.size() : 0;
      failure_ = JsonParseFailure{JsonParseFailure::Kind::kNumberTooLarge, start};
    } else {
      const std::size_t stop = position > 0 ? position - 1 : 0;
      failure_ = JsonParseFailure{
          stop >= text_.size() ? JsonParseFailure::Kind::kEndsEarly : JsonParseFailure::Kind::kSyntax, stop};
    }
    return false;
  }

  // The document, or why there is none (parsed tells whether the parser got to the end).
  std::variant<json, JsonParseFailure> Result(bool parsed) {
    if (failure_) return *failure_;
    // Only the handlers above stop the parser, and each of them keeps a failure.
    if (!parsed) return JsonParseFailure{JsonParseFailure::Kind::kSyntax, 0};
    return std::move(root_);
  }

 private:
  // Puts a value in the innermost open container (or makes it the document) and returns it
  // where it now lives. Only the innermost container grows, so the addresses of the open ones
  // stay valid.
  json& Place(json&& value) {
    if (open_.empty()) {
      root_ = std::move(value);
      return root_;
    }
    json& container = *open_.back();
    if (container.is_array()) {
      container.push_back(std::move(value));
      return container.back();
    }
    json& member = container[key_];
    member = std::move(value);
    return member;
  }
  bool Add(json&& value) {
    Place(std::move(value));
    return true;
  }
  bool Open(json&& container) {
    if (open_.size() >= maxDepth_) {
      failure_ = JsonParseFailure{JsonParseFailure::Kind::kTooDeep, 0};
      return false;
    }
    open_.push_back(&Place(std::move(container)));
    return true;
  }
  bool Close() {
    open_.pop_back();
    return true;
  }

  const std::string& text_;
  const std::size_t maxDepth_;
  json root_;
  std::vector<json*> open_;
  std::string key_;
  std::optional<JsonParseFailure> failure_;
};

}  // namespace

std::variant<json, JsonParseFailure> ParseBoundedJson(const std::string& text, std::size_t maxDepth) {
  BoundedDomBuilder builder(text, maxDepth);
  const bool parsed = json::sax_parse(text, &builder);
  return builder.Result(parsed);
}

}  // namespace map
