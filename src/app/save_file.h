// The file of a saved game: a first line naming the format and its version, a second with a
// checksum of everything after it, then the game as JSON text (docs/save-format.md). Reading
// checks all of that, and which game the save belongs to, before anything uses the contents.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "config/language.h"

namespace app {

inline constexpr int kSaveFormatVersion = 1;
// A save larger than this is not read at all (the demo's is far below 1 MiB).
inline constexpr std::size_t kMaxSaveBytes = 64u << 20;

// The game a save belongs to: the project's name and a fingerprint of its files.
struct SaveIdentity {
  std::string project;      // UTF-8
  std::string fingerprint;  // 16 hexadecimal digits
};

// The 64-bit FNV-1a hash of the bytes, as 16 lower-case hexadecimal digits.
std::string HashText(std::string_view bytes);

// The whole file: header lines, then the body with the identity and the clock added.
std::string SaveFileBytes(const SaveIdentity& identity, nlohmann::json body);

// Why a save was refused, in the player's language.
struct SaveRefusal {
  std::string reason;
};

// The body of a save file of this format and this game; a refusal with its reason otherwise.
// Never throws; the body's own fields are checked by those who read them.
std::optional<nlohmann::json> ReadSaveFile(std::string_view bytes, const SaveIdentity& expected,
                                           config::Language language, SaveRefusal& refusal);

}  // namespace app
