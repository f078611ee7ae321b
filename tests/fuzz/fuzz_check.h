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

#define FUZZ_REQUIRE(condition)                                     \
  do {                                                              \
    if (!(condition)) ::fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (false)

inline std::string AsString(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Every piece of the text between the separators `ends` (n separators give n + 1 pieces).
inline std::vector<std::string_view> Split(std::string_view text, std::string_view ends) {
  std::vector<std::string_view> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find_first_of(ends, start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

// The little-endian 32-bit word at `p`, as BMP headers and Tiled's layer data store them.
inline uint32_t Le32(const uint8_t* p) {
  return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// Runs `read`: it either succeeds (true) or throws an Error that gives its reason (false). The
// reason is asked for in the language whose value is 0, so that targets of layers below the
// one that names the languages can include this header too.
template <class Error, class Read>
bool SucceedsOrExplains(Read&& read) {
  try {
    read();
    return true;
  } catch (const Error& error) {
    FUZZ_REQUIRE(!error.English().empty() && !error.Reason({}).empty());
    return false;
  }
}

// A file of this process under the temporary folder, rewritten for every input, for the readers
// that only take a path.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name)
      : path_((std::filesystem::temp_directory_path() / ("tessaloom-fuzz-" + std::to_string(::getpid()) + "-" + name))
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
