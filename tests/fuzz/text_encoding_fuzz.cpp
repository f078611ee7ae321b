// Windows-1252 <-> UTF-8: any bytes read as Windows-1252 make valid UTF-8 that converts back to
// the same bytes; any UTF-8 text whose characters all exist in Windows-1252 survives the trip the
// other way; nothing ever reads outside its input.
#include <algorithm>

#include "fuzz_check.h"
#include "platform/text_encoding.h"

namespace {

bool HasHighByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::AsString(data, size);

  // The input as Windows-1252 text.
  const std::string utf8 = platform::Utf8FromCp1252(bytes);
  FUZZ_REQUIRE(utf8.size() >= bytes.size());
  // Valid UTF-8: either plain ASCII or recognised as UTF-8 with at least one multi-byte form.
  FUZZ_REQUIRE(platform::LooksLikeUtf8(utf8) == HasHighByte(bytes));
  FUZZ_REQUIRE(HasHighByte(utf8) == HasHighByte(bytes));
  FUZZ_REQUIRE(platform::Cp1252FromUtf8(utf8) == bytes);  // every byte comes back, defined or not

  // The input as UTF-8 text (possibly invalid).
  const std::string cp1252 = platform::Cp1252FromUtf8(bytes);
  FUZZ_REQUIRE(cp1252.size() <= bytes.size());
  if (platform::LooksLikeUtf8(bytes) || !HasHighByte(bytes)) {
    // Valid UTF-8: when no character became '?', each had a Windows-1252 form and the text
    // comes back whole.
    if (std::count(cp1252.begin(), cp1252.end(), '?') == std::count(bytes.begin(), bytes.end(), '?')) {
      FUZZ_REQUIRE(platform::Utf8FromCp1252(cp1252) == bytes);
    }
  }
  return 0;
}
