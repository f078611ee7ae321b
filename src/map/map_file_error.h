// Why a map or tileset file cannot be used, in both languages. The readers throw it from deep
// inside a parse and turn it into one message box at their top.
#pragma once

#include <stdexcept>
#include <string>

#include "config/game_config.h"

namespace map {

class MapFileError : public std::runtime_error {
 public:
  MapFileError(std::string english, std::string spanish)
      : std::runtime_error(english), english_(std::move(english)), spanish_(std::move(spanish)) {}

  // The reason in the language, as Windows-1252 bytes.
  std::string Reason(config::Language language) const;
  const std::string& English() const { return english_; }

 private:
  std::string english_;  // UTF-8
  std::string spanish_;  // UTF-8
};

// Shows the box for a file that cannot be used (the path and the reason) and posts the quit.
void ReportMapFileError(const config::GameConfig& config, const std::string& path, const MapFileError& error);

}  // namespace map
