// The Windows command line reaches the program as UTF-8, and its output is the same bytes as
// elsewhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/process.h"

namespace {

TEST(WindowsProcess, CommandLinesSplitIntoUtf8Arguments) {
  const struct {
    std::wstring commandLine;
    std::vector<std::string> arguments;
  } cases[] = {
      {L"tessaloom.exe --check Demo", {"tessaloom.exe", "--check", "Demo"}},
      {L"\"C:\\Juegos \u00f1\\tessaloom.exe\" --dump-state \"Salida \u00e9.json\" Niveles_\u00f1",
       {"C:\\Juegos \xC3\xB1\\tessaloom.exe", "--dump-state", "Salida \xC3\xA9.json", "Niveles_\xC3\xB1"}},
      // Beyond the ANSI code page, and quotes escaped the way the system's rules have it.
      {L"t.exe \u0416\u20ac \"a\\\"b\" c\\d", {"t.exe", "\xD0\x96\xE2\x82\xAC", "a\"b", "c\\d"}},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ArgumentsOfCommandLine(c.commandLine), c.arguments);

  const std::vector<std::string> own = platform::ProgramArguments(0, nullptr);
  ASSERT_FALSE(own.empty());
  EXPECT_NE(own[0].find("tl_platform_tests"), std::string::npos) << own[0];
}

TEST(WindowsProcess, BinaryOutputKeepsLineEnds) {
  const std::string path = ::testing::TempDir() + "tl_binary_output.txt";
  for (bool binary : {false, true}) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    if (binary) platform::UseBinaryOutput(file);
    std::fputs("a\nb\n", file);
    std::fclose(file);
    // Text mode is what the check is against: it must add the carriage returns.
    EXPECT_EQ(std::filesystem::file_size(path), binary ? 4u : 6u) << binary;
  }
  std::filesystem::remove(path);
}

}  // namespace
