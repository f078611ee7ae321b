#include "app/save_file.h"

#include <array>
#include <cstdio>

#include "platform/text_encoding.h"

namespace app {
namespace {

constexpr std::string_view kMagic = "TESSALOOM SAVE ";
constexpr std::string_view kChecksumWord = "checksum ";

// The next line of the text (without its line break) and what follows it; false without one.
bool SplitLine(std::string_view text, std::string_view& line, std::string_view& rest) {
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return false;
  line = text.substr(0, end);
  rest = text.substr(end + 1);
  return true;
}

std::string Damaged(config::Language language) {
  return config::Tr(language, "The saved game cannot be read: the file is damaged or is not a saved game.",
                    "No se puede leer la partida guardada: el archivo está dañado o no es una partida guardada.");
}

}  // namespace

std::string HashText(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  std::array<char, 17> text{};
  std::snprintf(text.data(), text.size(), "%016llx", static_cast<unsigned long long>(hash));
  return std::string(text.data(), 16);
}

std::string SaveFileBytes(const SaveIdentity& identity, nlohmann::json body) {
  body["project"] = identity.project;
  body["fingerprint"] = identity.fingerprint;
  const std::string text = body.dump() + "\n";
  return std::string(kMagic) + std::to_string(kSaveFormatVersion) + "\n" + std::string(kChecksumWord) + HashText(text) +
         "\n" + text;
}

std::optional<nlohmann::json> ReadSaveFile(std::string_view bytes, const SaveIdentity& expected,
                                           config::Language language, SaveRefusal& refusal) {
  std::string_view magic, checksum, body;
  if (bytes.size() > kMaxSaveBytes || !SplitLine(bytes, magic, bytes) || !SplitLine(bytes, checksum, body) ||
      magic.substr(0, kMagic.size()) != kMagic || checksum.substr(0, kChecksumWord.size()) != kChecksumWord) {
    refusal.reason = Damaged(language);
    return std::nullopt;
  }
  const std::string_view version = magic.substr(kMagic.size());
  if (version != std::to_string(kSaveFormatVersion)) {
    refusal.reason = config::Format(
        config::Tr(language,
                   "The saved game was made by another version of the game engine (save format %s; this one reads %d).",
                   "La partida guardada se hizo con otra versión del motor (formato %s; este lee el %d).")
            .c_str(),
        std::string(version.substr(0, 16)).c_str(), kSaveFormatVersion);
    return std::nullopt;
  }
  if (checksum.substr(kChecksumWord.size()) != HashText(body)) {
    refusal.reason = Damaged(language);
    return std::nullopt;
  }
  nlohmann::json parsed = nlohmann::json::parse(body, nullptr, false);
  if (parsed.is_discarded() || !parsed.is_object()) {
    refusal.reason = Damaged(language);
    return std::nullopt;
  }
  const auto project = parsed.find("project");
  const auto fingerprint = parsed.find("fingerprint");
  if (project == parsed.end() || !project->is_string() || fingerprint == parsed.end() || !fingerprint->is_string()) {
    refusal.reason = Damaged(language);
    return std::nullopt;
  }
  if (project->get<std::string>() != expected.project) {
    refusal.reason = config::Format(config::Tr(language, "The saved game belongs to another game ('%s').",
                                               "La partida guardada es de otro juego ('%s').")
                                        .c_str(),
                                    platform::Cp1252FromUtf8(project->get<std::string>().substr(0, 200)).c_str());
    return std::nullopt;
  }
  if (fingerprint->get<std::string>() != expected.fingerprint) {
    refusal.reason = config::Tr(language, "The game's files have changed since this game was saved.",
                                "Los archivos del juego han cambiado desde que se guardó esta partida.");
    return std::nullopt;
  }
  return parsed;
}

}  // namespace app
