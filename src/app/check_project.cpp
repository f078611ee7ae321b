#include "app/check_project.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "app/check_project_names.h"
#include "app/check_scripts.h"
#include "app/check_tiled_settings.h"
#include "app/win_main.h"
#include "app/world.h"
#include "config/autoexec_reader.h"
#include "config/fatal_error.h"
#include "config/game_settings.h"
#include "config/game_tables.h"
#include "config/ini_values.h"
#include "config/launcher_settings.h"
#include "config/nearest_name.h"
#include "config/object_lookup.h"
#include "engine/orvanta_engine.h"
#include "map/map_file_error.h"
#include "map/tiled_json.h"
#include "map/tiled_readers.h"
#include "platform/files.h"
#include "platform/headless_platform.h"
#include "platform/ini.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "units/game_sprite.h"

namespace app {
namespace {

constexpr std::size_t kUnitNameBuffer = 64;  // as the unit loaders read unit_name

// What the loaders said and what they read, gathered while the project loads.
struct Findings {
  const config::GameConfig* config = nullptr;  // the checked world's, once it exists

  std::vector<ProjectProblem> errors, warnings;
  std::set<std::pair<std::string, std::string>> seenWarnings;  // no warning twice
  // Per INI file as the loaders name it: the sections read, and the keys read per section
  // family (the section name without its number).
  std::map<std::string, std::set<std::string>> sectionsRead;
  std::map<std::string, std::map<std::string, std::set<std::string>>> keysRead;
  std::set<std::pair<std::string, std::string>> caseFolds;
  // Sections (INI path, name) a loader gave up on: their later keys were never read.
  std::set<std::pair<std::string, std::string>> stoppedSections;

  void Add(bool error, const std::string& caption, const std::string& text) {
    std::string joined = platform::Utf8FromCp1252(text);
    for (std::size_t at = joined.find('\n'); at != std::string::npos; at = joined.find('\n', at)) {
      joined.replace(at, 1, " / ");
    }
    ProjectProblem problem{error, platform::Utf8FromCp1252(caption), joined};
    if (error) {
      errors.push_back(std::move(problem));
    } else if (seenWarnings.insert({problem.caption, problem.text}).second) {
      warnings.push_back(std::move(problem));
    }
  }
  void Warn(const std::string& caption, const std::string& text) { Add(false, caption, text); }
};

// [player_unit_12] and [player_unit_3] are of one family: the keys one knows, the other knows.
std::string Family(const std::string& section) {
  std::size_t end = section.size();
  while (end > 0 && std::isdigit(static_cast<unsigned char>(section[end - 1]))) --end;
  return section.substr(0, end);
}

// A project path as the maker sees it: from the project folder, with forward slashes.
std::string Shown(const config::LauncherSettings& launcher, const std::string& path) {
  std::string shown = path;
  const std::string project = launcher.Folder(config::kFolderData);
  const std::size_t root = project.find_last_of('\\');
  if (root != std::string::npos && shown.rfind(project.substr(0, root + 1), 0) == 0) shown.erase(0, root + 1);
  std::replace(shown.begin(), shown.end(), '\\', '/');
  return shown;
}

// Sections no loader looked at, and keys no loader knows in a family it reads.
void CheckIniFiles(Findings& findings) {
  for (const auto& [path, sections] : findings.sectionsRead) {
    const auto outline = platform::ReadIniOutline(path);
    if (!outline) continue;
    const std::string caption = Shown(findings.config->launcher, path);
    for (const platform::IniSectionOutline& section : *outline) {
      if (section.repeated) {
        findings.Warn(caption, "Section [" + section.name + "] repeats an earlier one and is never read.");
        continue;
      }
      if (sections.count(section.name) == 0) {
        findings.Warn(caption, "Section [" + section.name + "] is never read.");
        continue;
      }
      // The error that stopped the section says what is wrong; its unread keys are not unknown.
      if (findings.stoppedSections.count({path, section.name}) != 0) continue;
      std::set<std::string> known = findings.keysRead[path][Family(section.name)];
      // The launcher reads the project's name only when the command line gives none.
      if (path == config::kAutoexecPath) known.insert("project_name");
      for (const std::string& key : section.keys) {
        if (known.count(key) != 0) continue;
        const std::string nearest = config::NearestName(key, {known.begin(), known.end()});
        findings.Warn(caption, "Section [" + section.name + "]: unknown key '" + key + "'" +
                                   (nearest.empty() ? "." : " (did you mean '" + nearest + "'?)."));
      }
    }
  }
}

void CheckSheets(const COrvantaEngine& engine, Findings& findings) TL_REQUIRES(engine.Lock()) {
  for (int slot = 0; slot < engine.SpriteCount(); ++slot) {
    const CGameSprite* sprite = engine.SpriteAt(slot);
    if (sprite == nullptr || !sprite->IsValid()) continue;
    const int width = sprite->Sheet().GetWidth(), height = sprite->Sheet().GetHeight();
    if (width % sprite->FrameWidth() == 0 && height % sprite->FrameHeight() == 0) continue;
    if (sprite->FrameWidth() > width || sprite->FrameHeight() > height) continue;  // the loader's error said it
    findings.Warn(Shown(findings.config->launcher, sprite->Path()),
                  "The sheet is " + std::to_string(width) + "x" + std::to_string(height) +
                      ", which does not cut into whole " + std::to_string(sprite->FrameWidth()) + "x" +
                      std::to_string(sprite->FrameHeight()) + " frames.");
  }
}

// Each unit file's sections and the map layer that places them meet: a placed number has its
// section, and a section no object places says where it stands.
void CheckPlacements(Findings& findings) {
  struct Placed {
    const char* file;
    const char* section;
    const char* required;
    int layer;
    const char* layerName;
  };
  const config::LauncherSettings& launcher = findings.config->launcher;
  for (const Placed& kind :
       {Placed{"player_characters_units.ini", "player_unit_", "unit_sprite", config::kLayerUnitsPlayers,
               "Units players"},
        Placed{"bots_characters_units.ini", "bot_unit_", "unit_sprite", config::kLayerUnitsBots, "Units bots"},
        Placed{"other_units.ini", "other_unit_", "unit_sprite", config::kLayerUnitsOthers, "Units others"},
        Placed{"objects_units.ini", "object_unit_", "unit_object_inventory", config::kLayerUnitsObjects,
               "Units objects"}}) {
    const std::string path = launcher.Folder(config::kFolderData) + "\\" + kind.file;
    const auto outline = platform::ReadIniOutline(path);
    if (!outline) continue;
    std::map<int, bool> sections;  // number -> has a position of its own
    for (const platform::IniSectionOutline& section : *outline) {
      if (section.repeated || section.name.rfind(kind.section, 0) != 0) continue;
      const std::string number = section.name.substr(std::char_traits<char>::length(kind.section));
      if (number.empty() || number.size() > 4 || number.find_first_not_of("0123456789") != std::string::npos) continue;
      const auto has = [&](const char* key) {
        return std::find(section.keys.begin(), section.keys.end(), key) != section.keys.end();
      };
      if (!has(kind.required)) continue;
      sections[std::stoi(number)] = has("unit_position");
    }
    std::set<int> placed;
    for (const config::MapObject& object : findings.config->tables.mapObjects[static_cast<std::size_t>(kind.layer)]) {
      placed.insert(object.number);
      if (sections.count(object.number) == 0) {
        findings.Warn("Map", "Object " + std::to_string(object.number) + " of layer '" + kind.layerName +
                                 "' places nothing: " + kind.file + " has no [" + kind.section +
                                 std::to_string(object.number) + "] with '" + kind.required + "'.");
      }
    }
    for (const auto& [number, positioned] : sections) {
      if (positioned || placed.count(number) != 0) continue;
      findings.Warn("Data/" + std::string(kind.file), "Section [" + std::string(kind.section) + std::to_string(number) +
                                                          "] is placed by no map object and has no 'unit_position'.");
    }
  }
}

// Settings of the map file and of its tilesets' files that Tiled shows and the game ignores, file
// by file in the order the game reads them.
void CheckTiledSettings(Findings& findings) {
  const auto warnAll = [&findings](const std::string& path, const std::vector<std::string>& texts) {
    for (const std::string& text : texts)
      findings.Warn(Shown(findings.config->launcher, path), platform::Cp1252FromUtf8(text));
  };
  const auto parsed = [](const std::string& path) -> std::optional<nlohmann::json> {
    try {
      return map::ParseJsonFile(path);
    } catch (const map::MapFileError&) {
      return std::nullopt;  // the loaders have reported what they could not read
    }
  };
  const std::string& mapPath = findings.config->settings.mapFilePath;
  if (const auto document = parsed(mapPath)) warnAll(mapPath, IgnoredMapSettings(*document));
  for (const config::TilesetRecord& tileset : findings.config->tables.tilesets) {
    if (!tileset.inUse) continue;
    const std::string path = map::TilesetPath(findings.config->launcher, tileset, ".json");
    if (!platform::FileExists(path)) continue;
    if (const auto document = parsed(path)) warnAll(path, IgnoredTilesetSettings(*document, tileset.firstGid));
  }
}

void CheckScripts(const COrvantaEngine& engine, Findings& findings) TL_REQUIRES(engine.Lock()) {
  const std::string folder = engine.Config().launcher.Folder(config::kFolderScripts);
  if (!platform::FileExists(folder)) return;
  std::size_t files = 0;
  for (const RejectedScriptLine& line : RejectedScriptLines(folder, files)) {
    findings.Warn("Scripts/" + line.file,
                  line.line == 0 ? line.reason : "line " + std::to_string(line.line) + ": " + line.reason);
  }
  // A unit whose section stopped at an error is still meant to be there: its name is known.
  std::vector<std::string> failedUnits;
  for (const auto& [path, section] : findings.stoppedSections) {
    const std::string name = config::ReadIniValue(path, section, "unit_name", kUnitNameBuffer);
    if (!name.empty()) failedUnits.push_back(config::FoldedName(name));
  }
  for (const NameWarning& warning : UnknownScriptNames(engine, failedUnits))
    findings.Warn(warning.caption, warning.text);
}

}  // namespace

std::vector<ProjectProblem> CheckProject(const std::string& commandLine) {
  Findings findings;
  platform::Install(platform::CreateHeadlessPlatform({}));
  platform::SetIniReadLog([&findings](const std::string& path, const std::string& section, const std::string& key) {
    findings.sectionsRead[path].insert(section);
    findings.keysRead[path][Family(section)].insert(key);
  });
  platform::SetCaseFoldLog([&findings](const std::string& written, const std::string& found) {
    findings.caseFolds.insert({written, found});
  });
  World world;
  world.config.listeners.problem = [&findings](config::ProblemKind kind, const std::string& caption,
                                               const std::string& text) {
    findings.Add(kind == config::ProblemKind::Error, caption, text);
  };
  world.config.listeners.stoppedSection = [&findings](const std::string& path, const std::string& section) {
    findings.stoppedSections.insert({path, section});
  };
  findings.config = &world.config;
  const bool loaded = LoadForCheck(world, commandLine);
  platform::SetIniReadLog({});
  platform::SetCaseFoldLog({});
  if (loaded) {
    // A checker starts no game loop and no script: the lock is only taken for the analysis.
    engine::WorldLock lock(world.engine->Lock());
    CheckIniFiles(findings);
    CheckSheets(*world.engine, findings);
    CheckPlacements(findings);
    CheckTiledSettings(findings);
    CheckScripts(*world.engine, findings);
    for (const NameWarning& warning : MissingFixedFiles(*world.engine)) findings.Warn(warning.caption, warning.text);
    for (const auto& [written, found] : findings.caseFolds) {
      findings.Warn("Letter case", "'" + written + "' is '" + found + "' on the disk.");
    }
  }
  world.config.listeners = {};
  ShutdownGame(world);
  platform::Install(nullptr);
  std::vector<ProjectProblem> problems = std::move(findings.errors);
  problems.insert(problems.end(), findings.warnings.begin(), findings.warnings.end());
  return problems;
}

int RunCheckProject(const std::string& commandLine, bool json, std::ostream& out) {
  const std::vector<ProjectProblem> problems = CheckProject(commandLine);
  const bool failed = std::any_of(problems.begin(), problems.end(), [](const ProjectProblem& p) { return p.error; });
  if (json) {
    nlohmann::json result = {{"errors", nlohmann::json::array()}, {"warnings", nlohmann::json::array()}};
    for (const ProjectProblem& problem : problems) {
      result[problem.error ? "errors" : "warnings"].push_back({{"caption", problem.caption}, {"text", problem.text}});
    }
    out << result.dump(2) << "\n";
  } else {
    for (const ProjectProblem& problem : problems) {
      out << (problem.error ? "error: " : "warning: ") << problem.caption << ": " << problem.text << "\n";
    }
  }
  return failed ? 1 : 0;
}

}  // namespace app
