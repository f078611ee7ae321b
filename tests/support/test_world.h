// Shared test helpers: a fresh headless world whose transcript the test can read, in a temporary
// current directory (the file helpers of test_files.h come with it).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "config/game_config.h"
#include "platform/headless_platform.h"
#include "platform/ini.h"
#include "support/test_files.h"

namespace testing_support {

// A fresh world: a game configuration of its own with the start values, the platform's INI cache
// cleared, a headless backend installed with its transcript kept in memory, and a temporary
// current directory. Fixtures of
// higher layers reset their own state around these (the script manager, the application).
class HeadlessWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = std::make_unique<ScopedCwd>(dir_.path());
    ResetWorld();
    Install(platform::HeadlessOptions{});
  }
  void TearDown() override {
    platform::Install(nullptr);
    cwd_.reset();
  }

  void ResetWorld() {
    config_ = config::GameConfig{};
    platform::ClearIniCache();
  }

  // Replaces the backend (the transcript always goes to transcript_).
  platform::HeadlessPlatform& Install(platform::HeadlessOptions options) {
    transcript_.str("");
    options.transcript = &transcript_;
    auto backend = platform::CreateHeadlessPlatform(options);
    headless_ = backend.get();
    platform::Install(std::move(backend));
    return *headless_;
  }

  std::string Transcript() const { return transcript_.str(); }
  // The transcript with its quoting undone, so texts can be searched as they were shown.
  std::string Shown() const { return Unquoted(Transcript()); }

  config::GameConfig config_;
  TempDir dir_;
  std::unique_ptr<ScopedCwd> cwd_;
  std::ostringstream transcript_;
  platform::HeadlessPlatform* headless_ = nullptr;
};

}  // namespace testing_support
