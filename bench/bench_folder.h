// A private folder as the current directory for a benchmark that loads a project: it holds an
// empty Projects folder, the headless backend is installed while it lasts, and both go when it
// ends.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/headless_platform.h"
#include "platform/platform.h"

class BenchFolder {
 public:
  // `purpose` names the folder, beside the process id, so that benchmarks running side by side
  // keep apart.
  explicit BenchFolder(const std::string& purpose) : previous_(std::filesystem::current_path()) {
    path_ = std::filesystem::temp_directory_path() / ("tessaloom-bench-" + purpose + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_ / "Projects");
    std::filesystem::current_path(path_);
    platform::Install(platform::CreateHeadlessPlatform(platform::HeadlessOptions{}));
  }
  ~BenchFolder() {
    platform::Install(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
