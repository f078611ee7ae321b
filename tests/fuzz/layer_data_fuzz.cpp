// The tile-layer data decoder: any bytes written as Base64 (padded, unpadded, wrapped) or as a
// list of numbers come back as the same tile values; any text given as Base64 or as a whole
// layer gives values or a map-file error, never a crash.
#include "fuzz_check.h"
#include "map/map_file_error.h"
#include "map/tile_layer_data.h"
#include "map/tiled_json.h"

namespace {

std::string EncodeBase64(const std::vector<uint8_t>& bytes, bool pad, std::size_t wrapEvery) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    uint32_t group = uint32_t{bytes[i]} << 16;
    if (n > 1) group |= uint32_t{bytes[i + 1]} << 8;
    if (n > 2) group |= bytes[i + 2];
    for (std::size_t k = 0; k < 4; ++k) {
      if (k <= n) {
        out += kAlphabet[(group >> (18 - 6 * k)) & 0x3F];
      } else if (pad) {
        out += '=';
      }
    }
  }
  if (wrapEvery == 0) return out;
  std::string wrapped;
  for (std::size_t i = 0; i < out.size(); i += wrapEvery) wrapped += out.substr(i, wrapEvery) + "\r\n";
  return wrapped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const std::string text = fuzz::AsString(data, size);

  // Any text as Base64.
  std::vector<uint8_t> decoded;
  if (map::DecodeBase64(text, decoded)) FUZZ_REQUIRE(decoded.size() <= text.size() * 3 / 4);

  // The input's bytes written as Base64 in each form a writer may choose.
  for (bool pad : {true, false}) {
    for (std::size_t wrap : {std::size_t{0}, std::size_t{76}}) {
      FUZZ_REQUIRE(map::DecodeBase64(EncodeBase64(bytes, pad, wrap), decoded));
      FUZZ_REQUIRE(decoded == bytes);
    }
  }

  // As the data of a layer, Base64 and CSV: the words with their flip bits masked off.
  std::vector<uint32_t> expected;
  nlohmann::json list = nlohmann::json::array();
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    list.push_back(fuzz::Le32(&bytes[i]));
    expected.push_back(fuzz::Le32(&bytes[i]) & ~map::kTiledFlagBits);
  }
  FUZZ_REQUIRE(map::DecodeLayerData({{"data", list}}, "layers[0]") == expected);
  std::vector<uint32_t> values;
  const nlohmann::json layer = {{"encoding", "base64"}, {"data", EncodeBase64(bytes, true, 0)}};
  // Only a partial value is refused.
  FUZZ_REQUIRE(fuzz::SucceedsOrExplains<map::MapFileError>(
                   [&] { values = map::DecodeLayerData(layer, "layers[0]"); }) == (bytes.size() % 4 == 0));
  FUZZ_REQUIRE(bytes.size() % 4 != 0 || values == expected);

  // The text as a whole layer object.
  fuzz::SucceedsOrExplains<map::MapFileError>([&] {
    for (uint32_t value : map::DecodeLayerData(map::ParseJsonText(text), "layers[0]")) {
      FUZZ_REQUIRE((value & map::kTiledFlagBits) == 0);
    }
  });
  return 0;
}
