#include "map/map_file_error.h"

#include "config/fatal_error.h"
#include "config/language.h"

namespace map {

std::string MapFileError::Reason(config::Language language) const {
  return config::Tr(language, english_.c_str(), spanish_.c_str());
}

void ReportMapFileError(const config::GameConfig& config, const std::string& path, const MapFileError& error) {
  const config::Language language = config.language();
  const std::string format =
      config::Tr(language, "The file %s cannot be used:\n%s", "No se puede usar el fichero %s:\n%s");
  config::FatalError(config.listeners, config::Tr(language, "Error in the map files", "Error en los ficheros del mapa"),
                     config::Format(format.c_str(), path.c_str(), error.Reason(language).c_str()));
}

}  // namespace map
