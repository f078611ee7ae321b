// The tile values of a Tiled tile layer. Tiled writes "data" as a list of numbers (CSV format)
// or as Base64 text of little-endian 32-bit values, possibly compressed. The top bits of a value
// are Tiled's flip and rotation flags; the engine draws tiles unflipped, so they are masked off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace map {

inline constexpr uint32_t kTiledFlagBits = 0xF0000000u;

// Throws MapFileError for compressed data, bad Base64 or values that are not tile numbers.
std::vector<uint32_t> DecodeLayerData(const nlohmann::json& layer, const std::string& where);
// The same values with their flag bits kept, for telling a maker which layers use them.
std::vector<uint32_t> DecodeLayerWords(const nlohmann::json& layer, const std::string& where);

// Standard Base64 (RFC 4648) with optional padding; white space is skipped. False on any other
// character or a truncated group.
bool DecodeBase64(const std::string& text, std::vector<uint8_t>& out);

}  // namespace map
