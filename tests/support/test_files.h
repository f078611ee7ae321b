// Shared test helpers for files: a private temporary folder (optionally the current directory
// for the test's duration), the bundled demo project beside it, and text helpers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files.h"

namespace testing_support {

// A folder of its own under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tessaloom-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

  // Writes a file (creating its folders), relative to this folder; the name is a host path (UTF-8).
  void Write(const std::string& relative, const std::string& bytes) const {
    auto target = path_ / platform::HostFsPath(relative);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path path_;
};

// A link to a folder of the source tree, or a copy of it where the system library makes no
// symbolic links (MinGW's on Windows).
inline void LinkFolder(const std::filesystem::path& folder, const std::filesystem::path& link) {
  std::error_code ec;
  std::filesystem::create_directory_symlink(folder, link, ec);
  if (ec) std::filesystem::copy(folder, link, std::filesystem::copy_options::recursive);
}

// Gives a folder a Projects/autoexec.ini of its own and the bundled demo project beside it.
inline void UseDemoProject(const TempDir& dir, const std::string& autoexecBody) {
  dir.Write("Projects/autoexec.ini", "[autoexec]\n" + autoexecBody);
  LinkFolder(std::filesystem::path(TL_SOURCE_DIR) / "Projects" / "Demo", dir / "Projects/Demo");
}

// Like UseDemoProject, with the demo in Projects/<name>: the listed folders of the demo are copies
// a test may change, the others link to the bundled ones.
inline void UseDemoCopy(const TempDir& dir, const std::string& name, const std::string& autoexecBody,
                        const std::vector<std::string>& copied) {
  dir.Write("Projects/autoexec.ini", "[autoexec]\n" + autoexecBody);
  const std::filesystem::path project = dir / ("Projects/" + name);
  std::filesystem::create_directories(project);
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(TL_SOURCE_DIR) / "Projects" / "Demo")) {
    const std::filesystem::path target = project / entry.path().filename();
    if (std::find(copied.begin(), copied.end(), entry.path().filename().string()) != copied.end()) {
      std::filesystem::copy(entry.path(), target, std::filesystem::copy_options::recursive);
    } else {
      LinkFolder(entry.path(), target);
    }
  }
}

// The demo without its opening script, for tests of other rules whose input would otherwise
// meet the opening's camera moves and picture.
inline void UseDemoWithoutStory(const TempDir& dir, const std::string& autoexecBody) {
  UseDemoCopy(dir, "Demo", autoexecBody, {"Data"});
  const std::filesystem::path config = dir / "Projects/Demo/Data/config.ini";
  std::ifstream in(config, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const std::size_t at = text.find("initial_script=");
  ASSERT_NE(at, std::string::npos);
  text.erase(at, text.find('\n', at) + 1 - at);
  std::ofstream(config, std::ios::binary | std::ios::trunc) << text;
}

// The text with its first `from` replaced by `to` (a test failure when there is none).
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// How many times `part` occurs in the text, overlapping occurrences included.
inline std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A transcript's text with its quoting undone: "\\n" is a line end, "\\x" is x.
inline std::string Unquoted(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escaped = text[i] == '\\' && i + 1 < text.size() && ++i;
    out += escaped && text[i] == 'n' ? '\n' : text[i];
  }
  return out;
}

// Makes a folder the current directory for its lifetime.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~ScopedCwd() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

}  // namespace testing_support
