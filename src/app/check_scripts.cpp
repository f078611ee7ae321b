#include "app/check_scripts.h"

#include <string>

#include "config/autoexec_reader.h"
#include "config/launcher_settings.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "script/orvanta_script.h"
#include "script/script_size.h"

namespace {

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

int RunCheckScripts(const std::string& projectName, std::ostream& out, std::ostream& err) {
  if (projectName.empty()) {
    err << "tessaloom: --check-scripts needs a project name\n";
    return 2;
  }
  // The same folders the launcher builds for a project named on the command line.
  const std::string name = projectName.substr(0, config::kProjectNameMax);
  config::BuildProjectFolders(name);
  const std::string& folder = config::Launcher().Folder(config::kFolderScripts);
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
  out << Counted(files, "script") << " checked, " << Counted(rejected, "line") << " rejected\n";
  return rejected > 0 || unreadable ? 1 : 0;
}

std::vector<RejectedScriptLine> RejectedScriptLines(const std::string& scriptsFolder, std::size_t& files) {
  std::vector<RejectedScriptLine> lines;
  files = 0;
  for (const std::string& file : platform::ListFiles(scriptsFolder)) {
    if (file.starts_with(".")) continue;  // editors' hidden files, never named by a project
    ++files;
    COrvantaScript script;
    if (!script.Load(file, scriptsFolder + "\\" + file)) {
      lines.push_back({file, 0, script.TooLarge() ? script::TooLargeReason() : "cannot be read"});
      continue;
    }
    for (const auto& line : script.RejectedLines()) {
      lines.push_back({file, line.sourceLine, platform::Utf8FromCp1252(line.reason)});
    }
  }
  return lines;
}
