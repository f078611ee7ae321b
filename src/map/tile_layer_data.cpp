#include "map/tile_layer_data.h"

#include "config/language.h"
#include "map/map_file_error.h"
#include "map/tiled_json.h"

namespace map {

using config::Format;
using nlohmann::json;

namespace {

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

std::vector<uint32_t> ValuesFromList(const json& data, const std::string& where) {
  std::vector<uint32_t> values;
  values.reserve(data.size());
  for (const json& item : data) {
    if (!item.is_number_unsigned() || item.get<uint64_t>() > 0xFFFFFFFFu) {
      throw MapFileError(Format("\"data\" in %s holds something that is not a tile number", where.c_str()),
                         Format("\"data\" en %s contiene algo que no es un número de tile", where.c_str()));
    }
    values.push_back(static_cast<uint32_t>(item.get<uint64_t>()));
  }
  return values;
}

std::vector<uint32_t> ValuesFromBase64(const json& layer, const std::string& where) {
  if (layer.contains("compression") &&
      !(layer["compression"].is_string() && layer["compression"].get<std::string>().empty())) {
    const std::string method = layer["compression"].is_string() ? layer["compression"].get<std::string>() : "?";
    throw MapFileError(Format("%s is saved with compressed data (%s); save the map with the CSV or the "
                              "uncompressed Base64 tile layer format",
                              where.c_str(), method.c_str()),
                       Format("%s está guardada con datos comprimidos (%s); guarda el mapa con el formato de "
                              "capa CSV o Base64 sin comprimir",
                              where.c_str(), method.c_str()));
  }
  std::vector<uint8_t> bytes;
  if (!DecodeBase64(StringMember(layer, "data", JsonLocation(where)), bytes) || bytes.size() % 4 != 0) {
    throw MapFileError(Format("\"data\" in %s is not valid Base64 tile data", where.c_str()),
                       Format("\"data\" en %s no son datos Base64 de tiles válidos", where.c_str()));
  }
  std::vector<uint32_t> values(bytes.size() / 4);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const uint8_t* b = &bytes[i * 4];
    uint32_t value = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    values[i] = value;
  }
  return values;
}

}  // namespace

bool DecodeBase64(const std::string& text, std::vector<uint8_t>& out) {
  out.clear();
  uint32_t group = 0;
  int bits = 0;
  int padding = 0;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int value = Base64Value(c);
    if (value < 0 || padding > 0) return false;  // padding only at the end
    group = (group << 6) | static_cast<uint32_t>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<uint8_t>(group >> bits));
    }
  }
  // What is left must be the filler bits of a final group of 2 or 3 characters.
  return bits < 6 && padding <= 2;
}

std::vector<uint32_t> DecodeLayerData(const json& layer, const std::string& where) {
  std::vector<uint32_t> values = DecodeLayerWords(layer, where);
  for (uint32_t& value : values) value &= ~kTiledFlagBits;
  return values;
}

std::vector<uint32_t> DecodeLayerWords(const json& layer, const std::string& where) {
  return WithJsonErrorsReported([&] {
    const json& data = Member(layer, "data", JsonLocation(where));
    if (data.is_array()) return ValuesFromList(data, where);
    if (data.is_string()) return ValuesFromBase64(layer, where);
    throw MapFileError(Format("\"data\" in %s is neither a list nor Base64 text", where.c_str()),
                       Format("\"data\" en %s no es ni una lista ni texto Base64", where.c_str()));
  });
}

}  // namespace map
