#include "app/check_scripts.h"

#include <string>

#include "config/autoexec_reader.h"
#include "config/launcher_settings.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "script/orvanta_script.h"
#include "script/script_blocks.h"
#include "script/script_size.h"

namespace {

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Loads each script of the folder in name order as the game would, leaving out editors' hidden
// files (never named by a project), and hands it over with whether it loaded.
template <class Visit>
void ForEachScript(const std::string& folder, Visit visit) {
  for (const std::string& file : platform::ListFiles(folder)) {
    if (file.starts_with(".")) continue;
    COrvantaScript script;
    const bool loaded = script.Load(file, folder + "\\" + file);
    visit(file, script, loaded);
  }
}

}  // namespace

int RunCheckScripts(const std::string& projectName, std::ostream& out, std::ostream& err) {
  if (projectName.empty()) {
    err << "tessaloom: --check-scripts needs a project name\n";
    return 2;
  }
  // The same folders the launcher builds for a project named on the command line.
  const std::string name = projectName.substr(0, config::kProjectNameMax);
  config::LauncherSettings launcher;
  config::BuildProjectFolders(launcher, name);
  const std::string& folder = launcher.Folder(config::kFolderScripts);
  const std::string shownName = platform::Utf8FromCp1252(name);
  if (!platform::FileExists("Projects\\" + name)) {
    err << "tessaloom: no project '" << shownName << "' in Projects/\n";
    return 2;
  }
  if (!platform::FileExists(folder)) {
    err << "tessaloom: project '" << shownName << "' has no Scripts folder\n";
    return 2;
  }

  std::size_t files = 0;
  std::size_t rejected = 0;
  bool unreadable = false;
  for (const RejectedScriptLine& line : RejectedScriptLines(folder, files)) {
    if (line.line == 0) {
      out << line.file << ": " << line.reason << "\n";
      unreadable = true;
    } else {
      out << line.file << ":" << line.line << ": " << line.reason << "\n";
      ++rejected;
    }
  }
  const std::vector<RejectedScriptLine> warnings = ScriptWarnings(folder);
  for (const RejectedScriptLine& line : warnings)
    out << line.file << ":" << line.line << ": warning: " << line.reason << "\n";
  out << Counted(files, "script") << " checked, " << Counted(rejected, "line") << " rejected";
  if (!warnings.empty()) out << ", " << Counted(warnings.size(), "warning");
  out << "\n";
  return rejected > 0 || unreadable ? 1 : 0;
}

std::vector<RejectedScriptLine> ScriptWarnings(const std::string& scriptsFolder) {
  std::vector<RejectedScriptLine> warnings;
  ForEachScript(scriptsFolder, [&](const std::string& file, const COrvantaScript& script, bool loaded) {
    if (!loaded) return;
    for (int index : script::LoopsWithoutSleep(script.Lines())) {
      warnings.push_back({file, script.Lines()[static_cast<std::size_t>(index)].sourceLine,
                          "WHILE can go round without reaching a SLEEP: it holds the game up while it loops"});
    }
  });
  return warnings;
}

std::vector<RejectedScriptLine> RejectedScriptLines(const std::string& scriptsFolder, std::size_t& files) {
  std::vector<RejectedScriptLine> lines;
  files = 0;
  ForEachScript(scriptsFolder, [&](const std::string& file, const COrvantaScript& script, bool loaded) {
    ++files;
    if (!loaded) {
      lines.push_back({file, 0, script.TooLarge() ? script::TooLargeReason() : "cannot be read"});
      return;
    }
    for (const auto& line : script.RejectedLines()) {
      lines.push_back({file, line.sourceLine, platform::Utf8FromCp1252(line.reason)});
    }
  });
  return lines;
}
