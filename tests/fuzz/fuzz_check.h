// What every fuzz target shares: a check that stops the run with a message when a property that
// must hold does not (libFuzzer then saves the input that broke it), and helpers for inputs.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "\nproperty broken at %s:%d: %s\n", file, line, what);
  std::abort();
}

#define FUZZ_REQUIRE(condition) \
  do {                          \
    if (!(condition)) ::fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (false)

inline std::string AsString(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A file of this process under the temporary folder, rewritten for every input, for the readers
// that only take a path.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name)
      : path_((std::filesystem::temp_directory_path() /
               ("tessaloom-fuzz-" + std::to_string(::getpid()) + "-" + name))
                  .string()) {}
  ~ScratchFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  void Write(std::string_view bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace fuzz
