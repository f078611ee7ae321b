// The command-line parser on any list of arguments (the input's NUL-separated parts): either a
// reason, or options that keep every rule: values in range, headless extras only with
// --headless, --out only with --check-image.
#include "app/command_options.h"
#include "fuzz_check.h"

namespace {

std::vector<std::string> Arguments(const std::string& text) {
  std::vector<std::string> args = {"tessaloom"};
  if (!text.empty()) {
    for (std::string_view arg : fuzz::Split(text, std::string_view("\0", 1))) args.emplace_back(arg);
  }
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<std::string> args = Arguments(fuzz::AsString(data, size));
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  app::Options options;
  const auto error = app::ParseOptions(static_cast<int>(args.size()), argv.data(), options);
  if (error) {
    FUZZ_REQUIRE(!error->empty());
    return 0;
  }
  const platform::HeadlessOptions defaults;
  const platform::HeadlessOptions& chosen = options.headlessOptions;
  FUZZ_REQUIRE(chosen.frames == -1 || (chosen.frames >= 0 && chosen.frames <= 1000000000));
  FUZZ_REQUIRE(chosen.stepMs >= 1 && chosen.stepMs <= 60000);
  FUZZ_REQUIRE(chosen.screen.width >= 1 && chosen.screen.width <= 32767);
  FUZZ_REQUIRE(chosen.screen.height >= 1 && chosen.screen.height <= 32767);
  const bool headlessExtras = chosen.frames != defaults.frames || chosen.stepMs != defaults.stepMs ||
                              chosen.answerYes != defaults.answerYes || chosen.screen.width != defaults.screen.width ||
                              chosen.screen.height != defaults.screen.height || !options.inputFile.empty() ||
                              !options.transcriptFile.empty() || !options.screenshotFile.empty() ||
                              options.dumpEveryMs != 0;
  FUZZ_REQUIRE(!headlessExtras || options.headless);
  FUZZ_REQUIRE(options.checkImageOut.empty() || !options.checkImage.empty());
  return 0;
}
